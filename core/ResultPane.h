// The print model of a calculation window's output pane: lines of text built
// from print statements of texts, numbers and column stops. Columns count from 1;
// an ASCII character takes one column, any other character (Chinese characters,
// full-width signs, curly quotes) two, as on the double-byte screens the report
// layout was drawn for.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// Columns taken by a UTF-8 text: 1 per ASCII character, 2 per other character.
int DisplayColumns(std::string_view utf8);
// The same count a byte at a time, for texts known when the program is compiled.
constexpr int ConstantColumns(std::string_view utf8) {
  int columns = 0;
  for (const char c : utf8) {
    const auto b = static_cast<unsigned char>(c);
    if ((b & 0xC0u) != 0x80u) columns += b >= 0xC0u ? 2 : 1;  // a continuation byte adds none
  }
  return columns;
}

// A text of a report known when the program is compiled (a label such as
// "正常水深H="), with its columns counted then rather than on every print.
struct Label {
  std::string_view text;
  int columns = 0;
  template <std::size_t N>
  consteval Label(const char (&literal)[N])  // NOLINT(google-explicit-constructor)
      : text(literal, N - 1), columns(ConstantColumns(text)) {}
};

// Text form of a number: a sign position (blank or "-"), the magnitude with at
// most 15 significant digits and no zero before the decimal point, a trailing
// blank. Plain decimal notation below 1E15, exponent form ("1.5E+15") above.
std::string NumberText(double x);
// The same text appended to `text`, for building lines without a string per number.
void AppendNumberText(std::string& text, double x);

class ResultPane {
 public:
  ResultPane() = default;
  // A pane that keeps no text, only whether a number printed into it was not
  // finite: what a silent press formats its report into to judge it, at the cost
  // of the arithmetic alone, for the design solvers that press hundreds of times.
  static ResultPane Tally();
  bool KeepsText() const { return keepsText_; }

  // Items of one print statement, printed at the current position.
  ResultPane& Text(std::string_view utf8);
  // A text whose display columns are known already (a Label's).
  ResultPane& Text(std::string_view utf8, int columns);
  ResultPane& Number(double x);
  // Moves to column `column` filling with blanks; when already beyond it, to that
  // column of the next line.
  ResultPane& Tab(int column);
  // Ends the statement: the position moves to column 1 of the next line.
  ResultPane& EndLine();

  // Empties the pane and returns the position to the top-left corner.
  void Clear();
  // Appends the complete lines of another pane (a report prepared apart).
  void Append(const ResultPane& other);

  // Complete lines; a statement still open is not part of them.
  const std::vector<std::string>& Lines() const { return lines_; }
  // The complete lines handed over; the pane is left empty, as after Clear.
  std::vector<std::string> TakeLines() {
    std::vector<std::string> lines = std::move(lines_);
    Clear();
    return lines;
  }
  // The lines joined with '\n', each line ended.
  std::string Joined() const;
  bool Empty() const { return lines_.empty() && current_.empty(); }
  // True once any number that is not finite has been printed.
  bool PrintedNonFinite() const { return nonFiniteCount_ > 0; }

  // A place in the pane to print a report from and, should it turn out to hold a
  // figure that is not finite, to take it back to.
  struct Mark {
    size_t lines = 0;
    std::string open;  // the statement still open there (usually none)
    int column = 1;
    int nonFiniteCount = 0;
  };
  Mark Here() const { return {lines_.size(), current_, column_, nonFiniteCount_}; }
  bool PrintedNonFiniteSince(const Mark& mark) const {
    return nonFiniteCount_ > mark.nonFiniteCount;
  }
  // Removes everything printed after the mark, which must come from this pane
  // since its last Clear.
  void Rewind(const Mark& mark);

 private:
  void PushLine();
  std::vector<std::string> lines_;
  std::vector<std::string> spare_;  // lines cleared, kept for their room
  std::string current_;
  int column_ = 1;
  int nonFiniteCount_ = 0;
  bool keepsText_ = true;
};

}  // namespace tarnwick
