#include "CalcOptions.h"

#include <charconv>
#include <iomanip>
#include <ostream>
#include <string_view>

namespace tarnwick {

namespace {

// Stores an option's value in the options; a non-empty result is the usage error.
using ApplyOption = std::string (*)(CalcOptions& options, std::string_view value);

struct OptionRow {
  std::string_view name;      // "--rating"
  std::string_view alias;     // a short spelling ("-h"), or empty
  std::string_view argument;  // name of the value it takes ("N"); empty for a switch
  std::string_view help;
  ApplyOption apply;
};

// Only digits, no sign, no exponent, no fraction: "1e9", "2.9" and "5abc" are
// refused rather than read as far as they go.
std::optional<int> WholeNumber(std::string_view text, int least, int most) {
  if (text.empty()) return std::nullopt;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || value < least || value > most) return std::nullopt;
  return value;
}

constexpr int kMostRatingDepths = 100000;

std::string SetRating(CalcOptions& options, std::string_view value) {
  options.rating = WholeNumber(value, 1, kMostRatingDepths);
  if (options.rating) return {};
  return "--rating takes a whole number of depths from 1 to 100000, not '" + std::string(value) +
         "'";
}

constexpr OptionRow kOptions[] = {
    {"--help", "-h", "", "this text",
     [](CalcOptions& o, std::string_view) {
       o.help = true;
       return std::string();
     }},
    {"--list", "", "", "the windows, both names of each, and their boxes",
     [](CalcOptions& o, std::string_view) {
       o.list = true;
       return std::string();
     }},
    {"--rating", "", "N", "the stage-discharge table as CSV, N depths (1 to 100000)", SetRating},
};

const OptionRow* FindOption(std::string_view word) {
  for (const OptionRow& row : kOptions) {
    if (word == row.name || (!row.alias.empty() && word == row.alias)) return &row;
  }
  return nullptr;
}

bool LooksLikeOption(std::string_view word) {
  return word.substr(0, 2) == "--" || FindOption(word) != nullptr;
}

// Reads the option at args[k], and its value if it takes one; k moves past both.
std::string ReadOption(std::span<const std::string> args, size_t& k, CalcOptions& options,
                       std::vector<const OptionRow*>& seen) {
  const std::string_view word = args[k];
  const OptionRow* row = FindOption(word);
  if (row == nullptr) return "unknown option '" + std::string(word) + "' (see --help)";
  for (const OptionRow* earlier : seen) {
    if (earlier == row) return std::string(row->name) + " given twice";
  }
  seen.push_back(row);
  std::string_view value;
  if (!row->argument.empty()) {
    if (k + 1 >= args.size()) {
      return std::string(row->name) + " needs a value " + std::string(row->argument);
    }
    value = args[++k];
  }
  ++k;
  return row->apply(options, value);
}

}  // namespace

ParsedCommandLine ParseCommandLine(std::span<const std::string> args) {
  ParsedCommandLine parsed;
  CalcOptions& options = parsed.options;
  std::vector<const OptionRow*> seen;
  size_t k = 0;
  while (k < args.size() && options.boxes.empty()) {
    const std::string& word = args[k];
    if (LooksLikeOption(word)) {
      parsed.error = ReadOption(args, k, options, seen);
      if (!parsed.error.empty()) return parsed;
      continue;
    }
    if (word == "-" && !options.window.empty() && !options.batch) {
      options.batch = true;
    } else if (options.window.empty()) {
      options.window = word;
    } else if (options.batch) {
      parsed.error = "batch input '-' takes its box texts from standard input, not '" + word + "'";
      return parsed;
    } else {
      options.boxes.push_back(word);
    }
    ++k;
  }
  options.boxes.insert(options.boxes.end(), args.begin() + static_cast<std::ptrdiff_t>(k),
                       args.end());
  return parsed;
}

void PrintOptionHelp(std::ostream& out) {
  for (const OptionRow& row : kOptions) {
    std::string spelling;
    if (!row.alias.empty()) spelling.append(row.alias).append(", ");
    spelling.append(row.name);
    if (!row.argument.empty()) spelling.append(" ").append(row.argument);
    out << "  " << std::left << std::setw(20) << spelling << row.help << "\n";
  }
}

}  // namespace tarnwick
