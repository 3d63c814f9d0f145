#include "JsonOutput.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/ReadNumber.h"

namespace tarnwick {

void AppendJsonNumber(std::string& out, double value) {
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  out.append(buffer, end);
}

std::string JsonNumber(double value) {
  std::string out;
  AppendJsonNumber(out, value);
  return out;
}

namespace {

// The length of the well-formed UTF-8 sequence at the start of `s`, or 0 when it
// is not one (a stray continuation byte, a truncated, overlong or surrogate form).
size_t Utf8Length(std::string_view s) {
  const auto b = [&](size_t k) { return k < s.size() ? static_cast<unsigned char>(s[k]) : 0u; };
  const auto tail = [&](size_t k) { return (b(k) & 0xC0u) == 0x80u; };
  const unsigned lead = b(0);
  if (lead >= 0xC2 && lead <= 0xDF) return tail(1) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    const unsigned lo = lead == 0xE0 ? 0xA0 : 0x80;
    const unsigned hi = lead == 0xED ? 0x9F : 0xBF;
    return b(1) >= lo && b(1) <= hi && tail(2) ? 3 : 0;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    const unsigned lo = lead == 0xF0 ? 0x90 : 0x80;
    const unsigned hi = lead == 0xF4 ? 0x8F : 0xBF;
    return b(1) >= lo && b(1) <= hi && tail(2) && tail(3) ? 4 : 0;
  }
  return 0;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
  out.push_back('"');
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const auto tail = [&](size_t k) { return k < text.size() && (byte(k) & 0xC0u) == 0x80u; };
  size_t k = 0;
  while (k < text.size()) {
    // What needs no escape goes over in one run: printable ASCII other than the
    // quote and the backslash, and the three bytes of a Chinese character (a lead
    // byte that takes any two continuation bytes: no overlong or surrogate form
    // starts with it). Anything else stops the run and is looked at alone.
    size_t run = k;
    while (run < text.size()) {
      const unsigned c = byte(run);
      if (c >= 0x20 && c < 0x80 && c != '"' && c != '\\') {
        ++run;
      } else if (c >= 0xE1 && c <= 0xEC && tail(run + 1) && tail(run + 2)) {
        run += 3;
      } else {
        break;
      }
    }
    out.append(text.data() + k, run - k);
    k = run;
    if (k >= text.size()) break;
    const unsigned c = byte(k);
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(static_cast<char>(c));
      ++k;
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
      ++k;
    } else if (const size_t n = Utf8Length(text.substr(k)); n > 0) {
      out.append(text.data() + k, n);
      k += n;
    } else {
      out += "\xEF\xBF\xBD";  // U+FFFD for a byte that is not UTF-8
      ++k;
    }
  }
  out.push_back('"');
}

std::string JsonString(std::string_view text) {
  std::string out;
  AppendJsonString(out, text);
  return out;
}

void JsonObject::Key(std::string_view key) {
  if (text_.size() > 1) text_ += ", ";
  AppendJsonString(text_, key);
  text_ += ": ";
}

JsonObject& JsonObject::String(std::string_view key, std::string_view value) {
  Key(key);
  AppendJsonString(text_, value);
  return *this;
}

JsonObject& JsonObject::Number(std::string_view key, double value) {
  Key(key);
  AppendJsonNumber(text_, value);
  return *this;
}

JsonObject& JsonObject::Raw(std::string_view key, std::string_view json) {
  Key(key);
  text_ += json;
  return *this;
}

namespace {

// ", \"key\": " for a member after the first.
void Member(std::string& out, bool& first, std::string_view key) {
  if (!first) out += ", ";
  first = false;
  AppendJsonString(out, key);
  out += ": ";
}

}  // namespace

void AppendPressJson(std::string& out, const WindowSpec& window,
                     std::span<const NumberReading> readings, const PressResult& result) {
  out += "{\"window\": ";
  AppendJsonString(out, window.name);
  out += ", \"outcome\": ";
  AppendJsonString(out, OutcomeName(result.outcome));
  // The numbers as the boxes read them, an empty box as 0 and a number out of
  // range as null.
  out += ", \"boxes\": [";
  for (size_t k = 0; k < window.boxes.size(); ++k) {
    const NumberReading reading = k < readings.size() ? readings[k] : NumberReading{};
    if (k > 0) out += ", ";
    AppendJsonNumber(out, reading.value);
  }
  out += "], \"values\": {";
  bool first = true;
  const auto number = [&](std::string_view key, double value) {
    Member(out, first, key);
    AppendJsonNumber(out, value);
  };
  const bool depthKind = window.kind == CalculationKind::Depth;
  if (result.closed && (depthKind || result.outcome != PressOutcome::Report)) {
    number("Qmax", result.closed->qmax);
  }
  if (const auto& s = result.state) {
    number("h", s->h);
    number("W", s->w);
    number("X", s->x);
    number("RS", s->rs);
    number("V", s->v);
    number("Q1", s->q1);
    number("B1", s->surfaceWidth);
    number("E", s->e);
  }
  if (result.closed && result.state) {
    number("clearance_height", result.closed->clearanceHeight);
    number("clearance_area_percent", result.closed->clearanceAreaPercent);
  }
  for (const NamedValue& v : result.familyValues) number(v.symbol, v.value);
  out.push_back('}');
  if (depthKind && result.passes > 0) {
    char passes[16];
    const auto end = std::to_chars(passes, passes + sizeof passes, result.passes).ptr;
    out.append(", \"passes\": ").append(passes, end);
  }
}

std::string FlowsJson(const FlowCombination& f) {
  const auto at = [](const FlowAt& s) {
    JsonObject o;
    o.Number("Q", s.q).Number("h", s.h).Number("V", s.v).Number("R", s.r);
    return o.Text();
  };
  JsonObject o;
  o.Raw("design", at(f.design)).Raw("increased", at(f.increased)).Raw("least", at(f.least));
  o.Number("coefficient", f.coefficient).Number("freeboard", f.freeboard);
  o.Number("channel_depth", f.channelDepth).Number("bank_level", f.bankLevel);
  o.Raw("scour_limit", f.scourLimit ? JsonNumber(*f.scourLimit) : "null");
  o.Number("silt_coefficient", f.siltCoefficient).Number("silt_limit", f.siltLimit);
  return o.Text();
}

}  // namespace tarnwick
