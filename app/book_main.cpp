// tarnwick-book: writes the calculation book of cases computed headless. It is
// started by tarnwick-calc --book, which checks the command line and hands the
// cases over on standard input, one per line, box texts separated by tabs:
//   tarnwick-book FILE.pdf|FILE.odt PROJECT WINDOW
//                 [VMIN VMAX AREA HEIGHT [LINING SOILEXP FRLOW FRHIGH RULE]] < cases
// the rest being the limits of the checks (an empty velocity or lining is not
// checked; RULE is kind, tunnel, fill or none).
#include <QGuiApplication>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "ui/CalculationBook.h"

namespace {

// The limits as tarnwick-calc writes them, read whatever the locale's decimal sign.
double Figure(const char* text) {
  double value = 0.0;
  std::from_chars(text, text + std::strlen(text), value);
  return value;
}

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
  if (argc != 4 && argc != 8 && argc != 13) {
    std::fprintf(stderr,
                 "usage: tarnwick-book FILE.pdf|FILE.odt PROJECT WINDOW [VMIN VMAX AREA HEIGHT"
                 " [LINING SOILEXP FRLOW FRHIGH RULE]] < cases\n");
    return 2;
  }
  tarnwick::CheckLimits limits;
  if (argc == 8) {
    if (*argv[4] != '\0') limits.velocityMin = Figure(argv[4]);
    if (*argv[5] != '\0') limits.velocityMax = Figure(argv[5]);
    limits.clearanceAreaPercent = Figure(argv[6]);
    limits.clearanceHeight = Figure(argv[7]);
  }
  if (argc == 13) {
    limits.lining = argv[8];
    limits.soilExponent = Figure(argv[9]);
    limits.froudeLow = Figure(argv[10]);
    limits.froudeHigh = Figure(argv[11]);
    const std::string rule = argv[12];
    if (rule == "tunnel") limits.closedRule = tarnwick::ClearanceRule::Tunnel;
    if (rule == "fill") limits.closedRule = tarnwick::ClearanceRule::FillRatio;
    if (rule == "none") limits.closedRule = tarnwick::ClearanceRule::None;
  }
  const tarnwick::WindowSpec* window = tarnwick::FindWindow(argv[3]);
  if (window == nullptr) {
    std::fprintf(stderr, "tarnwick-book: unknown window '%s'\n", argv[3]);
    return 2;
  }
  std::vector<tarnwick::ui::BookCase> cases;
  std::string line;
  while (std::getline(std::cin, line)) {
    tarnwick::ui::BookCase c{window, {std::string()}};
    for (const char ch : line) {
      if (ch == '\t') {
        c.boxTexts.emplace_back();
      } else {
        c.boxTexts.back().push_back(ch);
      }
    }
    cases.push_back(std::move(c));
  }
  const QString error = tarnwick::ui::WriteCalculationBook(QString::fromLocal8Bit(argv[1]),
                                                           QString::fromUtf8(argv[2]), cases,
                                                           tarnwick::ui::CheckLines(limits));
  if (!error.isEmpty()) {
    std::fprintf(stderr, "tarnwick-book: %s\n", error.toLocal8Bit().constData());
    return 3;
  }
  return 0;
}
