#include "CoverDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "Session.h"
#include "WindowDecor.h"

namespace tarnwick::ui {

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CoverDialog::CoverDialog(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("CoverDialog"));
  setWindowTitle(QStringLiteral("工程信息"));
  auto* form = new QFormLayout(this);
  name_ = new QLineEdit(QString::fromStdString(session.Current().name), this);
  name_->setObjectName(QStringLiteral("name"));
  name_->setMinimumWidth(320);
  form->addRow(QStringLiteral("工程名称"), name_);
  const BookCover& cover = session.Current().cover;
  for (const CoverKey& key : CoverKeys()) {
    auto* box = new QLineEdit(QString::fromStdString(cover.*key.field), this);
    box->setObjectName(Q(key.key));
    form->addRow(Q(key.caption), box);
    fields_.push_back(box);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
  UseCjkFaceWhereNeeded(this);
}

void CoverDialog::accept() {
  BookCover cover;
  const std::span<const CoverKey> keys = CoverKeys();
  for (std::size_t k = 0; k < keys.size() && k < fields_.size(); ++k) {
    cover.*keys[k].field = fields_[k]->text().trimmed().toStdString();
  }
  session_.SetCover(name_->text().trimmed().toStdString(), cover);
  QDialog::accept();
}

}  // namespace tarnwick::ui
