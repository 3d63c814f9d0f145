#include "WindowDecor.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

namespace tarnwick::ui {

const std::array<ToolButtonSpec, 9>& CalculationToolbar() {
  static const std::array<ToolButtonSpec, 9> buttons = {{
      {1, QStringLiteral("清除屏幕计算结果"), ToolIcon::Clean},
      {2, QStringLiteral("打印计算结果"), ToolIcon::Print},
      {3, QStringLiteral("返回主选取单"), ToolIcon::Return},
      {4, QStringLiteral("退出系统"), ToolIcon::Exit},
      {5, QString(), ToolIcon::None},
      {6, QStringLiteral("绘制渠道断面"), ToolIcon::Section},
      {7, QStringLiteral("绘制水位—流量关系曲线"), ToolIcon::Curve},
      {8, QString(), ToolIcon::None},
      {9, QStringLiteral("帮助"), ToolIcon::Help},
  }};
  return buttons;
}

QString CjkFace() { return QStringLiteral("Noto Sans CJK SC"); }

bool NeedsCjkFace(const QString& text) {
  bool han = false;
  bool fullWidth = false;
  bool punctuation = false;
  for (const QChar ch : text) {
    const char16_t c = ch.unicode();
    han = han || (c >= 0x4E00 && c <= 0x9FFF);
    fullWidth = fullWidth || (c >= 0x3000 && c <= 0x303F) || (c >= 0xFF00 && c <= 0xFFEF);
    punctuation = punctuation || (c >= 0x2010 && c <= 0x2027);
  }
  return fullWidth || (han && punctuation);
}

namespace {

QString ShownText(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
  if (const auto* group = qobject_cast<const QGroupBox*>(widget)) return group->title();
  return QString();
}

void UseCjkFaceIfNeeded(QWidget* widget) {
  if (!NeedsCjkFace(ShownText(widget))) return;
  QFont font = widget->font();
  if (font.families() == QStringList{CjkFace()}) return;
  font.setFamilies({CjkFace()});
  widget->setFont(font);
}

}  // namespace

void UseCjkFaceWhereNeeded(QWidget* root) {
  UseCjkFaceIfNeeded(root);
  for (QWidget* child : root->findChildren<QWidget*>()) UseCjkFaceIfNeeded(child);
}

QFont PaneFont() {
  QFont font(QStringLiteral("Noto Sans Mono CJK SC"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  // 16 px: Latin advance 8 px, CJK advance 16 px, both whole.
  font.setPixelSize(16);
  return font;
}

}  // namespace tarnwick::ui
