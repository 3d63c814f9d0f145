// tarnwick-book: writes the calculation book of cases computed headless. It is
// started by tarnwick-calc --book, which checks the command line and hands the
// cases over on standard input, one per line, box texts separated by tabs:
//   tarnwick-book FILE.pdf|FILE.odt PROJECT WINDOW < cases
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "ui/CalculationBook.h"

int main(int argc, char** argv) {
  // The book is painted, never shown: no display is needed.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: tarnwick-book FILE.pdf|FILE.odt PROJECT WINDOW < cases\n");
    return 2;
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
  const QString error = tarnwick::ui::WriteCalculationBook(
      QString::fromLocal8Bit(argv[1]), QString::fromUtf8(argv[2]), cases, {});
  if (!error.isEmpty()) {
    std::fprintf(stderr, "tarnwick-book: %s\n", error.toLocal8Bit().constData());
    return 3;
  }
  return 0;
}
