#include "CalculationBook.h"

#include <QDate>
#include <QFileInfo>
#include <algorithm>
#include <set>

#include "BookParts.h"
#include "BookPictures.h"
#include "WindowDecor.h"
#include "sections/CheckSources.h"

namespace tarnwick::ui {

namespace book {
// WenQuanYi Zen Hei maps each glyph to one character only, so the text taken
// from the PDF (a search, a copy, pdftotext) reads as written; the Noto CJK faces
// share glyphs between ideographs and the Kangxi radicals, which PDF readers then
// return instead of the ideographs.
const QString kBookFace = QStringLiteral("WenQuanYi Zen Hei");
const QString kBookMonoFace = QStringLiteral("WenQuanYi Zen Hei Mono");
}  // namespace book

namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// Manning's formula and the quantities every report derives from it.
const QStringList kManningFormulas = {
    QStringLiteral("Q = C·W·√(R·I)，C = R^(1/6)/n（曼宁公式，即 Q = (1/n)·W·R^(2/3)·I^(1/2)）"),
    QStringLiteral("R = W/X，V = Q/W，E = h + V²/(2g)，g = 9.81 m/s²")};

// The symbols every family's formulas share, with their units.
const std::vector<QStringList> kCommonSymbols = {
    {QStringLiteral("Q"), QStringLiteral("流量"), QStringLiteral("m³/s")},
    {QStringLiteral("h"), QStringLiteral("水深"), QStringLiteral("m")},
    {QStringLiteral("W"), QStringLiteral("过水断面面积"), QStringLiteral("m²")},
    {QStringLiteral("X"), QStringLiteral("湿周"), QStringLiteral("m")},
    {QStringLiteral("R"), QStringLiteral("水力半径"), QStringLiteral("m")},
    {QStringLiteral("C"), QStringLiteral("谢才系数"), QStringLiteral("m^(1/2)/s")},
    {QStringLiteral("n"), QStringLiteral("糙率"), QString()},
    {QStringLiteral("I"), QStringLiteral("底坡（1/D）"), QString()},
    {QStringLiteral("V"), QStringLiteral("断面平均流速"), QStringLiteral("m/s")},
    {QStringLiteral("E"), QStringLiteral("断面比能"), QStringLiteral("m")},
    {QStringLiteral("B1"), QStringLiteral("水面宽"), QStringLiteral("m")},
    {QStringLiteral("g"), QStringLiteral("重力加速度"), QStringLiteral("m/s²")}};

// The width of a picture on the page, in 96-dpi pixels (11.6 cm).
constexpr double kPictureWidth = 440.0;

// The inputs as typed, with their labels and units. A box text is booked as one
// cell whatever it holds (a tab or a line break included), so no text can move
// the boxes after it.
std::vector<QStringList> InputRows(const WindowSpec& w, const std::vector<std::string>& texts) {
  std::vector<QStringList> rows;
  for (size_t k = 0; k < w.boxes.size(); ++k) {
    const BoxSpec& box = w.boxes[k];
    QString value = k < texts.size() ? QString::fromStdString(texts[k]).trimmed() : QString();
    if (box.role == BoxRole::Slope && !value.isEmpty()) value = QStringLiteral("1/") + value;
    rows.push_back({Q(box.label) + Q(box.hint), value, Q(box.unit)});
  }
  return rows;
}

// A box's label as the meaning of its symbol: "深槽糙率n1=" is "深槽糙率".
QString Meaning(std::string_view label) {
  QString m = Q(label).remove(QLatin1Char('=')).remove(QLatin1Char(' '));
  while (!m.isEmpty() && m.back().unicode() < 128 && m.back().isLetterOrNumber()) m.chop(1);
  return m;
}

QString Figure(double v, int decimals) { return QString::number(v, 'f', decimals); }
QString Figure(const std::optional<double>& v) {
  return v ? QString::number(*v, 'g', 5) : QStringLiteral("—");
}

// The results of a case with their units.
std::vector<QStringList> ResultRows(const SectionCase& c) {
  const SectionState& s = c.state;
  const QString m = QStringLiteral("m");
  return {{QStringLiteral("流量 Q"), Figure(c.discharge, 4), QStringLiteral("m³/s")},
          {QStringLiteral("水深 h"), Figure(s.h, 4), m},
          {QStringLiteral("过水断面面积 W"), Figure(s.w, 4), QStringLiteral("m²")},
          {QStringLiteral("湿周 X"), Figure(s.x, 4), m},
          {QStringLiteral("水力半径 R"), Figure(s.rs, 4), m},
          {QStringLiteral("水面宽 B1"), Figure(s.surfaceWidth, 4), m},
          {QStringLiteral("谢才系数 C"), Figure(s.c, 3), QStringLiteral("m^(1/2)/s")},
          {QStringLiteral("流速 V"), Figure(s.v, 4), QStringLiteral("m/s")},
          {QStringLiteral("断面比能 E"), Figure(s.e, 4), m}};
}

QString KindText(const WindowSpec& w) {
  return w.kind == CalculationKind::Depth ? QStringLiteral("已知流量求正常水深")
                                          : QStringLiteral("已知水深求流量");
}

QString CaseTitle(size_t number, const CaseRecord& r) {
  return QStringLiteral("算例 %1  %2").arg(number).arg(Q(r.reporting->caption));
}

// One sentence a case: the requirements met and those not.
QString Conclusion(size_t number, const CaseRecord& r) {
  QStringList met, failed;
  for (const Check& c : r.checks) {
    const QString label = Q(CheckLabel(c.name));
    QStringList& into = c.status == CheckStatus::Pass ? met : failed;
    if (c.status == CheckStatus::Note || into.contains(label)) continue;
    into << label;
  }
  // A canal's flows: silting at the least discharge, scouring at the design one.
  if (r.flows) {
    const FlowCombination& f = *r.flows;
    (f.least.v >= f.siltLimit ? met : failed) << QStringLiteral("最小流量不淤流速");
    if (f.scourLimit) {
      (f.design.v <= *f.scourLimit ? met : failed) << QStringLiteral("设计流量不冲流速");
    }
  }
  QString s = CaseTitle(number, r) + QStringLiteral("：");
  if (met.isEmpty() && failed.isEmpty())
    return s + QStringLiteral("无须判定的要求，校核项均为提示。");
  if (!met.isEmpty()) s += met.join(QStringLiteral("、")) + QStringLiteral("满足要求");
  if (!failed.isEmpty()) {
    if (!met.isEmpty()) s += QStringLiteral("；");
    s += failed.join(QStringLiteral("、")) + QStringLiteral("不满足要求，须修改设计");
  }
  return s + QStringLiteral("。");
}

// Lays out the chapters; `next` numbers the headings of the contents as written.
class Layout {
 public:
  Layout(book::Writer& out, const std::vector<std::pair<CaseRecord, QString>>& cases,
         const std::vector<BookCanal>& canals, const QString& project)
      : out_(out), cases_(cases), canals_(canals), project_(project) {}

  void Purpose() {
    out_.Chapter(QStringLiteral("1  计算目的"));
    out_.Paragraph(
        QStringLiteral("按给定的断面尺寸、糙率与底坡，用明渠均匀流公式计算各算例的水深或流量、"
                       "流速等水力要素，并按第 2 章的依据校核流态、流速与净空等要求。"
                       "%1本计算书共 %2 个算例：")
            .arg(canals_.empty() && !AnyProfile()
                     ? QString()
                     : QStringLiteral(
                           "水面线按分段求和法自控制断面逐段推算，渠道按渠段给出渠顶高程。"))
            .arg(cases_.size() + canals_.size()));
    std::vector<QStringList> rows;
    for (size_t k = 0; k < cases_.size(); ++k) {
      const CaseRecord& r = cases_[k].first;
      rows.push_back({QString::number(k + 1), Q(r.reporting->caption),
                      Q(FamilyOf(r.reporting->family).optionText), KindText(*r.reporting)});
    }
    for (size_t k = 0; k < canals_.size(); ++k) {
      rows.push_back({QString::number(cases_.size() + k + 1), CanalTitle(k),
                      QStringLiteral("%1 个渠段").arg(canals_[k].input.reaches.size()),
                      QStringLiteral("水面线（分段求和法）")});
    }
    out_.Table({QStringLiteral("算例"), QStringLiteral("计算内容"), QStringLiteral("断面类型"),
                QStringLiteral("计算类型")},
               rows);
  }

  void Basis() {
    out_.Chapter(QStringLiteral("2  设计依据"));
    out_.Paragraph(QStringLiteral("本计算书所作校核实际采用的规范、文献及其条文："));
    std::vector<CheckSource> sources = {ManningSource()};
    bool profiles = !canals_.empty();
    for (const auto& [r, note] : cases_) {
      CollectSources(r.checks, r.limits, sources);
      if (r.flows) CollectFlowSources(*r.flows, sources);
      profiles = profiles || r.profile.has_value();
    }
    for (const BookCanal& c : canals_) {
      if (c.banks)
        CollectBankSources(c.banks->coefficientFromTable, c.banks->freeboardByRule, sources);
    }
    if (profiles) sources.push_back(ProfileSource());
    std::vector<QStringList> rows;
    for (size_t k = 0; k < sources.size(); ++k) {
      const CheckSource& s = sources[k];
      rows.push_back(
          {QString::number(k + 1), Q(s.number.empty() ? "—" : s.number), Q(s.title), Q(s.clause)});
    }
    out_.Table({QStringLiteral("序号"), QStringLiteral("编号"), QStringLiteral("名称"),
                QStringLiteral("采用的条文或表")},
               rows);
  }

  void Inputs() {
    out_.Chapter(QStringLiteral("3  基本资料"));
    for (size_t k = 0; k < cases_.size(); ++k) {
      const auto& [r, note] = cases_[k];
      out_.Heading(QStringLiteral("3.%1  ").arg(k + 1) + CaseTitle(k + 1, r));
      if (!note.isEmpty()) out_.Note(note);
      out_.Paragraph(QStringLiteral("断面类型：") + Q(FamilyOf(r.reporting->family).optionText) +
                     QStringLiteral("；计算类型：") + KindText(*r.reporting));
      out_.Table({QStringLiteral("输入项"), QStringLiteral("数值"), QStringLiteral("单位")},
                 InputRows(*r.reporting, r.reportingTexts));
    }
    for (size_t k = 0; k < canals_.size(); ++k) {
      out_.Heading(QStringLiteral("3.%1  ").arg(cases_.size() + k + 1) + CanalTitle(k));
      CanalInputs(out_, canals_[k].input);
    }
  }

  void Methods() {
    out_.Chapter(QStringLiteral("4  计算方法与公式"));
    for (const QString& f : kManningFormulas) out_.Paragraph(f);
    std::set<CalculationKind> kinds;
    for (const auto& [r, note] : cases_) kinds.insert(r.reporting->kind);
    if (kinds.count(CalculationKind::Depth)) {
      out_.Paragraph(
          QStringLiteral("求水深（已知 Q）：正常水深 h 由 Q1(h) = Q 二分求解，"
                         "|Q1 − Q| < 0.0001 m³/s；Q1 为水深 h 时按曼宁公式算得的流量"));
    }
    if (kinds.count(CalculationKind::Discharge)) {
      out_.Paragraph(QStringLiteral("求流量（已知 h）：由给定水深 h 的 W、X 直接按曼宁公式计算 Q"));
    }
    out_.Table({QStringLiteral("符号"), QStringLiteral("意义"), QStringLiteral("单位")},
               kCommonSymbols);
    ProfileMethod();
    std::vector<const WindowSpec*> seen;
    int number = 0;
    for (const auto& [r, note] : cases_) {
      const Family f = r.reporting->family;
      if (std::any_of(seen.begin(), seen.end(),
                      [&](const WindowSpec* w) { return w->family == f; }))
        continue;
      seen.push_back(r.reporting);
      Geometry(++number, *r.reporting);
    }
  }

  void Results() {
    out_.Chapter(QStringLiteral("5  计算成果"));
    for (size_t k = 0; k < cases_.size(); ++k) {
      const CaseRecord& r = cases_[k].first;
      const QString heading = QStringLiteral("5.%1  ").arg(k + 1) + CaseTitle(k + 1, r);
      if (k == 0) {
        out_.Heading(heading);
      } else {
        out_.PageHeading(heading);
      }
      out_.Report(r.printed);
      if (const auto& c = r.press.sectionCase) {
        out_.Caption(QStringLiteral("水力要素表："));
        out_.Table({QStringLiteral("项目"), QStringLiteral("数值"), QStringLiteral("单位")},
                   ResultRows(*c));
        out_.Caption(QStringLiteral("断面图："));
        out_.Picture(DrawingImage(*c, project_), QStringLiteral("drawing%1.png").arg(k + 1),
                     kPictureWidth);
        out_.Caption(QStringLiteral("水位—流量关系曲线："));
        out_.Picture(CurveImage(*c), QStringLiteral("curve%1.png").arg(k + 1), kPictureWidth);
      }
      if (r.flows) {
        out_.Caption(QStringLiteral("流量组合（设计/加大/最小流量）："));
        out_.Table({QStringLiteral("项目"), QStringLiteral("设计流量"), QStringLiteral("加大流量"),
                    QStringLiteral("最小流量"), QStringLiteral("单位")},
                   FlowRows(*r.flows));
      }
      if (r.profile) WriteProfile(out_, CaseProfile(r), QStringLiteral("profile%1.png").arg(k + 1));
    }
    for (size_t k = 0; k < canals_.size(); ++k) {
      const QString heading = QStringLiteral("5.%1  ").arg(cases_.size() + k + 1) + CanalTitle(k);
      if (cases_.empty() && k == 0) {
        out_.Heading(heading);
      } else {
        out_.PageHeading(heading);
      }
      const BookCanal& c = canals_[k];
      out_.Report(c.heading);
      for (size_t j = 0; j < c.reaches.size(); ++j) {
        WriteProfile(out_, c.reaches[j], QStringLiteral("canal%1_%2.png").arg(k + 1).arg(j + 1));
      }
    }
  }

  void Checks() {
    out_.Chapter(QStringLiteral("6  校核"));
    for (size_t k = 0; k < cases_.size(); ++k) {
      const CaseRecord& r = cases_[k].first;
      out_.Heading(QStringLiteral("6.%1  ").arg(k + 1) + CaseTitle(k + 1, r));
      if (r.checks.empty()) {
        out_.Paragraph(QStringLiteral("无校核项。"));
        continue;
      }
      std::vector<QStringList> rows;
      std::vector<bool> alarm;
      for (const Check& c : r.checks) {
        const QString unit = Q(CheckUnit(c.name));
        rows.push_back({Q(CheckLabel(c.name)), Figure(c.value), Figure(c.limit),
                        unit.isEmpty() ? QStringLiteral("—") : unit, Q(StatusText(c.status))});
        alarm.push_back(c.status == CheckStatus::Fail);
      }
      out_.Table({QStringLiteral("校核项"), QStringLiteral("计算值"), QStringLiteral("限值"),
                  QStringLiteral("单位"), QStringLiteral("结论")},
                 rows, alarm);
      // Each check in full: its requirement, the figures and the source.
      out_.Caption(QStringLiteral("校核说明："));
      for (const Check& c : r.checks) out_.Paragraph(QString::fromStdString(c.text));
    }
  }

  void Conclusions() {
    out_.Chapter(QStringLiteral("7  结论"));
    for (size_t k = 0; k < cases_.size(); ++k) out_.Paragraph(Conclusion(k + 1, cases_[k].first));
    for (size_t k = 0; k < canals_.size(); ++k) out_.Paragraph(CanalConclusion(k));
    out_.Paragraph(
        QStringLiteral("（本计算书共 %1 个算例，完）").arg(cases_.size() + canals_.size()));
  }

 private:
  QString CanalTitle(size_t k) const { return QStringLiteral("渠道水面线 %1").arg(k + 1); }

  // The standard step method, when the book holds a profile.
  bool AnyProfile() const {
    return std::any_of(cases_.begin(), cases_.end(),
                       [](const auto& c) { return c.first.profile.has_value(); });
  }

  void ProfileMethod() {
    if (canals_.empty() && !AnyProfile()) return;
    out_.Paragraph(QStringLiteral(
        "水面线（分段求和法，标准步长法）：相邻两断面间 z₁ + h₁ + αV₁²/(2g) = z₂ + h₂ + "
        "αV₂²/(2g) + J̄·Δx，J̄ = (J₁ + J₂)/2，J = Q²/K²，K = W·C·√R；未知水深在其比能曲线的一支上"
        "迭代求解。z 水位 (m)，x 距控制断面的距离 (m)，J 摩阻坡降，Fr 弗劳德数，hn 正常水深 (m)，"
        "hc 临界水深 (m)，α 动能修正系数"));
    if (std::any_of(canals_.begin(), canals_.end(), [](const BookCanal& c) { return c.banks; })) {
      out_.Paragraph(QStringLiteral(
          "渠顶高程 = 加大流量下渠段最高水位 + 安全超高 Fb，Fb = h加大/4 + 0.2 m（h加大 为该处"
          "加大流量水深，m）；封闭断面（隧洞、涵洞）无渠顶，给出洞顶高程"));
    }
  }

  // One sentence a canal: its bank (or crown) level per reach.
  QString CanalConclusion(size_t k) const {
    const BookCanal& c = canals_[k];
    QString s = CanalTitle(k) + QStringLiteral("：");
    if (c.result.reaches.empty()) return s + QStringLiteral("水面线未能计算。");
    if (!c.banks || c.banks->reaches.empty()) {
      return s + QStringLiteral("各渠段水面线见第 5 章（未要求渠顶高程）。");
    }
    QStringList parts;
    for (size_t j = 0; j < c.banks->reaches.size(); ++j) {
      const ReachBank& b = c.banks->reaches[j];
      parts << QStringLiteral("%1 %2 %3 m")
                   .arg(QString::fromStdString(c.result.reaches[j].name),
                        b.closed ? QStringLiteral("洞顶高程") : QStringLiteral("渠顶高程"),
                        Figure(b.level, 3));
    }
    return s + parts.join(QStringLiteral("，")) + QStringLiteral("。");
  }

  // A family's geometry: its formulas and the symbols they use beyond the common ones.
  void Geometry(int number, const WindowSpec& w) {
    const FamilySpec& family = FamilyOf(w.family);
    out_.Heading(QStringLiteral("4.%1  ").arg(number) + Q(family.optionText));
    for (std::string_view f : family.formulas) out_.Paragraph(Q(f));
    std::vector<QStringList> rows;
    for (const BoxSpec& box : w.boxes) {
      if (box.symbol.empty() || box.role == BoxRole::Slope) continue;
      rows.push_back({Q(box.symbol), Meaning(box.label), Q(box.unit)});
    }
    for (const FormulaSymbol& s : family.symbols)
      rows.push_back({Q(s.symbol), Q(s.meaning), Q(s.unit)});
    out_.Table({QStringLiteral("符号"), QStringLiteral("意义"), QStringLiteral("单位")}, rows);
  }

  book::Writer& out_;
  const std::vector<std::pair<CaseRecord, QString>>& cases_;
  const std::vector<BookCanal>& canals_;
  const QString& project_;
};

QString Blank(const std::string& s) {
  return s.empty() ? QStringLiteral("____________") : QString::fromStdString(s);
}

// The cover: the project's fields, a blank line where one is not given.
book::CoverPage CoverOf(const QString& project, const BookCover& fields, size_t count) {
  book::CoverPage cover;
  cover.project = project;
  cover.title = fields.title.empty() ? QStringLiteral("水力计算书") : Q(fields.title);
  cover.fields = {{QStringLiteral("工程名称"), project.isEmpty() ? Blank({}) : project},
                  {QStringLiteral("工程编号"), Blank(fields.number)},
                  {QStringLiteral("设计阶段"), Blank(fields.stage)},
                  {QStringLiteral("设计单位"), Blank(fields.organisation)},
                  {QStringLiteral("计算书名称"), cover.title},
                  {QStringLiteral("日期"), QDate::currentDate().toString(Qt::ISODate)},
                  {QStringLiteral("计算程序"), kProductTitle},
                  {QStringLiteral("算例数"), QString::number(count)}};
  cover.signatures = {{QStringLiteral("计  算"), Blank(fields.computedBy)},
                      {QStringLiteral("校  核"), Blank(fields.checkedBy)},
                      {QStringLiteral("审  核"), Blank(fields.reviewedBy)},
                      {QStringLiteral("审  定"), Blank(fields.approvedBy)}};
  return cover;
}

}  // namespace

std::unique_ptr<CalculationBook> CalculationBook::Open(const QString& path, const QString& project,
                                                       std::optional<size_t>, QString& error,
                                                       const BookCover& cover) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  std::unique_ptr<CalculationBook> b(new CalculationBook);
  b->project_ = project;
  b->cover_ = cover;
  if (suffix == QStringLiteral("pdf")) {
    b->writer_ = book::PdfWriter(path, project, error);
    b->paginated_ = true;
  } else if (suffix == QStringLiteral("odt")) {
    b->writer_ = book::OdtWriter(path, project, error);
  } else {
    error = QStringLiteral("the book is written as .pdf or .odt, not '%1'").arg(suffix);
  }
  if (!b->writer_) return nullptr;
  return b;
}

CalculationBook::~CalculationBook() = default;

void CalculationBook::Add(const CaseRecord& record, const QString& note) {
  if (record.reporting == nullptr || !record.IsReport()) return;
  cases_.emplace_back(record, note);
  ++booked_;
}

void CalculationBook::AddCanal(const CanalInput& canal) {
  canals_.push_back(ComputeBookCanal(canal));
  ++booked_;
}

void CalculationBook::Lay(book::Writer& out, const std::vector<int>& pages) const {
  out.Cover(CoverOf(project_, cover_, cases_.size() + canals_.size()));
  // The contents: the chapters and their case headings, in the order laid out.
  std::vector<book::ContentsLine> lines;
  const auto add = [&](int level, const QString& text) {
    const size_t k = lines.size();
    lines.push_back({level, text, k < pages.size() ? pages[k] : 0});
  };
  add(1, QStringLiteral("1  计算目的"));
  add(1, QStringLiteral("2  设计依据"));
  add(1, QStringLiteral("3  基本资料"));
  for (size_t k = 0; k < cases_.size(); ++k) {
    add(2, QStringLiteral("3.%1  ").arg(k + 1) + CaseTitle(k + 1, cases_[k].first));
  }
  const auto canalLines = [&](const char* chapter) {
    for (size_t k = 0; k < canals_.size(); ++k) {
      add(2, QStringLiteral("%1.%2  渠道水面线 %3")
                 .arg(QString::fromUtf8(chapter))
                 .arg(cases_.size() + k + 1)
                 .arg(k + 1));
    }
  };
  canalLines("3");
  add(1, QStringLiteral("4  计算方法与公式"));
  std::set<Family> families;
  for (const auto& [r, note] : cases_) {
    if (families.insert(r.reporting->family).second) {
      add(2, QStringLiteral("4.%1  ").arg(families.size()) +
                 Q(FamilyOf(r.reporting->family).optionText));
    }
  }
  for (const char* chapter : {"5  计算成果", "6  校核"}) {
    add(1, QString::fromUtf8(chapter));
    for (size_t k = 0; k < cases_.size(); ++k) {
      add(2, QString::fromUtf8(chapter).left(1) + QStringLiteral(".%1  ").arg(k + 1) +
                 CaseTitle(k + 1, cases_[k].first));
    }
    if (QString::fromUtf8(chapter).startsWith(QLatin1Char('5'))) canalLines("5");
  }
  add(1, QStringLiteral("7  结论"));
  out.Contents(lines);
  Layout layout(out, cases_, canals_, project_);
  layout.Purpose();
  layout.Basis();
  layout.Inputs();
  layout.Methods();
  layout.Results();
  layout.Checks();
  layout.Conclusions();
}

QString CalculationBook::Commit() {
  std::vector<int> pages;
  if (paginated_) {
    // The first pass finds the pages; the contents take no more lines with them.
    const std::unique_ptr<book::Writer> paginator = book::PdfPaginator();
    Lay(*paginator, {});
    paginator->Finish();
    pages = paginator->HeadingPages();
    writer_->SetTotalPages(paginator->Pages());
  }
  Lay(*writer_, pages);
  return writer_->Finish();
}

QString WriteCalculationBook(const QString& path, const QString& project,
                             std::span<const CaseRecord> cases, const BookCover& cover,
                             std::span<const CanalInput> canals) {
  const size_t reports = size_t(std::count_if(cases.begin(), cases.end(), [](const CaseRecord& c) {
    return c.reporting != nullptr && c.IsReport();
  }));
  QString error;
  const std::unique_ptr<CalculationBook> book =
      CalculationBook::Open(path, project, reports, error, cover);
  if (!book) return error;
  for (const CaseRecord& c : cases) book->Add(c);
  for (const CanalInput& c : canals) book->AddCanal(c);
  return book->Commit();
}

}  // namespace tarnwick::ui
