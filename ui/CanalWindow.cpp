#include "CanalWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <functional>

#include "ProjectMenu.h"
#include "Session.h"
#include "WindowDecor.h"
#include "core/ReadNumber.h"
#include "sections/FlowCombination.h"
#include "sections/ProfileTable.h"
#include "sections/SectionDrawing.h"

namespace tarnwick::ui {

namespace {

constexpr int kName = 0;
constexpr int kWindow = 1;
constexpr int kFirstBox = 2;

// The boxes of a window that a reach fills: all but the discharge, which is the canal's.
std::vector<const BoxSpec*> ReachBoxes(const WindowSpec& w) {
  std::vector<const BoxSpec*> boxes;
  for (const BoxSpec& b : w.boxes) {
    if (b.role != BoxRole::Discharge) boxes.push_back(&b);
  }
  return boxes;
}

std::vector<const WindowSpec*> DepthWindows() {
  std::vector<const WindowSpec*> out;
  for (const WindowSpec& w : Windows()) {
    if (w.kind == CalculationKind::Depth) out.push_back(&w);
  }
  return out;
}

int BoxColumns() {
  std::size_t most = 0;
  for (const WindowSpec* w : DepthWindows()) most = std::max(most, ReachBoxes(*w).size());
  return static_cast<int>(most);
}

int LengthColumn() { return kFirstBox + BoxColumns(); }

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Number(double x) { return QString::number(x, 'g', 15); }

// The number a text holds in full, or empty.
std::optional<double> Figure(const QString& text) {
  const NumberReading r = ReadNumber(text.toStdString());
  if (text.trimmed().isEmpty() || r.partial || !r.valid) return std::nullopt;
  return r.value;
}

QString CellText(const QTableWidget* table, int row, int column) {
  const QTableWidgetItem* item = table->item(row, column);
  return item != nullptr ? item->text().trimmed() : QString();
}

QString Metres(double x) { return QString::number(x, 'f', 3); }

// How the freeboard was set, with the rule's source.
QString FreeboardRuleText(const CanalBanks& b) {
  return b.freeboardByRule
             ? QStringLiteral("Fb=h加大/4+0.2 m（") + Q(FreeboardSource()) + QStringLiteral("）")
             : QStringLiteral("Fb 为设计者选定");
}

// The line over the drawing: how the bank levels were set.
QString BankRule(const CanalBanks& b) {
  return QStringLiteral("渠顶高程=Q加大=%1 m³/s 时渠段最高水位+Fb，").arg(b.increased, 0, 'g', 6) +
         FreeboardRuleText(b);
}

// The lines under the station table: the increased discharge, then per reach the
// highest level at it, Fb and the bank level, or the crown of a closed reach.
QString BanksText(const CanalBanks& b, const CanalResult& result) {
  QString text = QStringLiteral("加大流量Q加大=%1 m³/s").arg(b.increased, 0, 'g', 6);
  text += b.coefficientFromTable ? QStringLiteral("（加大系数K=%1，按设计流量查表内插，%2）")
                                       .arg(b.coefficient, 0, 'f', 3)
                                       .arg(Q(IncreaseSource()))
                                 : QStringLiteral("（设计者输入）");
  text += QStringLiteral("，控制条件同设计流量");
  if (!b.refusal.empty()) {
    return text + QStringLiteral("\n加大流量水面线未能计算：") + Q(b.refusal);
  }
  for (std::size_t j = 0; j < b.reaches.size() && j < result.reaches.size(); ++j) {
    const ReachBank& r = b.reaches[j];
    text += QStringLiteral("\n%1：加大流量最高水位 %2 m（x=%3 m，h加大=%4 m），")
                .arg(Q(result.reaches[j].name), Metres(r.highest))
                .arg(r.x, 0, 'f', 2)
                .arg(Metres(r.depth));
    text +=
        r.closed
            ? QStringLiteral("封闭断面，洞顶高程 %1 m（净空 %2 m）")
                  .arg(Metres(r.level), Metres(r.level - r.highest))
            : QStringLiteral("Fb=%1 m，渠顶高程 %2 m").arg(Metres(r.freeboard), Metres(r.level));
  }
  return text + QStringLiteral("\n") + FreeboardRuleText(b);
}

}  // namespace

CanalWindow::CanalWindow(Session& session, QWidget* parent)
    : SheetWindow(parent, QStringLiteral("Canal"), QStringLiteral("渠道纵断面"), true),
      session_(session) {
  setObjectName(QStringLiteral("CanalWindow"));
  setWindowTitle(QStringLiteral("渠道水面线"));
  QWidget* pages = takeCentralWidget();
  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(BuildEditor());
  // The bank levels in a line under the drawing and the station table.
  auto* below = new QWidget(split);
  auto* column = new QVBoxLayout(below);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(pages, 1);
  banks_ = new QLabel(below);
  banks_->setObjectName(QStringLiteral("CanalBanks"));
  banks_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  column->addWidget(banks_);
  split->addWidget(below);
  split->setStretchFactor(1, 1);
  setCentralWidget(split);
  // The project's commands here too: the canal is saved and opened with it.
  QMenu* project = menuBar()->addMenu(QStringLiteral("工程(&P)"));
  AddProjectActions(project, this, session_);
  connect(&session_, &Session::replaced, this, &CanalWindow::TakeSessionCanal);
  TakeSessionCanal();
  resize(static_cast<int>(kSheetWidth) + 620, static_cast<int>(kSheetHeight) + 380);
  UseCjkFaceWhereNeeded(this);
}

QWidget* CanalWindow::BuildEditor() {
  auto* editor = new QWidget(this);
  auto* layout = new QVBoxLayout(editor);
  auto* head = new QHBoxLayout;
  const auto edit = [editor](const char* name) {
    auto* e = new QLineEdit(editor);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaximumWidth(110);
    return e;
  };
  discharge_ = edit("CanalDischarge");
  controlValue_ = edit("CanalControlValue");
  step_ = edit("CanalStep");
  control_ = new QComboBox(editor);
  control_->setObjectName(QStringLiteral("CanalControl"));
  control_->addItems({QStringLiteral("下游水深 h(m)"), QStringLiteral("下游水位 z(m)"),
                      QStringLiteral("下游临界水深(跌水)")});
  connect(control_, &QComboBox::currentIndexChanged, this,
          [this](int k) { controlValue_->setEnabled(k != 2); });
  head->addWidget(new QLabel(QStringLiteral("设计流量Q(m³/s)"), editor));
  head->addWidget(discharge_);
  head->addWidget(new QLabel(QStringLiteral("下游控制"), editor));
  head->addWidget(control_);
  head->addWidget(controlValue_);
  head->addWidget(new QLabel(QStringLiteral("计算步长Δx(m)，空为每段50步"), editor));
  head->addWidget(step_);
  head->addStretch(1);
  layout->addLayout(head);
  layout->addLayout(BuildBanksRow(editor));

  reaches_ = new QTableWidget(0, LengthColumn() + 3, editor);
  reaches_->setObjectName(QStringLiteral("CanalReaches"));
  QStringList headings = {QStringLiteral("渠段名称"), QStringLiteral("断面形式")};
  for (int k = 0; k < BoxColumns(); ++k) headings << QStringLiteral("参数%1").arg(k + 1);
  headings << QStringLiteral("渠段长L(m)") << QStringLiteral("下游端渠底高程(m)")
           << QStringLiteral("进口局部损失系数ζ");
  reaches_->setHorizontalHeaderLabels(headings);
  reaches_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  connect(reaches_, &QTableWidget::currentCellChanged, this, &CanalWindow::ShowBoxHint);
  layout->addWidget(reaches_, 1);
  hint_ = new QLabel(editor);
  hint_->setObjectName(QStringLiteral("CanalBoxHint"));
  hint_->setWordWrap(true);
  layout->addWidget(hint_);

  layout->addLayout(BuildButtons(editor));
  return editor;
}

QLayout* CanalWindow::BuildBanksRow(QWidget* editor) {
  auto* row = new QHBoxLayout;
  increased_ = new QComboBox(editor);
  increased_->setObjectName(QStringLiteral("CanalIncreased"));
  increased_->addItems({QStringLiteral("自动(设计流量×加大系数，查表内插)"),
                        QStringLiteral("输入 Q加大(m³/s)"), QStringLiteral("不计算渠顶")});
  increasedValue_ = new QLineEdit(editor);
  increasedValue_->setObjectName(QStringLiteral("CanalIncreasedValue"));
  increasedValue_->setMaximumWidth(110);
  freeboard_ = new QLineEdit(editor);
  freeboard_->setObjectName(QStringLiteral("CanalFreeboard"));
  freeboard_->setMaximumWidth(110);
  connect(increased_, &QComboBox::currentIndexChanged, this, [this](int k) {
    increasedValue_->setEnabled(k == 1);
    freeboard_->setEnabled(k != 2);
  });
  increasedValue_->setEnabled(false);
  row->addWidget(new QLabel(QStringLiteral("加大流量"), editor));
  row->addWidget(increased_);
  row->addWidget(increasedValue_);
  row->addWidget(new QLabel(QStringLiteral("安全超高Fb(m)，空为 h加大/4+0.2"), editor));
  row->addWidget(freeboard_);
  row->addStretch(1);
  return row;
}

bool CanalWindow::ReadBanksRequest(CanalInput& canal, QString* why) const {
  const auto refuse = [why](const QString& text) {
    if (why != nullptr) *why = text;
    return false;
  };
  canal.increasedAuto = increased_->currentIndex() == 0;
  if (increased_->currentIndex() == 2) return true;
  if (increased_->currentIndex() == 1) {
    const std::optional<double> q = Figure(increasedValue_->text());
    if (!q || !(*q > 0.0)) return refuse(QStringLiteral("加大流量Q加大须为正数。"));
    canal.increased = *q;
  }
  if (freeboard_->text().trimmed().isEmpty()) return true;
  const std::optional<double> f = Figure(freeboard_->text());
  if (!f || *f < 0.0)
    return refuse(QStringLiteral("安全超高Fb须为非负数，或空着(按 h加大/4+0.2)。"));
  canal.freeboard = *f;
  return true;
}

QLayout* CanalWindow::BuildButtons(QWidget* editor) {
  auto* buttons = new QHBoxLayout;
  const struct {
    const char* name;
    QString caption;
    std::function<void()> act;
  } kinds[] = {
      {"CanalAdd", QStringLiteral("添加渠段"), [this] { AddReach(); }},
      {"CanalRemove", QStringLiteral("删除渠段"), [this] { RemoveReach(); }},
      {"CanalUp", QStringLiteral("上移"), [this] { MoveReach(-1); }},
      {"CanalDown", QStringLiteral("下移"), [this] { MoveReach(1); }},
      {"CanalCompute", QStringLiteral("计 算"), [this] { Compute(); }},
  };
  for (const auto& kind : kinds) {
    auto* button = new QPushButton(kind.caption, editor);
    button->setObjectName(QString::fromLatin1(kind.name));
    connect(button, &QPushButton::clicked, this, kind.act);
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  return buttons;
}

void CanalWindow::SetWindowOfRow(int row, const WindowSpec* window) {
  auto* choice = new QComboBox(reaches_);
  int chosen = 0;
  const std::vector<const WindowSpec*> windows = DepthWindows();
  for (std::size_t k = 0; k < windows.size(); ++k) {
    choice->addItem(Q(FamilyOf(windows[k]->family).optionText));
    if (windows[k] == window) chosen = static_cast<int>(k);
  }
  choice->setCurrentIndex(chosen);
  const auto apply = [this, choice](int k) {
    // The row the box stands in now (rows move), its cells opened for the window's boxes.
    int row = 0;
    while (row < reaches_->rowCount() && reaches_->cellWidget(row, kWindow) != choice) ++row;
    const std::vector<const BoxSpec*> boxes = ReachBoxes(*DepthWindows()[std::size_t(k)]);
    for (int c = 0; c < BoxColumns(); ++c) {
      QTableWidgetItem* item = reaches_->item(row, kFirstBox + c);
      if (item == nullptr) reaches_->setItem(row, kFirstBox + c, item = new QTableWidgetItem);
      const bool used = c < static_cast<int>(boxes.size());
      item->setFlags(used ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                          : Qt::NoItemFlags);
      item->setBackground(used ? QBrush() : QBrush(QColor(225, 225, 225)));
      item->setToolTip(used ? Q(boxes[std::size_t(c)]->label) : QString());
      if (!used) item->setText({});
    }
    ShowBoxHint();
  };
  connect(choice, &QComboBox::currentIndexChanged, this, apply);
  reaches_->setCellWidget(row, kWindow, choice);
  apply(chosen);
}

void CanalWindow::ShowBoxHint() {
  const int row = reaches_->currentRow();
  const auto* choice =
      row < 0 ? nullptr : qobject_cast<QComboBox*>(reaches_->cellWidget(row, kWindow));
  if (choice == nullptr) {
    hint_->clear();
    return;
  }
  QStringList parts;
  const std::vector<const BoxSpec*> boxes =
      ReachBoxes(*DepthWindows()[std::size_t(choice->currentIndex())]);
  for (std::size_t k = 0; k < boxes.size(); ++k) {
    parts << QStringLiteral("参数%1：%2").arg(k + 1).arg(Q(boxes[k]->label).trimmed());
  }
  hint_->setText(choice->currentText() + QStringLiteral("　") + parts.join(QStringLiteral("　")));
}

void CanalWindow::AddReach() {
  const int row = reaches_->currentRow() < 0 ? reaches_->rowCount() : reaches_->currentRow() + 1;
  reaches_->insertRow(row);
  for (int c = 0; c < reaches_->columnCount(); ++c) {
    if (c != kWindow) reaches_->setItem(row, c, new QTableWidgetItem);
  }
  reaches_->item(row, LengthColumn() + 2)->setText(QStringLiteral("0"));
  SetWindowOfRow(row, DepthWindows().front());
  reaches_->setCurrentCell(row, kName);
}

void CanalWindow::RemoveReach() {
  const int row = reaches_->currentRow();
  if (row >= 0) reaches_->removeRow(row);
}

void CanalWindow::MoveReach(int by) {
  const int row = reaches_->currentRow();
  const int to = row + by;
  if (row < 0 || to < 0 || to >= reaches_->rowCount()) return;
  // The two rows swap their texts and their windows.
  const auto* a = qobject_cast<QComboBox*>(reaches_->cellWidget(row, kWindow));
  const auto* b = qobject_cast<QComboBox*>(reaches_->cellWidget(to, kWindow));
  const std::vector<const WindowSpec*> windows = DepthWindows();
  const WindowSpec* wa = windows[std::size_t(a->currentIndex())];
  const WindowSpec* wb = windows[std::size_t(b->currentIndex())];
  QStringList ta;
  QStringList tb;
  for (int c = 0; c < reaches_->columnCount(); ++c) {
    ta << CellText(reaches_, row, c);
    tb << CellText(reaches_, to, c);
  }
  SetWindowOfRow(row, wb);
  SetWindowOfRow(to, wa);
  for (int c = 0; c < reaches_->columnCount(); ++c) {
    if (c == kWindow) continue;
    reaches_->item(row, c)->setText(tb[c]);
    reaches_->item(to, c)->setText(ta[c]);
  }
  reaches_->setCurrentCell(to, reaches_->currentColumn());
}

std::optional<CanalInput> CanalWindow::CanalOfForm(QString* why) const {
  const auto refuse = [why](const QString& text) {
    if (why != nullptr) *why = text;
    return std::nullopt;
  };
  CanalInput canal;
  const std::optional<double> q = Figure(discharge_->text());
  if (!q || !(*q > 0.0)) return refuse(QStringLiteral("设计流量Q须为正数。"));
  canal.discharge = *q;
  canal.control = std::array{CanalControl::Depth, CanalControl::Level,
                             CanalControl::Critical}[std::size_t(control_->currentIndex())];
  if (canal.control != CanalControl::Critical) {
    const std::optional<double> v = Figure(controlValue_->text());
    if (!v) return refuse(QStringLiteral("下游控制的水深或水位不是数值。"));
    canal.controlValue = *v;
  }
  const std::optional<double> step = Figure(step_->text());
  if (!step_->text().trimmed().isEmpty() && (!step || *step < 0.0)) {
    return refuse(QStringLiteral("计算步长须为正数，或空着(每段50步)。"));
  }
  canal.step = step.value_or(0.0);
  QString banksWhy;
  if (!ReadBanksRequest(canal, &banksWhy)) return refuse(banksWhy);
  if (reaches_->rowCount() == 0) return refuse(QStringLiteral("尚无渠段：请按“添加渠段”。"));
  const std::vector<const WindowSpec*> windows = DepthWindows();
  for (int row = 0; row < reaches_->rowCount(); ++row) {
    CanalReach r;
    r.name = CellText(reaches_, row, kName).toStdString();
    const auto* choice = qobject_cast<QComboBox*>(reaches_->cellWidget(row, kWindow));
    r.window = windows[std::size_t(choice->currentIndex())];
    for (std::size_t k = 0; k < ReachBoxes(*r.window).size(); ++k) {
      r.boxes.push_back(CellText(reaches_, row, kFirstBox + int(k)).toStdString());
    }
    const QString place = QStringLiteral("第 %1 行渠段“%2”：").arg(row + 1).arg(Q(r.name));
    const std::optional<double> length = Figure(CellText(reaches_, row, LengthColumn()));
    const std::optional<double> bed = Figure(CellText(reaches_, row, LengthColumn() + 1));
    const QString lossText = CellText(reaches_, row, LengthColumn() + 2);
    const std::optional<double> loss = lossText.isEmpty() ? 0.0 : Figure(lossText);
    if (r.name.empty()) return refuse(place + QStringLiteral("须有渠段名称。"));
    if (!length || !(*length > 0.0)) return refuse(place + QStringLiteral("渠段长须为正数。"));
    if (!bed) return refuse(place + QStringLiteral("下游端渠底高程不是数值。"));
    if (!loss || *loss < 0.0) return refuse(place + QStringLiteral("局部损失系数ζ须为非负数。"));
    r.length = *length;
    r.bedDownstream = *bed;
    r.loss = *loss;
    canal.reaches.push_back(std::move(r));
  }
  return canal;
}

void CanalWindow::Load(const CanalInput& canal) {
  discharge_->setText(Number(canal.discharge));
  control_->setCurrentIndex(static_cast<int>(canal.control));
  controlValue_->setText(canal.control == CanalControl::Critical ? QString()
                                                                 : Number(canal.controlValue));
  step_->setText(canal.step > 0.0 ? Number(canal.step) : QString());
  increased_->setCurrentIndex(canal.increasedAuto ? 0 : canal.increased ? 1 : 2);
  increasedValue_->setText(canal.increased ? Number(*canal.increased) : QString());
  freeboard_->setText(canal.freeboard ? Number(*canal.freeboard) : QString());
  reaches_->setRowCount(0);
  for (const CanalReach& r : canal.reaches) {
    reaches_->setCurrentCell(reaches_->rowCount() - 1, kName);
    AddReach();
    const int row = reaches_->rowCount() - 1;
    SetWindowOfRow(row, r.window);
    reaches_->item(row, kName)->setText(Q(r.name));
    for (std::size_t k = 0; k < r.boxes.size(); ++k) {
      reaches_->item(row, kFirstBox + int(k))->setText(Q(r.boxes[k]));
    }
    reaches_->item(row, LengthColumn())->setText(Number(r.length));
    reaches_->item(row, LengthColumn() + 1)->setText(Number(r.bedDownstream));
    reaches_->item(row, LengthColumn() + 2)->setText(Number(r.loss));
  }
}

bool CanalWindow::Compute() {
  QString why;
  const std::optional<CanalInput> canal = CanalOfForm(&why);
  if (!canal) {
    sheet_.reset();
    result_.reset();
    banks_->clear();
    ShowMessage(QStringLiteral("未能计算渠道水面线。\n\n") + why);
    return false;
  }
  session_.SetCanal(*canal);
  return ShowCanal(*canal);
}

bool CanalWindow::ShowCanal(const CanalInput& canal) {
  CanalResult result = ComputeCanal(canal);
  sheet_.reset();
  result_.reset();
  banks_->clear();
  if (result.reaches.empty()) {
    ShowMessage(QStringLiteral("未能计算渠道水面线。\n\n") +
                QString::fromStdString(result.refusal));
    return false;
  }
  std::optional<CanalBanks> banks;
  if (canal.BanksAsked()) banks = BankLevels(canal);
  CanalSheet sheet;
  sheet.discharge = canal.discharge;
  sheet.title = SheetTitle();
  if (banks && banks->refusal.empty()) sheet.bankRule = BankRule(*banks);
  std::vector<StationRow> rows;
  for (std::size_t j = 0; j < result.reaches.size(); ++j) {
    const CanalReachProfile& r = result.reaches[j];
    const CanalReach& reach = canal.reaches[j];
    const std::optional<SectionCase> c = CaseOf(*reach.window, ReachTexts(reach, canal.discharge));
    sheet.reaches.push_back({Q(r.name), r.profile, r.offset, c ? DrawingOf(*c).top : 0.0,
                             reach.window->closed, r.freeFall, std::nullopt});
    if (banks && j < banks->reaches.size() && !banks->reaches[j].closed) {
      sheet.reaches.back().bank = banks->reaches[j].level;
    }
    for (const ProfileStation& s : r.profile.stations) rows.push_back({Q(r.name), s, r.offset});
  }
  if (banks) banks_->setText(BanksText(*banks, result));
  sheet_ = std::move(sheet);
  result_ = std::move(result);
  ShowSheet(std::move(rows));
  return true;
}

void CanalWindow::TakeSessionCanal() {
  sheet_.reset();
  result_.reset();
  if (const CanalInput* canal = session_.Canal()) {
    Load(*canal);
    ShowCanal(*canal);
    return;
  }
  // A canal's banks are set at its increased discharge unless asked otherwise,
  // as a canal file reads.
  CanalInput fresh;
  fresh.increasedAuto = true;
  Load(fresh);
  discharge_->clear();
  AddReach();
  ShowMessage(QStringLiteral("输入设计流量、下游控制和各渠段(自上游至下游)后按“计 算”。"));
}

void CanalWindow::Paint(QPainter& painter, const QRectF& sheet) const {
  if (sheet_) PaintCanal(painter, sheet, *sheet_);
}

std::optional<double> CanalWindow::DistanceAt(const QRectF& sheet, double px) const {
  if (!sheet_) return std::nullopt;
  return CanalScaleOf(sheet, *sheet_).DistanceAt(px);
}

QString CanalWindow::ReadoutAt(double x) const {
  if (!sheet_) return {};
  const std::optional<CanalPoint> p = CanalPointAt(*sheet_, x);
  if (!p) return {};
  return QStringLiteral("渠段 %1　").arg(p->reach) + PointReadout(p->at);
}

std::string CanalWindow::Csv() const {
  if (!result_) return {};
  std::vector<ReachStations> reaches;
  for (const CanalReachProfile& r : result_->reaches) {
    reaches.push_back({r.name, &r.profile.stations, r.offset});
  }
  return CanalCsv(reaches);
}

QString CanalWindow::SheetTitle() const {
  const std::string& name = session_.Current().name;
  return name.empty() ? QStringLiteral("渠道") : Q(name);
}

}  // namespace tarnwick::ui
