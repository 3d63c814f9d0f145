// The ODT book, streamed: the package (OASIS OpenDocument 1.2, part 3) is written
// as the book grows. Each picture is stored as a PNG entry as soon as it is
// drawn; content.xml is deflated paragraph by paragraph into a spool file beside
// the book and stored after the pictures. Neither the text nor the pictures of
// the cases before are held in memory. Qt's own ODF
// writer needs the whole book as one document in memory, which grows with every
// case.
#include <QBuffer>
#include <QFileInfo>

#include "BookFile.h"
#include "BookParts.h"
#include "WindowDecor.h"

namespace tarnwick::ui::book {

namespace {

const char* const kNamespaces =
    R"( xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0")"
    R"( xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0")"
    R"( xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0")"
    R"( xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0")"
    R"( xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0")"
    R"( xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0")"
    R"( xmlns:xlink="http://www.w3.org/1999/xlink")"
    R"( xmlns:dc="http://purl.org/dc/elements/1.1/")"
    R"( xmlns:meta="urn:oasis:names:tc:opendocument:xmlns:meta:1.0")"
    R"( xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0")"
    R"( office:version="1.2")";

// A text style: the face, the size in points and the weight, for Latin and
// Asian script alike.
QString TextProperties(const QString& face, double points, bool bold) {
  const QString weight = bold ? QStringLiteral("bold") : QStringLiteral("normal");
  return QStringLiteral(
             R"(<style:text-properties style:font-name="%1" fo:font-size="%2pt" )"
             R"(fo:font-weight="%3" style:font-name-asian="%1" style:font-size-asian="%2pt" )"
             R"(style:font-weight-asian="%3"/>)")
      .arg(face)
      .arg(points)
      .arg(weight);
}

QString ParagraphStyle(const QString& name, const QString& paragraph, const QString& text) {
  return QStringLiteral(R"(<style:style style:name="%1" style:family="paragraph">)"
                        R"(<style:paragraph-properties %2/>%3</style:style>)")
      .arg(name, paragraph, text);
}

QString AutomaticStyles() {
  QString s = QStringLiteral("<office:automatic-styles>");
  s += ParagraphStyle("Title", R"(fo:text-align="center" fo:margin-top="4.5cm")",
                      TextProperties(kBookFace, 24, true));
  s += ParagraphStyle("Subtitle", R"(fo:text-align="center" fo:margin-top="0.6cm")",
                      TextProperties(kBookFace, 20, true));
  s += ParagraphStyle("Centred", R"(fo:text-align="center" fo:margin-top="0.6cm")",
                      TextProperties(kBookFace, 10.5, false));
  s += ParagraphStyle("Case", R"(fo:break-before="page" fo:margin-bottom="0.16cm")",
                      TextProperties(kBookFace, 15, true));
  s += ParagraphStyle("PageHeading", R"(fo:break-before="page" fo:margin-bottom="0.16cm")",
                      TextProperties(kBookFace, 12, true));
  s += ParagraphStyle("Heading", R"(fo:margin-top="0.32cm" fo:margin-bottom="0.16cm")",
                      TextProperties(kBookFace, 12, true));
  s += ParagraphStyle("Body", R"(fo:margin="0cm")", TextProperties(kBookFace, 10.5, false));
  s += ParagraphStyle("Caption", R"(fo:margin="0cm" fo:keep-with-next="always")",
                      TextProperties(kBookFace, 10.5, false));
  s += ParagraphStyle(
      "Note", R"(fo:margin="0cm")",
      TextProperties(kBookFace, 10.5, true).replace("/>", R"( fo:color="#c80000"/>)"));
  s += ParagraphStyle("Grid", R"(fo:margin="0cm")", TextProperties(kBookMonoFace, 8, false));
  s += QStringLiteral(
      R"(<style:style style:name="Inputs" style:family="table">)"
      R"(<style:table-properties style:width="17cm" table:align="left"/></style:style>)"
      R"(<style:style style:name="Cell" style:family="table-cell">)"
      R"(<style:table-cell-properties fo:padding="0.08cm" fo:border="0.5pt solid #000000"/>)"
      R"(</style:style>)"
      R"(<style:style style:name="Picture" style:family="graphic">)"
      R"(<style:graphic-properties style:vertical-pos="top" style:vertical-rel="baseline"/>)"
      R"(</style:style>)");
  return s + QStringLiteral("</office:automatic-styles>");
}

QString Styles() {
  return QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>)"
                        "<office:document-styles%1>"
                        "<office:automatic-styles><style:page-layout style:name=\"A4\">"
                        R"(<style:page-layout-properties fo:page-width="21cm" )"
                        R"(fo:page-height="29.7cm" fo:margin="2cm"/>)"
                        "<style:footer-style><style:header-footer-properties "
                        "fo:min-height=\"0.6cm\"/></style:footer-style>"
                        "</style:page-layout></office:automatic-styles>"
                        "<office:master-styles><style:master-page style:name=\"Standard\" "
                        "style:page-layout-name=\"A4\"><style:footer>"
                        "<text:p>第 <text:page-number text:select-page=\"current\"/> 页 共 "
                        "<text:page-count/> 页</text:p></style:footer></style:master-page>"
                        "</office:master-styles>"
                        "</office:document-styles>")
      .arg(QLatin1String(kNamespaces));
}

// Text for a paragraph: escaped, with runs of spaces and tabs kept as ODF
// writes them (a run of spaces collapses to one in XML text).
QString Escaped(const QString& text) {
  QString out;
  for (qsizetype k = 0; k < text.size(); ++k) {
    const QChar c = text[k];
    if (c == '&')
      out += QStringLiteral("&amp;");
    else if (c == '<')
      out += QStringLiteral("&lt;");
    else if (c == '>')
      out += QStringLiteral("&gt;");
    else if (c == '\t')
      out += QStringLiteral("<text:tab/>");
    else if (c == '\n' || c == '\r')
      out += QStringLiteral("<text:line-break/>");
    else if (c == ' ' && (k == 0 || text[k - 1] == ' ')) {
      qsizetype run = 1;
      while (k + run < text.size() && text[k + run] == ' ') ++run;
      out += QStringLiteral("<text:s text:c=\"%1\"/>").arg(run);
      k += run - 1;
    } else if (c.unicode() >= 0x20 || c == '\t') {
      out += c;
    }
  }
  return out;
}

class Odt : public Writer {
 public:
  // The text is spooled beside the book, on the disk the book is written to.
  explicit Odt(const QString& path) : zip_(device_, QFileInfo(path).absolutePath()) {}

  QString Open(const QString& path, const QString& project) {
    if (QString why = device_.Open(path); !why.isEmpty()) return why;
    zip_.Add("mimetype", "application/vnd.oasis.opendocument.text", false);
    zip_.Add("styles.xml", Styles().toUtf8(), true);
    zip_.Add("meta.xml",
             QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>)"
                            "<office:document-meta%1><office:meta><dc:title>%2</dc:title>"
                            "<meta:generator>%3</meta:generator></office:meta>"
                            "</office:document-meta>")
                 .arg(QLatin1String(kNamespaces), Escaped(project + QStringLiteral(" 水力计算书")),
                      Escaped(kProductTitle))
                 .toUtf8(),
             true);
    zip_.Begin("content.xml");
    Put(QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>)"
                       "<office:document-content%1><office:font-face-decls>"
                       R"(<style:font-face style:name="%2" svg:font-family="'%2'"/>)"
                       R"(<style:font-face style:name="%3" svg:font-family="'%3'" )"
                       R"(style:font-pitch="fixed"/></office:font-face-decls>)")
            .arg(QLatin1String(kNamespaces), kBookFace, kBookMonoFace) +
        AutomaticStyles() + QStringLiteral("<office:body><office:text>"));
    return {};
  }

  void Cover(const CoverPage& cover) override {
    Para("Title", cover.project);
    Para("Subtitle", cover.title);
    Para("Centred", QString());
    Table({}, Pairs(cover.fields));
    Para("Centred", QStringLiteral("签  署"));
    Table({}, Pairs(cover.signatures));
  }
  // The contents without page numbers: the pages are the word processor's.
  void Contents(const std::vector<ContentsLine>& lines) override {
    Para("Case", QStringLiteral("目  录"));
    for (const ContentsLine& line : lines) {
      Para(line.level > 1 ? "Body" : "Heading",
           (line.level > 1 ? QStringLiteral("    ") : QString()) + line.text);
    }
  }
  void Chapter(const QString& text) override { Para("Case", text); }
  void PageHeading(const QString& text) override { Para("PageHeading", text); }
  void Heading(const QString& text) override { Para("Heading", text); }
  void Paragraph(const QString& text) override { Para("Body", text); }
  void Note(const QString& text) override { Para("Note", text); }
  void Caption(const QString& text) override { Para("Caption", text); }

  void Table(const QStringList& header, const std::vector<QStringList>& rows,
             const std::vector<bool>& alarm = {}) override {
    if (rows.empty() && header.isEmpty()) return;
    const qsizetype columns = header.isEmpty() ? rows.front().size() : header.size();
    QString t = QStringLiteral(R"(<table:table table:name="表%1" table:style-name="Inputs">)"
                               R"(<table:table-column table:number-columns-repeated="%2"/>)")
                    .arg(++tables_)
                    .arg(columns);
    if (!header.isEmpty()) {
      t += QStringLiteral("<table:table-header-rows>") + Row(header) +
           QStringLiteral("</table:table-header-rows>");
    }
    for (size_t k = 0; k < rows.size(); ++k) t += Row(rows[k], k < alarm.size() && alarm[k]);
    Put(t + QStringLiteral("</table:table>"));
  }

  void Picture(const QImage& image, const QString& name, double width) override {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    const QString entry = QStringLiteral("Pictures/") + name;
    pictures_.push_back(entry);
    zip_.Add(entry.toStdString(), png, false);
    const double cm = width / 96.0 * 2.54;
    Put(QStringLiteral(R"(<text:p text:style-name="Body"><draw:frame draw:style-name="Picture" )"
                       R"(draw:name="%1" text:anchor-type="as-char" svg:width="%2cm" )"
                       R"(svg:height="%3cm"><draw:image xlink:href="%4" xlink:type="simple" )"
                       R"(xlink:show="embed" xlink:actuate="onLoad"/></draw:frame></text:p>)")
            .arg(name)
            .arg(cm, 0, 'f', 3)
            .arg(cm * image.height() / image.width(), 0, 'f', 3)
            .arg(entry));
  }

  void Report(const std::vector<std::string>& lines) override {
    for (const std::string& line : lines) Para("Grid", QString::fromStdString(line));
  }

  QString Finish() override {
    Put(QStringLiteral("</office:text></office:body></office:document-content>"));
    zip_.End();
    QString manifest = QStringLiteral(
        R"(<?xml version="1.0" encoding="UTF-8"?>)"
        R"(<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" )"
        R"(manifest:version="1.2">)"
        R"(<manifest:file-entry manifest:full-path="/" manifest:version="1.2" )"
        R"(manifest:media-type="application/vnd.oasis.opendocument.text"/>)");
    for (const char* xml : {"content.xml", "styles.xml", "meta.xml"}) {
      manifest +=
          QStringLiteral(
              R"(<manifest:file-entry manifest:full-path="%1" manifest:media-type="text/xml"/>)")
              .arg(QLatin1String(xml));
    }
    for (const QString& p : pictures_) {
      manifest +=
          QStringLiteral(
              R"(<manifest:file-entry manifest:full-path="%1" manifest:media-type="image/png"/>)")
              .arg(p);
    }
    zip_.Add("META-INF/manifest.xml", (manifest + QStringLiteral("</manifest:manifest>")).toUtf8(),
             true);
    // An archive that cannot be complete is not committed: dropped with the
    // writer, it leaves no file.
    if (QString why = zip_.Finish(); !why.isEmpty()) return why;
    return device_.Commit();
  }

 private:
  void Put(const QString& xml) { zip_.Write(xml.toUtf8()); }
  void Para(const char* style, const QString& text) {
    Put(QStringLiteral(R"(<text:p text:style-name="%1">%2</text:p>)")
            .arg(QLatin1String(style), Escaped(text)));
  }
  static QString Row(const QStringList& cells, bool alarm = false) {
    QString r = QStringLiteral("<table:table-row>");
    for (qsizetype k = 0; k < cells.size(); ++k) {
      const bool red = alarm && k + 1 == cells.size();
      r += QStringLiteral(R"(<table:table-cell table:style-name="Cell" office:value-type="string">)"
                          R"(<text:p text:style-name="%1">%2</text:p></table:table-cell>)")
               .arg(red ? QStringLiteral("Note") : QStringLiteral("Body"), Escaped(cells[k]));
    }
    return r + QStringLiteral("</table:table-row>");
  }

  static std::vector<QStringList> Pairs(const std::vector<std::pair<QString, QString>>& pairs) {
    std::vector<QStringList> rows;
    for (const auto& [key, value] : pairs) rows.push_back({key, value});
    return rows;
  }

  AtomicDevice device_;
  ZipStream zip_;
  std::vector<QString> pictures_;
  int tables_ = 0;
};

}  // namespace

std::unique_ptr<Writer> OdtWriter(const QString& path, const QString& project, QString& error) {
  auto odt = std::make_unique<Odt>(path);
  error = odt->Open(path, project);
  if (!error.isEmpty()) {
    error = QStringLiteral("cannot write ") + path + QStringLiteral(": ") + error;
    return nullptr;
  }
  return odt;
}

}  // namespace tarnwick::ui::book
