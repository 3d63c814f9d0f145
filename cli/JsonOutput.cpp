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
  size_t k = 0;
  while (k < text.size()) {
    // Plain ASCII goes over in runs; only what needs a look stops the run.
    size_t run = k;
    while (run < text.size()) {
      const auto c = static_cast<unsigned char>(text[run]);
      if (c < 0x20 || c == '"' || c == '\\' || c >= 0x80) break;
      ++run;
    }
    out.append(text.data() + k, run - k);
    k = run;
    if (k >= text.size()) break;
    const auto c = static_cast<unsigned char>(text[k]);
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(static_cast<char>(c));
      ++k;
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
      ++k;
    } else if (c >= 0xE1 && c <= 0xEC && k + 2 < text.size() &&
               (static_cast<unsigned char>(text[k + 1]) & 0xC0u) == 0x80u &&
               (static_cast<unsigned char>(text[k + 2]) & 0xC0u) == 0x80u) {
      // The common case, a Chinese character: a lead byte that takes any two
      // continuation bytes (no overlong or surrogate form starts with it).
      out.append(text.data() + k, 3);
      k += 3;
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

JsonObject& JsonObject::Integer(std::string_view key, long long value) {
  Key(key);
  text_ += std::to_string(value);
  return *this;
}

JsonObject& JsonObject::Raw(std::string_view key, std::string_view json) {
  Key(key);
  text_ += json;
  return *this;
}

JsonObject PressJson(const WindowSpec& window, std::span<const std::string> boxTexts,
                     const PressResult& result) {
  // The numbers as the boxes read them, an empty box as 0 and a number out of
  // range as null.
  std::string boxes = "[";
  for (size_t k = 0; k < window.boxes.size(); ++k) {
    const NumberReading reading = k < boxTexts.size() ? ReadNumber(boxTexts[k]) : NumberReading{};
    if (k > 0) boxes += ", ";
    AppendJsonNumber(boxes, reading.value);
  }
  boxes += "]";
  JsonObject values;
  const bool depthKind = window.kind == CalculationKind::Depth;
  if (result.closed && (depthKind || result.outcome != PressOutcome::Report)) {
    values.Number("Qmax", result.closed->qmax);
  }
  if (const auto& s = result.state) {
    values.Number("h", s->h).Number("W", s->w).Number("X", s->x).Number("RS", s->rs);
    values.Number("V", s->v).Number("Q1", s->q1).Number("B1", s->surfaceWidth).Number("E", s->e);
  }
  if (result.closed && result.state) {
    values.Number("clearance_height", result.closed->clearanceHeight);
    values.Number("clearance_area_percent", result.closed->clearanceAreaPercent);
  }
  for (const NamedValue& v : result.familyValues) values.Number(v.symbol, v.value);
  JsonObject press;
  press.String("window", window.name).String("outcome", OutcomeName(result.outcome));
  press.Raw("boxes", boxes).Raw("values", values.Text());
  if (window.kind == CalculationKind::Depth && result.passes > 0) {
    press.Integer("passes", result.passes);
  }
  return press;
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
