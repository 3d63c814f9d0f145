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

namespace {

// The length of the well-formed UTF-8 sequence at text[k] (RFC 3629: no overlong
// forms, no surrogates, nothing above U+10FFFF), 0 when it is not one.
size_t Utf8Length(std::string_view text, size_t k) {
  const auto byte = [&](size_t j) { return static_cast<unsigned char>(text[j]); };
  const unsigned char b = byte(k);
  size_t n = 0;
  unsigned char lo = 0x80;
  unsigned char hi = 0xBF;
  if (b >= 0xC2 && b <= 0xDF) {
    n = 2;
  } else if (b >= 0xE0 && b <= 0xEF) {
    n = 3;
    if (b == 0xE0) lo = 0xA0;
    if (b == 0xED) hi = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    n = 4;
    if (b == 0xF0) lo = 0x90;
    if (b == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (k + n > text.size()) return 0;
  if (byte(k + 1) < lo || byte(k + 1) > hi) return 0;
  for (size_t j = 2; j < n; ++j) {
    if (byte(k + j) < 0x80 || byte(k + j) > 0xBF) return 0;
  }
  return n;
}

}  // namespace

// Control characters escaped; UTF-8 passes through, and a byte that begins no
// well-formed sequence becomes U+FFFD, so that every line is valid JSON.
std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (size_t k = 0; k < text.size();) {
    const char c = text[k];
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(c);
    } else if (u < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else if (u >= 0x80) {
      const size_t n = Utf8Length(text, k);
      out += n == 0 ? std::string_view("\xEF\xBF\xBD") : text.substr(k, n);
      k += n == 0 ? 1 : n;
      continue;
    } else {
      out.push_back(c);
    }
    ++k;
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

std::string_view OutcomeName(PressOutcome outcome) {
  switch (outcome) {
    case PressOutcome::Report: return "report";
    case PressOutcome::WidthError: return "width-error";
    case PressOutcome::Capacity: return "capacity";
    case PressOutcome::DepthTooGreat: return "depth-too-great";
    case PressOutcome::InputError: break;
  }
  return "input-error";
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
