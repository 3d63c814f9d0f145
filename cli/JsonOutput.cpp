#include "JsonOutput.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/ReadNumber.h"

namespace tarnwick {

std::string JsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return {buffer, end};
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(c);
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out.push_back(c);  // UTF-8 passes through
    }
  }
  return out + "\"";
}

void JsonObject::Key(std::string_view key) {
  if (text_.size() > 1) text_ += ", ";
  text_ += JsonString(key);
  text_ += ": ";
}

JsonObject& JsonObject::String(std::string_view key, std::string_view value) {
  Key(key);
  text_ += JsonString(value);
  return *this;
}

JsonObject& JsonObject::Number(std::string_view key, double value) {
  Key(key);
  text_ += JsonNumber(value);
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
    boxes += JsonNumber(reading.value);
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

}  // namespace tarnwick
