#include "CalcOptions.h"

#include "sections/ProjectFile.h"

#include <charconv>
#include <cmath>
#include <iomanip>
#include <limits>
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

// A figure the user sets: a finite decimal number, not below `least`.
std::optional<double> Figure(std::string_view text, double least) {
  double value = 0.0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value) ||
      value < least) {
    return std::nullopt;
  }
  return value;
}

std::string FigureError(std::string_view option, std::string_view value, std::string_view what) {
  return std::string(option) + " takes " + std::string(what) + ", not '" + std::string(value) + "'";
}

std::string SetVelocityMin(CalcOptions& o, std::string_view value) {
  o.limits.velocityMin = Figure(value, 0.0);
  return o.limits.velocityMin ? "" : FigureError("--velocity-min", value, "a velocity in m/s");
}

std::string SetVelocityMax(CalcOptions& o, std::string_view value) {
  o.limits.velocityMax = Figure(value, 0.0);
  return o.limits.velocityMax ? "" : FigureError("--velocity-max", value, "a velocity in m/s");
}

std::string SetClearanceArea(CalcOptions& o, std::string_view value) {
  const auto a = Figure(value, 0.0);
  if (!a || *a >= 100.0) return FigureError("--clearance-area", value, "a share from 0 to 100 %");
  o.limits.clearanceAreaPercent = *a;
  return {};
}

std::string SetClearanceHeight(CalcOptions& o, std::string_view value) {
  const auto c = Figure(value, 0.0);
  if (!c) return FigureError("--clearance-height", value, "a height in m");
  o.limits.clearanceHeight = *c;
  return {};
}

// "LOW,HIGH": the near-critical band of the Froude number.
std::string SetFroudeBand(CalcOptions& o, std::string_view value) {
  const size_t comma = value.find(',');
  const auto low =
      comma == std::string_view::npos ? std::nullopt : Figure(value.substr(0, comma), 0.0);
  const auto high = low ? Figure(value.substr(comma + 1), *low) : std::nullopt;
  if (!low || !high) return FigureError("--froude-band", value, "LOW,HIGH with 0 <= LOW <= HIGH");
  o.limits.froudeLow = *low;
  o.limits.froudeHigh = *high;
  return {};
}

std::string SetClosedRule(CalcOptions& o, std::string_view value) {
  if (value == "tunnel") {
    o.limits.closedRule = ClearanceRule::Tunnel;
  } else if (value == "fill") {
    o.limits.closedRule = ClearanceRule::FillRatio;
  } else if (value == "none") {
    o.limits.closedRule = ClearanceRule::None;
  } else {
    return "--closed-rule takes tunnel, fill or none, not '" + std::string(value) + "'";
  }
  return {};
}

std::string SetLining(CalcOptions& o, std::string_view value) {
  std::string ids;
  for (const LiningVelocity& l : UsualMaximumVelocities()) {
    if (l.id == value) {
      o.limits.lining = value;
      return {};
    }
    ids.append(ids.empty() ? "" : ", ").append(l.id);
  }
  return "--lining takes one of " + ids + ", not '" + std::string(value) + "'";
}

std::string SetSoilExponent(CalcOptions& o, std::string_view value) {
  const auto a = Figure(value, 0.0);
  if (!a || *a > 1.0) return FigureError("--soil-exponent", value, "an exponent from 0 to 1");
  o.limits.soilExponent = *a;
  return {};
}

std::string SetDischarge(CalcOptions& o, std::string_view value) {
  o.discharge = Figure(value, 0.0);
  if (!o.discharge || *o.discharge <= 0.0) {
    return FigureError("--discharge", value, "a design discharge above 0 in m³/s");
  }
  return {};
}

std::string SetRatio(CalcOptions& o, std::string_view value) {
  o.ratio = Figure(value, 0.0);
  if (!o.ratio || *o.ratio <= 0.0) return FigureError("--ratio", value, "a ratio B/h above 0");
  return {};
}

std::string SetLength(CalcOptions& o, std::string_view value) {
  o.length = Figure(value, 0.0);
  if (!o.length || *o.length <= 0.0) return FigureError("--length", value, "a length above 0 in m");
  return {};
}

std::string SetStep(CalcOptions& o, std::string_view value) {
  o.step = Figure(value, 0.0);
  if (!o.step || *o.step <= 0.0) return FigureError("--step", value, "a step above 0 in m");
  return {};
}

std::string SetBed(CalcOptions& o, std::string_view value) {
  o.bed = Figure(value, -std::numeric_limits<double>::infinity());
  return o.bed ? "" : FigureError("--bed", value, "a bed level in m");
}

// A depth is read here as any number; whether the section can hold it is the
// profile's own judgement (a refusal block, not a usage error).
std::string SetControl(CalcOptions& o, std::string_view value) {
  if (value == "critical" || value == "normal" ||
      Figure(value, -std::numeric_limits<double>::infinity())) {
    o.control = value;
    return {};
  }
  return FigureError("--control", value, "a depth in m, 'critical' or 'normal'");
}

std::string SetIncreased(CalcOptions& o, std::string_view value) {
  o.increased = true;
  if (value == "auto") return {};
  o.flow.increased = Figure(value, 0.0);
  if (!o.flow.increased || *o.flow.increased <= 0.0) {
    return FigureError("--increased", value, "an increased discharge above 0 in m³/s or 'auto'");
  }
  return {};
}

std::string SetLeast(CalcOptions& o, std::string_view value) {
  o.least = true;
  const auto q = Figure(value, 0.0);
  if (!q || *q <= 0.0) return FigureError("--least", value, "a least discharge above 0 in m³/s");
  o.flow.least = *q;
  return {};
}

std::string SetSizeFor(CalcOptions& o, std::string_view value) {
  o.sizeFor = true;
  o.sizeForIncreased = value == "increased";
  if (value == "increased" || value == "design") return {};
  return "--size-for takes 'design' or 'increased', not '" + std::string(value) + "'";
}

std::string SetFreeboard(CalcOptions& o, std::string_view value) {
  o.flow.freeboard = Figure(value, 0.0);
  return o.flow.freeboard ? "" : FigureError("--freeboard", value, "a height in m");
}

std::string SetIncreaseFactor(CalcOptions& o, std::string_view value) {
  o.flow.coefficient = Figure(value, 1.0);
  return o.flow.coefficient ? "" : FigureError("--increase-factor", value, "a coefficient >= 1");
}

std::string SetSiltC(CalcOptions& o, std::string_view value) {
  const auto c = Figure(value, 0.0);
  if (!c || *c <= 0.0) return FigureError("--silt-c", value, "a coefficient C above 0");
  o.flow.siltCoefficient = *c;
  return {};
}

std::string SetBedLevel(CalcOptions& o, std::string_view value) {
  const auto z = Figure(value, -std::numeric_limits<double>::infinity());
  if (!z) return FigureError("--bed-level", value, "a bed level in m");
  o.flow.bedLevel = *z;
  return {};
}

std::string SetText(std::string& field, std::string_view value, std::string_view option) {
  if (value.empty()) return std::string(option) + " needs a value";
  field = value;
  return {};
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
    {"--json", "", "", "one JSON object a press (JSON Lines with -), figures unrounded",
     [](CalcOptions& o, std::string_view) {
       o.json = true;
       return std::string();
     }},
    {"--checks", "", "", "the engineering checks after each report",
     [](CalcOptions& o, std::string_view) {
       o.checks = true;
       return std::string();
     }},
    {"--no-checks", "", "", "--json without the checks, for scripts that judge the figures",
     [](CalcOptions& o, std::string_view) {
       o.noChecks = true;
       return std::string();
     }},
    {"--velocity-min", "", "V", "non-silting velocity, m/s (checks)", SetVelocityMin},
    {"--velocity-max", "", "V", "non-scouring velocity, m/s (checks)", SetVelocityMax},
    {"--clearance-area", "", "A", "clear share of a tunnel's area, % (default 15)",
     SetClearanceArea},
    {"--clearance-height", "", "C", "clear height over the water, m (default 0.4)",
     SetClearanceHeight},
    {"--closed-rule", "", "RULE",
     "clearance of closed sections: tunnel (SL 279), fill (GB 50014) or none;"
     " default by kind",
     SetClosedRule},
    {"--froude-band", "", "LOW,HIGH", "near-critical band of Fr, failed (default 0.8,1.2)",
     SetFroudeBand},
    {"--lining", "", "ID",
     "lining of the velocity table: light-loam, medium-loam, heavy-loam,"
     " clay-loam, cobble, masonry, concrete",
     SetLining},
    {"--soil-exponent", "", "A", "soil linings: V(R) = V(R=1)*R^A (default 0.25)", SetSoilExponent},
    {"--book", "", "FILE", "the calculation book of the cases, FILE.pdf or FILE.odt",
     [](CalcOptions& o, std::string_view v) { return SetText(o.book, v, "--book"); }},
    {"--name", "", "PROJECT", "the project name on the book's title page",
     [](CalcOptions& o, std::string_view v) {
       o.name = std::string(v);
       return std::string();
     }},
    {"--cover", "", "KEY=VALUE",
     "a field of the book's cover: number, stage, organisation, title, computed_by,"
     " checked_by, reviewed_by, approved_by",
     [](CalcOptions& o, std::string_view v) {
       const std::string_view key = v.substr(0, v.find('='));
       BookCover probe;
       if (v.find('=') == std::string_view::npos || !SetCoverField(probe, key, ""))
         return "--cover: KEY=VALUE with KEY one of number, stage, organisation, title,"
                " computed_by, checked_by, reviewed_by, approved_by, not '" +
                std::string(v) + "'";
       o.cover.emplace_back(v);
       return std::string();
     }},
    {"--project", "", "FILE", "every case of a project file, as the windows show them",
     [](CalcOptions& o, std::string_view v) { return SetText(o.project, v, "--project"); }},
    {"--save", "", "FILE", "add the cases computed to the project FILE (made when absent)",
     [](CalcOptions& o, std::string_view v) { return SetText(o.save, v, "--save"); }},
    {"--solve", "", "BOX", "design: the box to solve for (a discharge window)",
     [](CalcOptions& o, std::string_view v) { return SetText(o.solveBox, v, "--solve"); }},
    {"--discharge", "", "Q", "design: the discharge to carry, m³/s", SetDischarge},
    {"--ratio", "", "BETA", "design: bottom width and depth for B/h = BETA (Form21)", SetRatio},
    {"--best", "", "", "design: the hydraulically best trapezoid (Form21)",
     [](CalcOptions& o, std::string_view) {
       o.best = true;
       return std::string();
     }},
    {"--size", "", "", "design: the smallest closed section of the typed shape meeting its rule",
     [](CalcOptions& o, std::string_view) {
       o.size = true;
       return std::string();
     }},
    {"--profile", "", "", "the water-surface profile of a depth window's case (水面线)",
     [](CalcOptions& o, std::string_view) {
       o.profile = true;
       return std::string();
     }},
    {"--length", "", "L", "profile: the reach length, m", SetLength},
    {"--control", "", "H", "profile: control depth in m, 'critical' or 'normal'", SetControl},
    {"--step", "", "DX", "profile: station spacing, m (default: the reach in 50 steps)", SetStep},
    {"--bed", "", "Z0", "profile: bed level at the control, m (default 0)", SetBed},
    {"--increased", "", "Q|auto",
     "canal flows: the increased discharge, m³/s, or auto (design Q times the table's"
     " coefficient, GB 50288)",
     SetIncreased},
    {"--least", "", "Q", "canal flows: the least discharge, m³/s", SetLeast},
    {"--freeboard", "", "F", "canal flows: freeboard, m (default h/4 + 0.2 at the increased Q)",
     SetFreeboard},
    {"--increase-factor", "", "K", "canal flows: the increase coefficient chosen (>= 1)",
     SetIncreaseFactor},
    {"--silt-c", "", "C", "canal flows: C of the non-silting velocity C*sqrt(R) (default 0.64)",
     SetSiltC},
    {"--bed-level", "", "Z", "canal flows: bed level under the bank, m (default 0)", SetBedLevel},
    {"--size-for", "", "design|increased",
     "design with canal flows: size the section for this discharge (default design)", SetSizeFor},
    {"--canal", "", "FILE", "the profile of a canal of reaches from a JSON file",
     [](CalcOptions& o, std::string_view v) { return SetText(o.canal, v, "--canal"); }},
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
  // --cover sets one field of the cover a time and may be given for each.
  for (const OptionRow* earlier : seen) {
    if (earlier == row && row->name != "--cover") return std::string(row->name) + " given twice";
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
    // A spelling wider than its column takes a line of its own.
    if (spelling.size() >= 24) {
      out << "  " << spelling << "\n" << std::string(26, ' ') << row.help << "\n";
    } else {
      out << "  " << std::left << std::setw(24) << spelling << row.help << "\n";
    }
  }
}

}  // namespace tarnwick
