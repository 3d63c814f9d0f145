#include "ProfileDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

#include "WindowDecor.h"
#include "core/ReadNumber.h"

namespace tarnwick::ui {

namespace {

std::optional<double> Read(const QLineEdit* box) {
  const QString text = box->text().trimmed();
  if (text.isEmpty()) return std::nullopt;
  const double x = ReadNumber(text.toStdString()).value;
  return std::isfinite(x) ? std::optional<double>(x) : std::nullopt;
}

QLineEdit* NamedBox(QWidget* parent, const char* name) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

}  // namespace

ProfileDialog::ProfileDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ProfileDialog"));
  setWindowTitle(QStringLiteral("水面线计算"));
  auto* form = new QFormLayout(this);
  length_ = NamedBox(this, "ProfileLength");
  control_ = new QComboBox(this);
  control_->setObjectName(QStringLiteral("ProfileControl"));
  control_->addItems({QStringLiteral("控制水深(闸前、堰前或下游水位)"),
                      QStringLiteral("临界水深(跌坎、自由跌落或陡坡进口)"),
                      QStringLiteral("正常水深")});
  depth_ = NamedBox(this, "ProfileDepth");
  step_ = NamedBox(this, "ProfileStep");
  step_->setPlaceholderText(QStringLiteral("空白：渠段分为50段"));
  bed_ = NamedBox(this, "ProfileBed");
  form->addRow(QStringLiteral("渠段长L(m)="), length_);
  form->addRow(QStringLiteral("控制条件:"), control_);
  form->addRow(QStringLiteral("控制水深h0(m)="), depth_);
  form->addRow(QStringLiteral("计算步长Δx(m)="), step_);
  form->addRow(QStringLiteral("控制断面渠底高程(m)="), bed_);
  form->addRow(new QLabel(
      QStringLiteral("控制水深高于临界水深时在下游，向上游推算；低于临界水深时在上游(闸下)，"
                     "向下游推算。"),
      this));
  problem_ = new QLabel(this);
  problem_->setObjectName(QStringLiteral("ProfileProblem"));
  problem_->setStyleSheet(QStringLiteral("color: #b00000"));
  form->addRow(problem_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("计 算"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取 消"));
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &ProfileDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &ProfileDialog::reject);
  connect(control_, &QComboBox::currentIndexChanged, this,
          [this](int index) { depth_->setEnabled(index == 0); });
  UseCjkFaceWhereNeeded(this);
}

void ProfileDialog::SetRequest(const ProfileRequest& r) {
  length_->setText(QString::number(r.length, 'g', 10));
  control_->setCurrentIndex(static_cast<int>(r.control.kind));
  depth_->setText(r.control.kind == ControlKind::Depth ? QString::number(r.control.depth, 'g', 10)
                                                       : QString());
  depth_->setEnabled(r.control.kind == ControlKind::Depth);
  step_->setText(r.step > 0.0 ? QString::number(r.step, 'g', 10) : QString());
  bed_->setText(QString::number(r.bedAtControl, 'g', 10));
}

QString ProfileDialog::Problem() const {
  const std::optional<double> length = Read(length_);
  if (!length || !(*length > 0.0)) return QStringLiteral("渠段长L须为正数。");
  if (control_->currentIndex() == 0) {
    const std::optional<double> depth = Read(depth_);
    if (!depth || !(*depth > 0.0)) return QStringLiteral("控制水深h0须为正数。");
  }
  if (!step_->text().trimmed().isEmpty()) {
    const std::optional<double> step = Read(step_);
    if (!step || !(*step > 0.0)) return QStringLiteral("计算步长须为正数，或留空。");
  }
  if (!bed_->text().trimmed().isEmpty() && !Read(bed_)) {
    return QStringLiteral("渠底高程须为数值，或留空(取0)。");
  }
  return {};
}

std::optional<ProfileRequest> ProfileDialog::Request() const {
  if (!Problem().isEmpty()) return std::nullopt;
  ProfileRequest r;
  r.length = *Read(length_);
  r.control.kind = static_cast<ControlKind>(control_->currentIndex());
  if (r.control.kind == ControlKind::Depth) r.control.depth = *Read(depth_);
  r.step = Read(step_).value_or(0.0);
  r.bedAtControl = Read(bed_).value_or(0.0);
  return r;
}

void ProfileDialog::accept() {
  problem_->setText(Problem());
  if (problem_->text().isEmpty()) QDialog::accept();
}

}  // namespace tarnwick::ui
