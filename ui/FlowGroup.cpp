#include "FlowGroup.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <cmath>
#include <limits>

#include "core/ReadNumber.h"

namespace tarnwick::ui {

namespace {

// A number typed, or empty for an empty box; a text that does not read whole
// reads as NaN, which the request's own judgement refuses.
std::optional<double> Typed(const QLineEdit* box) {
  const QString text = box->text().trimmed();
  if (text.isEmpty()) return std::nullopt;
  const NumberReading r = ReadNumber(text.toStdString());
  return r.valid && !r.partial ? r.value : std::numeric_limits<double>::quiet_NaN();
}

// A label, its box and its unit in row `row` from column `column` of `grid`.
QLineEdit* AddBox(QGridLayout* grid, int row, int column, const char* name, const QString& label,
                  const QString& unit, const QString& hint) {
  QWidget* parent = grid->parentWidget();
  auto* caption = new QLabel(label, parent);
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setPlaceholderText(hint);
  box->setToolTip(hint);
  box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
  caption->setBuddy(box);
  grid->addWidget(caption, row, column);
  grid->addWidget(box, row, column + 1);
  grid->addWidget(new QLabel(unit, parent), row, column + 2);
  return box;
}

QString Shown(const std::optional<double>& value) {
  return value ? QString::number(*value, 'g', 15) : QString();
}

}  // namespace

FlowGroup::FlowGroup(QWidget* parent) : QGroupBox(QStringLiteral("流量组合"), parent) {
  setObjectName(QStringLiteral("FlowGroup"));
  // One narrow column beside the boxes, no taller than they are.
  auto* grid = new QGridLayout(this);
  increased_ = AddBox(grid, 0, 0, "FlowIncreased", QStringLiteral("加大流量"),
                      QStringLiteral("m³/s"), QStringLiteral("空：设计流量×K"));
  coefficient_ = AddBox(grid, 1, 0, "FlowCoefficient", QStringLiteral("加大系数K"), QString(),
                        QStringLiteral("空：按设计流量查表内插"));
  least_ = AddBox(grid, 2, 0, "FlowLeast", QStringLiteral("最小流量"), QStringLiteral("m³/s"),
                  QStringLiteral("空：不作流量组合"));
  freeboard_ = AddBox(grid, 3, 0, "FlowFreeboard", QStringLiteral("安全超高Fb"),
                      QStringLiteral("m"), QStringLiteral("空：h加大/4+0.2 m"));
  setToolTip(
      QStringLiteral("设计流量取输入框的Q；加大系数表与Fb=h加大/4+0.2 m：GB 50288-2018"
                     "（条文号未查证，可设定）"));
}

std::optional<FlowRequest> FlowGroup::Request() const {
  const std::optional<double> least = Typed(least_);
  if (!least) return std::nullopt;
  FlowRequest r;
  r.least = *least;
  r.increased = Typed(increased_);
  // A coefficient goes with the increased discharge left to the rule.
  if (!r.increased) r.coefficient = Typed(coefficient_);
  r.freeboard = Typed(freeboard_);
  return r;
}

void FlowGroup::Show(const std::optional<FlowRequest>& request) {
  least_->setText(request ? Shown(request->least) : QString());
  increased_->setText(request ? Shown(request->increased) : QString());
  coefficient_->setText(request ? Shown(request->coefficient) : QString());
  freeboard_->setText(request ? Shown(request->freeboard) : QString());
}

}  // namespace tarnwick::ui
