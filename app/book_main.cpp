// tarnwick-book: writes the calculation book of cases computed headless. It is
// started by tarnwick-calc --book, which hands the case records over on standard
// input, one JSON line a case (sections/ProjectFile.h), each with its box texts
// exactly as typed and the limits its checks were judged against:
//   tarnwick-book FILE.pdf|FILE.odt PROJECT < records
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

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

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(QuietMessages);
  // The book is painted, never shown: no display is needed.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: tarnwick-book FILE.pdf|FILE.odt PROJECT < records\n");
    return 2;
  }
  std::vector<tarnwick::CaseRecord> cases;
  std::string line;
  std::optional<size_t> end;
  for (long number = 1; std::getline(std::cin, line); ++number) {
    if (line.empty()) continue;
    if (line.rfind("{\"end\": ", 0) == 0) {
      end = std::strtoul(line.c_str() + 8, nullptr, 10);
      break;
    }
    tarnwick::RecordRead read = tarnwick::ParseRecordLine(line);
    if (read.records.empty()) {
      std::fprintf(stderr, "tarnwick-book: line %ld: %s\n", number, read.error.c_str());
      return 2;
    }
    cases.push_back(std::move(read.records.front()));
  }
  // Input that stops short of its end line is a run that was given up: no book.
  if (!end || *end != cases.size()) {
    std::fprintf(stderr, "tarnwick-book: the cases ended early; no book written\n");
    return 3;
  }
  const QString error = tarnwick::ui::WriteCalculationBook(QString::fromLocal8Bit(argv[1]),
                                                           QString::fromUtf8(argv[2]), cases);
  if (!error.isEmpty()) {
    std::fprintf(stderr, "tarnwick-book: %s\n", error.toLocal8Bit().constData());
    return 3;
  }
  return 0;
}
