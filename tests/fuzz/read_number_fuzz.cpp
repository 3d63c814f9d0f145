// libFuzzer target for the box reading. Invariants: no crash; a valid reading
// is a finite number; an invalid one is an infinity; reading is insensitive to
// blanks added between characters.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/ReadNumber.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const tarnwick::NumberReading r = tarnwick::ReadNumber(text);
  if (r.valid != std::isfinite(r.value)) std::abort();
  if (!r.valid && !std::isinf(r.value)) std::abort();

  std::string spaced;
  for (const char c : text) {
    spaced.push_back(c);
    spaced.push_back(' ');
  }
  const tarnwick::NumberReading s = tarnwick::ReadNumber(spaced);
  if (s.valid != r.valid) std::abort();
  if (r.valid && s.value != r.value) std::abort();
  return 0;
}
