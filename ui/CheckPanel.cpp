#include "CheckPanel.h"

#include <QSignalBlocker>

#include <QComboBox>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "WindowDecor.h"
#include "sections/FigureText.h"

namespace tarnwick::ui {

namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// A limit box's number; empty when the box is empty or holds no number yet.
std::optional<double> Number(const QLineEdit* box) {
  const QString text = box->text().trimmed();
  if (text.isEmpty()) return std::nullopt;
  bool ok = false;
  const double value = QLocale::c().toDouble(text, &ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

// The figures of a check without the status word its text ends with, which the
// panel shows in colour beside them.
QString Figures(const Check& check) {
  QString text = QString::fromStdString(check.text);
  const QString status = QLatin1Char(' ') + Q(StatusText(check.status));
  if (text.endsWith(status)) text.chop(status.size());
  return text;
}

// The object name of a check's row: its name, and for a partly read box the box.
QString RowName(const Check& check) {
  QString name = Q(check.name);
  if (!check.box.empty()) name += QLatin1Char('_') + Q(check.box);
  return name;
}

// A limit box on a row of its grid: what is limited, the box, the unit.
QList<QWidget*> LimitRow(QGridLayout* grid, int row, const QString& label, QLineEdit* box,
                         const QString& unit) {
  auto* text = new QLabel(label, box->parentWidget());
  text->setBuddy(box);
  auto* unitText = new QLabel(unit, box->parentWidget());
  grid->addWidget(text, row, 0);
  grid->addWidget(box, row, 1);
  grid->addWidget(unitText, row, 2);
  return {text, box, unitText};
}

bool Applies(const std::vector<Check>& checks, std::string_view name) {
  for (const Check& c : checks) {
    if (c.name == name) return true;
  }
  return false;
}

}  // namespace

QColor StatusColour(CheckStatus status) {
  switch (status) {
    case CheckStatus::Pass: return QColor(0, 128, 0);
    case CheckStatus::Fail: return QColor(200, 0, 0);
    case CheckStatus::Note: break;
  }
  return QColor(105, 105, 105);
}

CheckPanel::CheckPanel(QWidget* parent) : QScrollArea(parent) {
  setObjectName(QStringLiteral("CheckPanel"));
  setWidgetResizable(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // A column of fixed width whose height follows the pane: its own height asks
  // nothing of the window, so the pane keeps every line the window was sized for
  // and the panel scrolls when its checks are more than the pane is high.
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(4, 0, 4, 4);
  layout->addWidget(BuildLimits(column));
  checksFrame_ = new QGroupBox(QStringLiteral("工程校核"), column);
  checksFrame_->setObjectName(QStringLiteral("CheckList"));
  rows_ = new QGridLayout(checksFrame_);
  rows_->setColumnStretch(1, 1);
  rows_->setVerticalSpacing(6);
  layout->addWidget(checksFrame_);
  layout->addStretch(1);
  setWidget(column);
  const int wide = fontMetrics().horizontalAdvance(QStringLiteral("水"));
  setFixedWidth(22 * wide + verticalScrollBar()->sizeHint().width() + 2 * frameWidth() + 8);
  ShowChecks();
}

QLineEdit* CheckPanel::LimitBox(QWidget* parent, const char* name, const QString& placeholder,
                                const QString& text) {
  auto* box = new QLineEdit(text, parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setPlaceholderText(placeholder);
  auto* validator = new QDoubleValidator(0.0, 1000.0, 3, box);
  validator->setLocale(QLocale::c());
  validator->setNotation(QDoubleValidator::StandardNotation);
  box->setValidator(validator);
  connect(box, &QLineEdit::textChanged, this, &CheckPanel::Recheck);
  return box;
}

QWidget* CheckPanel::BuildLimits(QWidget* parent) {
  auto* frame = new QGroupBox(QStringLiteral("校核标准"), parent);
  frame->setObjectName(QStringLiteral("CheckLimits"));
  auto* grid = new QGridLayout(frame);
  const QString unchecked = QStringLiteral("不校核");
  velocityMin_ = LimitBox(frame, "VelocityMin", unchecked);
  velocityMax_ = LimitBox(frame, "VelocityMax", unchecked);
  LimitRow(grid, 0, QStringLiteral("不淤流速 ≥"), velocityMin_, QStringLiteral("m/s"));
  LimitRow(grid, 1, QStringLiteral("不冲流速 ≤"), velocityMax_, QStringLiteral("m/s"));
  lining_ = new QComboBox(frame);
  lining_->setObjectName(QStringLiteral("Lining"));
  lining_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  lining_->setMinimumContentsLength(8);
  lining_->addItem(QStringLiteral("按衬砌选取不冲流速…"));
  // Each lining with its tabulated range; the lower end is the limit, soils
  // corrected for the hydraulic radius of the case.
  for (const LiningVelocity& l : UsualMaximumVelocities()) {
    lining_->addItem(
        QStringLiteral("%1  %2～%3 m/s").arg(Q(l.name)).arg(l.maxVelocity).arg(l.upperEnd),
        Q(l.id));
  }
  lining_->setToolTip(Q(kLiningVelocitySource));
  connect(lining_, &QComboBox::activated, this, &CheckPanel::PickLining);
  // A maximum typed by hand is no longer the one of the lining shown.
  connect(velocityMax_, &QLineEdit::textEdited, lining_, [this] { lining_->setCurrentIndex(0); });
  grid->addWidget(lining_, 2, 0, 1, 3);
  auto* source = new QLabel(QStringLiteral("出处：") + Q(kLiningVelocitySource), frame);
  source->setObjectName(QStringLiteral("LiningSource"));
  source->setWordWrap(true);
  source->setEnabled(false);
  grid->addWidget(source, 3, 0, 1, 3);

  const CheckLimits defaults;
  froudeLow_ = LimitBox(frame, "FroudeLow", QString::number(defaults.froudeLow),
                        QString::number(defaults.froudeLow));
  froudeHigh_ = LimitBox(frame, "FroudeHigh", QString::number(defaults.froudeHigh),
                         QString::number(defaults.froudeHigh));
  LimitRow(grid, 4, QStringLiteral("近临界 Fr ≥"), froudeLow_, {});
  LimitRow(grid, 5, QStringLiteral("近临界 Fr ≤"), froudeHigh_, {});
  BuildClosedLimits(frame, grid, 6);
  return frame;
}

// Closed sections only: the rule (by kind of section unless chosen), and for the
// tunnel rule the dry share of the area and the height over the water.
void CheckPanel::BuildClosedLimits(QWidget* frame, QGridLayout* grid, int row) {
  closedRule_ = new QComboBox(frame);
  closedRule_->setObjectName(QStringLiteral("ClosedRule"));
  closedRule_->addItem(QStringLiteral("净空规则：按断面类型"));
  closedRule_->addItem(QStringLiteral("隧洞净空（SL 279）"), int(ClearanceRule::Tunnel));
  closedRule_->addItem(QStringLiteral("管道充满度（GB 50014）"), int(ClearanceRule::FillRatio));
  closedRule_->addItem(QStringLiteral("不校核净空"), int(ClearanceRule::None));
  connect(closedRule_, &QComboBox::currentIndexChanged, this, &CheckPanel::Recheck);
  grid->addWidget(closedRule_, row, 0, 1, 3);
  closedRows_ = {closedRule_};
  const CheckLimits defaults;
  const QString area = QString::number(defaults.clearanceAreaPercent);
  const QString height = QString::number(defaults.clearanceHeight);
  clearanceArea_ = LimitBox(frame, "ClearanceArea", area, area);
  clearanceHeight_ = LimitBox(frame, "ClearanceHeight", height, height);
  clearanceRows_ =
      LimitRow(grid, row + 1, QStringLiteral("净空面积 ≥"), clearanceArea_, QStringLiteral("%")) +
      LimitRow(grid, row + 2, QStringLiteral("净空高度 ≥"), clearanceHeight_, QStringLiteral("m"));
  for (QWidget* w : closedRows_ + clearanceRows_) w->setVisible(false);
}

// A lining picked: its limit replaces one typed by hand.
void CheckPanel::PickLining(int index) {
  if (!lining_->itemData(index).isValid()) return;
  velocityMax_->clear();
  Recheck();
}

CheckLimits CheckPanel::Limits() const {
  CheckLimits limits;
  limits.velocityMin = Number(velocityMin_);
  limits.velocityMax = Number(velocityMax_);
  const QVariant lining = lining_->currentData();
  if (lining.isValid()) limits.lining = lining.toString().toStdString();
  if (const auto low = Number(froudeLow_)) limits.froudeLow = *low;
  if (const auto high = Number(froudeHigh_)) limits.froudeHigh = std::max(*high, limits.froudeLow);
  const QVariant rule = closedRule_->currentData();
  if (rule.isValid()) limits.closedRule = ClearanceRule(rule.toInt());
  // An emptied clearance box falls back to the usual rule shown in it.
  if (const auto area = Number(clearanceArea_)) limits.clearanceAreaPercent = *area;
  if (const auto height = Number(clearanceHeight_)) limits.clearanceHeight = *height;
  return limits;
}

void CheckPanel::SetLimits(const CheckLimits& limits) {
  const QSignalBlocker quiet(this);
  const auto text = [](const std::optional<double>& x) {
    return x ? QString::fromStdString(ShortestText(*x)) : QString();
  };
  velocityMin_->setText(text(limits.velocityMin));
  velocityMax_->setText(text(limits.velocityMax));
  const int lining = lining_->findData(QString::fromStdString(limits.lining));
  lining_->setCurrentIndex(limits.lining.empty() || lining < 0 ? 0 : lining);
  froudeLow_->setText(QString::fromStdString(ShortestText(limits.froudeLow)));
  froudeHigh_->setText(QString::fromStdString(ShortestText(limits.froudeHigh)));
  const int rule = limits.closedRule ? closedRule_->findData(int(*limits.closedRule)) : -1;
  closedRule_->setCurrentIndex(rule < 0 ? 0 : rule);
  clearanceArea_->setText(QString::fromStdString(ShortestText(limits.clearanceAreaPercent)));
  clearanceHeight_->setText(QString::fromStdString(ShortestText(limits.clearanceHeight)));
}

void CheckPanel::ShowClearanceLimits(bool shown) {
  clearanceAlways_ = shown;
  ShowChecks();
}

void CheckPanel::ShowRecord(const CaseRecord& record) {
  record_ = record;
  shown_ = record_->checks;
  ShowChecks();
}

void CheckPanel::Clear() {
  record_.reset();
  shown_.clear();
  ShowChecks();
}

void CheckPanel::Recheck() {
  const CheckLimits limits = Limits();
  if (record_) {
    Rejudge(*record_, limits);
    shown_ = record_->checks;
  }
  ShowChecks();
  emit limitsChanged(limits);
}

void CheckPanel::ShowChecks() {
  while (QLayoutItem* item = rows_->takeAt(0)) {
    delete item->widget();
    delete item;
  }
  const bool tunnelRule = Applies(shown_, "clearance_area") || Applies(shown_, "clearance_height");
  const bool closed = tunnelRule || Applies(shown_, "fill_ratio") || Applies(shown_, "clearance");
  for (QWidget* w : closedRows_) w->setVisible(closed || clearanceAlways_);
  for (QWidget* w : clearanceRows_) w->setVisible(tunnelRule || clearanceAlways_);
  if (shown_.empty()) {
    auto* hint = new QLabel(QStringLiteral("按“确 定”计算后，此处显示最后一次计算的校核结果。"),
                            checksFrame_);
    hint->setObjectName(QStringLiteral("CheckHint"));
    hint->setWordWrap(true);
    hint->setEnabled(false);
    rows_->addWidget(hint, 0, 0, 1, 2);
  }
  int at = 0;
  for (const Check& check : shown_) {
    auto* status = new QLabel(Q(StatusText(check.status)), checksFrame_);
    status->setObjectName(RowName(check) + QStringLiteral("Status"));
    QFont bold = status->font();
    bold.setBold(true);
    status->setFont(bold);
    QPalette pal = status->palette();
    pal.setColor(QPalette::WindowText, StatusColour(check.status));
    status->setPalette(pal);
    status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* figures = new QLabel(Figures(check), checksFrame_);
    figures->setObjectName(RowName(check) + QStringLiteral("Text"));
    figures->setWordWrap(true);
    figures->setTextInteractionFlags(Qt::TextSelectableByMouse);
    rows_->addWidget(status, at, 0);
    rows_->addWidget(figures, at++, 1);
  }
  UseCjkFaceWhereNeeded(this);
}

}  // namespace tarnwick::ui
