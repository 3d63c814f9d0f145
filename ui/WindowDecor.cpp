#include "WindowDecor.h"

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

QFont PaneFont() {
  QFont font(QStringLiteral("Noto Sans Mono CJK SC"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  // 16 px: Latin advance 8 px, CJK advance 16 px, both whole.
  font.setPixelSize(16);
  return font;
}

}  // namespace tarnwick::ui
