// tarnwick-book: writes the calculation book of cases computed headless.
//   tarnwick-book FILE.pdf|FILE.odt PROJECT < records
//   tarnwick-book FILE.pdf|FILE.odt PROJECT --project P.json
//   … [--cover KEY=VALUE]…  the cover's fields (number, stage, organisation,
//   title, computed_by, checked_by, reviewed_by, approved_by), over a project's
// tarnwick-calc --book starts it and hands the case records over on standard
// input as they are computed, one JSON line a case (sections/ProjectFile.h) or a
// canal ({"canal": the canal file}, sections/CanalFile.h), then
// a last line {"end": N}. Input that ends without it is a run that was given up:
// no book is written. With --project, the book of every case of a project file,
// then its canals.
// Each case is booked as it comes and let go, so a book of any length is written
// in the memory of one case; the book takes its name only when complete.
// Exit status: 0 written, 2 usage or unreadable records/project, 3 not written.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sections/CanalFile.h"
#include "sections/ProjectFile.h"
#include "ui/CalculationBook.h"

namespace {

// Qt's own notes (a missing runtime folder and the like) are no business of the
// user of the command; its warnings of a failed write are answered by the
// writer's own message.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "tarnwick-book: %s\n", message.toLocal8Bit().constData());
  }
}

// A case whose stored result is not what is computed now: said on standard
// error and in red in its section.
QString Differs(const std::string& place, const std::string& difference) {
  std::fprintf(stderr, "tarnwick-book: %s：%s\n", place.c_str(), difference.c_str());
  return QStringLiteral("注意：") + QString::fromStdString(difference);
}

// The end line {"end": N}, N the number of records handed over.
std::optional<long> EndLine(const std::string& line) {
  static const std::string head = "{\"end\": ";
  if (line.rfind(head, 0) != 0) return std::nullopt;
  char* stop = nullptr;
  const long n = std::strtol(line.c_str() + head.size(), &stop, 10);
  return stop != nullptr && *stop == '}' ? std::optional<long>(n) : std::nullopt;
}

// The records on standard input, booked one by one.
int BookStream(tarnwick::ui::CalculationBook& book) {
  std::string line;
  long records = 0;
  for (long number = 1; std::getline(std::cin, line); ++number) {
    if (line.empty()) continue;
    if (const std::optional<long> end = EndLine(line)) {
      if (*end == records) return 0;
      std::fprintf(stderr, "tarnwick-book: %ld cases announced, %ld received; no book written\n",
                   *end, records);
      return 3;
    }
    if (const std::optional<tarnwick::CanalReading> canal = tarnwick::ReadCanalRecord(line)) {
      if (!canal->error.empty()) {
        std::fprintf(stderr, "tarnwick-book: line %ld: %s; no book written\n", number,
                     canal->error.c_str());
        return 2;
      }
      ++records;
      book.AddCanal(canal->canal);
      continue;
    }
    const tarnwick::RecordRead read = tarnwick::ParseRecordLine(line);
    if (read.records.empty()) {
      std::fprintf(stderr, "tarnwick-book: line %ld: %s; no book written\n", number,
                   read.error.c_str());
      return 2;
    }
    ++records;
    const std::string place = "第 " + std::to_string(records) + " 个算例";
    book.Add(read.records.front(),
             read.difference.empty() ? QString() : Differs(place, read.difference));
  }
  std::fprintf(stderr, "tarnwick-book: the cases ended early; no book written\n");
  return 3;
}

// Every case of a project file, with the note of each that differs from now,
// then its canals.
void BookProject(tarnwick::ui::CalculationBook& book, const tarnwick::ProjectRead& read) {
  const std::vector<tarnwick::CaseRecord>& cases = read.project->cases;
  for (size_t k = 0; k < cases.size(); ++k) {
    // ReadProjectFile names a case that differs by its place, "第 N 个算例：…".
    const std::string place = "第 " + std::to_string(k + 1) + " 个算例";
    QString note;
    for (const std::string& d : read.differences) {
      if (d.rfind(place + "：", 0) == 0) note = Differs(place, d.substr(place.size() + 3));
    }
    book.Add(cases[k], note);
  }
  for (const tarnwick::CanalInput& canal : read.project->canals) book.AddCanal(canal);
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(QuietMessages);
  // The book is painted, never shown: no display is needed.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  const char* const usage =
      "usage: tarnwick-book FILE.pdf|FILE.odt PROJECT [--cover KEY=VALUE]... < records\n"
      "       tarnwick-book FILE.pdf|FILE.odt PROJECT --project P.json [--cover KEY=VALUE]...\n";
  if (argc < 3) {
    std::fputs(usage, stderr);
    return 2;
  }
  const char* projectFile = nullptr;
  std::vector<std::pair<std::string, std::string>> coverFields;
  for (int k = 3; k < argc; k += 2) {
    const std::string option = argv[k];
    if (k + 1 >= argc || (option != "--project" && option != "--cover")) {
      std::fputs(usage, stderr);
      return 2;
    }
    const std::string value = argv[k + 1];
    if (option == "--project") projectFile = argv[k + 1];
    const size_t eq = value.find('=');
    if (option == "--cover")
      coverFields.emplace_back(value.substr(0, eq),
                               eq == std::string::npos ? "" : value.substr(eq + 1));
  }
  std::optional<tarnwick::ProjectRead> project;
  std::optional<size_t> count;
  tarnwick::BookCover cover;
  QString title = QString::fromUtf8(argv[2]);
  if (projectFile != nullptr) {
    project = tarnwick::ReadProjectFile(projectFile);
    if (!project->project) {
      std::fprintf(stderr, "tarnwick-book: %s\n", project->error.c_str());
      return 2;
    }
    count = 0;
    for (const tarnwick::CaseRecord& c : project->project->cases) count = *count + c.IsReport();
    if (title.isEmpty()) title = QString::fromStdString(project->project->name);
    cover = project->project->cover;
  }
  for (auto& [key, value] : coverFields) {
    if (!tarnwick::SetCoverField(cover, key, value)) {
      std::fprintf(stderr, "tarnwick-book: --cover: no field '%s'\n", key.c_str());
      return 2;
    }
  }
  QString error;
  const std::unique_ptr<tarnwick::ui::CalculationBook> book = tarnwick::ui::CalculationBook::Open(
      QString::fromLocal8Bit(argv[1]), title, count, error, cover);
  if (!book) {
    std::fprintf(stderr, "tarnwick-book: %s\n", error.toLocal8Bit().constData());
    return 3;
  }
  if (project) {
    BookProject(*book, *project);
  } else if (const int status = BookStream(*book); status != 0) {
    return status;  // the book is dropped: no file under its name
  }
  error = book->Commit();
  if (!error.isEmpty()) {
    std::fprintf(stderr, "tarnwick-book: %s\n", error.toLocal8Bit().constData());
    return 3;
  }
  return 0;
}
