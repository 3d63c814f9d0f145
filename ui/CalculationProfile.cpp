// 图形 → 水面线 of a depth window: the profile of the last reported case, asked
// in a small dialog, kept with the case's record (and so in the project) and
// shown in the profile window.
#include <QMessageBox>

#include "CalculationWindow.h"
#include "CanalWindow.h"
#include "ProfileDialog.h"
#include "ProfileWindow.h"
#include "sections/SectionDrawing.h"

namespace tarnwick::ui {

ProfileWindow* CalculationWindow::ProfileView() const {
  return profile_ && profile_->isVisible() ? profile_.data() : nullptr;
}

// The canal window works on the program's session, whichever window opened it.
CanalWindow* CalculationWindow::ShowCanal() {
  if (!canal_) canal_ = new CanalWindow(*session_, this);
  canal_->show();
  canal_->raise();
  return canal_;
}

ProfileRequest CalculationWindow::ProfileDefaults() const {
  if (lastProfile_) return *lastProfile_;
  const std::vector<const CaseRecord*> records = Records();
  for (auto r = records.rbegin(); r != records.rend(); ++r) {
    if ((*r)->profile) return *(*r)->profile;
  }
  // A first guess the engineer changes: a kilometre down to a free overfall.
  ProfileRequest guess;
  guess.length = 1000.0;
  guess.control.kind = ControlKind::Critical;
  return guess;
}

void CalculationWindow::AskProfile() {
  const CaseRecord* last = LastReport();
  if (last == nullptr || !ProfileFits(*last)) {
    QMessageBox::information(this, QStringLiteral("水面线"),
                             QStringLiteral("尚无计算结果，不能计算水面线。\n"
                                            "请输入数据后按“确 定”，再计算该算例的水面线。"));
    return;
  }
  ProfileDialog dialog(this);
  dialog.SetRequest(ProfileDefaults());
  if (dialog.exec() != QDialog::Accepted) return;
  if (const std::optional<ProfileRequest> request = dialog.Request()) ShowProfile(*request);
}

ProfileWindow* CalculationWindow::ShowProfile(const ProfileRequest& request) {
  const CaseRecord* last = LastReport();
  if (last == nullptr || !ProfileFits(*last)) return nullptr;
  lastProfile_ = request;
  const WindowProfile computed = RecordProfile(*last, request);
  // The record keeps what was asked; the session tells the views it changed.
  session_->SetProfile(last, request);
  last = LastReport();
  if (!profile_) {
    profile_ = new ProfileWindow(this);
    connect(this, &CalculationWindow::closing, profile_, &QWidget::close);
  }
  if (computed.profile) {
    ProfileSheet sheet;
    sheet.profile = *computed.profile;
    sheet.discharge = computed.discharge;
    sheet.slope = computed.slope;
    sheet.top = last->ProfileTop();
    sheet.closed = last->IsClosed();
    sheet.title = PrintHeading();
    profile_->ShowProfile(sheet);
  } else {
    QString why;
    for (const std::string& line : computed.refusal.Lines()) {
      const QString text = QString::fromStdString(line).trimmed();
      if (!text.isEmpty() && !text.startsWith(QLatin1Char('='))) why += text + QLatin1Char('\n');
    }
    profile_->ShowRefusal(why.trimmed());
  }
  profile_->show();
  profile_->raise();
  return profile_;
}

}  // namespace tarnwick::ui
