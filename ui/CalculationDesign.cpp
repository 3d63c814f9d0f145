// The design frame of the calculation window: the family's discharge window's
// boxes and a design request (sections/CaseRecord.h) chosen among those the
// family's windows answer. The unknown stands locked and takes the solved value;
// so do the boxes a proportioned or sized section does not read.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "CalculationWindow.h"
#include "CheckPanel.h"
#include "FlowGroup.h"
#include "core/ReadNumber.h"
#include "sections/FigureText.h"

namespace tarnwick::ui {

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString WithoutEquals(std::string_view label) {
  QString text = Q(label).trimmed();
  if (text.endsWith(QLatin1Char('='))) text.chop(1);
  return text;
}

// A labelled design box with its unit, in row `row` of `grid`; its widgets are
// added to `widgets` so that a mode can show or hide them together.
QLineEdit* AddDesignBox(QGridLayout* grid, int row, const char* name, const QString& label,
                        const QString& unit, const QString& text,
                        std::vector<QWidget*>* widgets = nullptr) {
  QWidget* parent = grid->parentWidget();
  auto* caption = new QLabel(label, parent);
  auto* box = new QLineEdit(text, parent);
  box->setObjectName(QString::fromLatin1(name));
  caption->setBuddy(box);
  auto* units = new QLabel(unit, parent);
  grid->addWidget(caption, row, 0);
  grid->addWidget(box, row, 1);
  grid->addWidget(units, row, 2);
  if (widgets != nullptr) *widgets = {caption, box, units};
  return box;
}

// A number typed into a design box, as the solvers take it: what the text reads
// as; a text that does not read whole is refused by them as an input error.
double Typed(const QLineEdit* box) {
  const NumberReading r = ReadNumber(box->text().trimmed().toStdString());
  return r.valid && !r.partial ? r.value : std::numeric_limits<double>::quiet_NaN();
}

// A solved value as a box shows it: the five significant figures of the line
// that names the answer.
QString Solved(double value) { return QString::number(value, 'g', 5); }

}  // namespace

QWidget* CalculationWindow::BuildDesignFrame() {
  auto* frame = new QGroupBox(QStringLiteral("设计条件"));
  frame->setObjectName(QStringLiteral("Frame2"));
  auto* layout = new QVBoxLayout(frame);
  auto* grid = new QGridLayout;
  layout->addLayout(grid);  // the grid's widgets are the frame's

  auto* modeLabel = new QLabel(QStringLiteral("求解内容"), frame);
  mode_ = new QComboBox(frame);
  mode_->setObjectName(QStringLiteral("Combo1"));
  for (const DesignRequest& m : modes_) {
    switch (m.mode) {
      case DesignMode::SolveBox: {
        const auto k = std::find_if(entry_.boxes.begin(), entry_.boxes.end(),
                                    [&](const BoxSpec& b) { return b.name == m.box; });
        mode_->addItem(QStringLiteral("求解 ") + WithoutEquals(k->label));
        break;
      }
      case DesignMode::Ratio: mode_->addItem(QStringLiteral("给定宽深比求断面")); break;
      case DesignMode::Best: mode_->addItem(QStringLiteral("水力最佳断面")); break;
      case DesignMode::Size: mode_->addItem(QStringLiteral("最小断面（按校核标准的净空）")); break;
    }
  }
  modeLabel->setBuddy(mode_);
  grid->addWidget(modeLabel, 0, 0);
  grid->addWidget(mode_, 0, 1, 1, 2);
  designQ_ = AddDesignBox(grid, 1, "Text101", QStringLiteral("设计流量 Q="), QStringLiteral("m³/s"),
                          QString());
  ratio_ = AddDesignBox(grid, 2, "Text102", QStringLiteral("宽深比 β="), QString(),
                        QStringLiteral("2"), &ratioRow_);
  connect(mode_, &QComboBox::currentIndexChanged, this, &CalculationWindow::ChooseMode);
  if (TakesFlows(*depth_)) {
    sizeForIncreased_ = new QCheckBox(QStringLiteral("按加大流量设计断面"), frame);
    sizeForIncreased_->setObjectName(QStringLiteral("Check3"));
    sizeForIncreased_->setToolTip(
        QStringLiteral("填写“流量组合”的最小流量后，断面按加大流量求解，并列出三种流量的成果"));
    grid->addWidget(sizeForIncreased_, 3, 0, 1, 3);
  }

  command1_ = new QPushButton(QStringLiteral("确 定"), frame);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setDefault(true);
  connect(command1_, &QPushButton::clicked, this, &CalculationWindow::Compute);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addStretch(1);
  buttonRow->addWidget(command1_);
  layout->addStretch(1);
  layout->addLayout(buttonRow);
  return frame;
}

int CalculationWindow::ChosenMode() const { return mode_ != nullptr ? mode_->currentIndex() : -1; }

// The chosen unknown is locked and its text ignored; so are the boxes a
// proportioned or sized section does not read (the depth, which the design
// finds, and the width the ratio fixes).
void CalculationWindow::ChooseMode(int index) {
  if (index < 0 || index >= static_cast<int>(modes_.size())) return;
  if (mode_->currentIndex() != index) mode_->setCurrentIndex(index);
  const DesignRequest& m = modes_[static_cast<std::size_t>(index)];
  for (std::size_t k = 0; k < boxes_.size(); ++k) {
    const BoxSpec& box = entry_.boxes[k];
    bool locked = false;
    switch (m.mode) {
      case DesignMode::SolveBox: locked = box.name == m.box; break;
      case DesignMode::Ratio:
      case DesignMode::Best:
        locked = box.role == BoxRole::Depth || box.name == depth_->proportions->width;
        break;
      case DesignMode::Size: locked = box.role == BoxRole::Depth; break;
    }
    SetLocked(boxes_[k], locked, locked ? shapeTint_ : QColor(Qt::white));
  }
  for (QWidget* w : ratioRow_) w->setVisible(m.mode == DesignMode::Ratio);
}

// The depth window's boxes from the shown ones: the two windows share their box
// names; the depth window's discharge box takes the design discharge.
std::vector<std::string> CalculationWindow::DepthTexts() const {
  std::vector<std::string> texts;
  for (const BoxSpec& box : depth_->boxes) {
    std::string text;
    if (box.role == BoxRole::Discharge) text = designQ_->text().toStdString();
    for (std::size_t k = 0; k < boxes_.size() && box.role != BoxRole::Discharge; ++k) {
      const BoxSpec& shown = entry_.boxes[k];
      if (shown.name == box.name && !boxes_[k]->isReadOnly())
        text = boxes_[k]->text().toStdString();
    }
    texts.push_back(std::move(text));
  }
  return texts;
}

std::vector<CaseRecord> CalculationWindow::Press() const {
  const CheckLimits limits = checkPanel_->Limits();
  if (family_ == nullptr) {
    if (const auto flows = flows_ != nullptr ? flows_->Request() : std::nullopt) {
      return {RecordFlows(entry_, BoxTexts(), *flows, limits)};
    }
    return {RecordPress(entry_, BoxTexts(), limits)};
  }
  DesignRequest request = modes_[static_cast<std::size_t>(ChosenMode())];
  // An open channel designed at its three discharges, sized for the design or
  // the increased one.
  if (flows_ != nullptr && request.mode != DesignMode::Size) {
    request.flows = flows_->Request();
    request.sizeForIncreased = request.flows && sizeForIncreased_->isChecked();
  }
  if (request.mode != DesignMode::SolveBox) {
    request.ratio = request.mode == DesignMode::Ratio ? Typed(ratio_) : 0.0;
    return RecordDesign(*depth_, DepthTexts(), request, limits);
  }
  request.discharge = Typed(designQ_);
  // The unknown's text is not read: it is what the design finds.
  std::vector<std::string> texts = BoxTexts();
  for (std::size_t k = 0; k < boxes_.size(); ++k) {
    if (boxes_[k]->isReadOnly()) texts[k].clear();
  }
  return RecordDesign(entry_, texts, request, limits);
}

// The answer written into the locked boxes: the unknown, or the width and depth
// of the section found, each as the reporting window read it.
void CalculationWindow::WriteSolved(const CaseRecord& answer) {
  if (!answer.answer || !answer.press.state) return;
  const WindowSpec& reporting = *answer.reporting;
  for (std::size_t k = 0; k < boxes_.size(); ++k) {
    if (!boxes_[k]->isReadOnly()) continue;
    const BoxSpec& box = entry_.boxes[k];
    if (box.role == BoxRole::Depth) {
      boxes_[k]->setText(Solved(answer.press.state->h));
      continue;
    }
    for (std::size_t j = 0; j < reporting.boxes.size() && j < answer.reportingTexts.size(); ++j) {
      if (reporting.boxes[j].name != box.name) continue;
      boxes_[k]->setText(Solved(ReadNumber(answer.reportingTexts[j]).value));
    }
  }
}

// A design case back in the frame: its request chosen, its texts in the boxes
// of the same names, its design discharge and ratio.
void CalculationWindow::BringBackDesign(const CaseRecord& record) {
  const DesignRequest& request = *record.design;
  for (std::size_t m = 0; m < modes_.size(); ++m) {
    if (modes_[m].mode == request.mode && modes_[m].box == request.box) ChooseMode(int(m));
  }
  const WindowSpec& typed = *record.window;
  for (std::size_t j = 0; j < typed.boxes.size() && j < record.texts.size(); ++j) {
    const QString text = QString::fromStdString(record.texts[j]);
    if (typed.boxes[j].role == BoxRole::Discharge && &typed != &entry_) {
      designQ_->setText(text);
      continue;
    }
    for (std::size_t k = 0; k < boxes_.size(); ++k) {
      if (entry_.boxes[k].name == typed.boxes[j].name && !boxes_[k]->isReadOnly()) {
        boxes_[k]->setText(text);
      }
    }
  }
  if (request.mode == DesignMode::SolveBox)
    designQ_->setText(QString::fromStdString(ShortestText(request.discharge)));
  if (request.mode == DesignMode::Ratio)
    ratio_->setText(QString::fromStdString(ShortestText(request.ratio)));
  if (flows_ != nullptr) {
    flows_->Show(request.flows);
    sizeForIncreased_->setChecked(request.sizeForIncreased);
  }
  if (record.answer) WriteSolved(record);
}

}  // namespace tarnwick::ui
