// libFuzzer target for the box reading.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "PressInvariants.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string fault = tarnwick::fuzz::CheckReading(text);
  if (!fault.empty()) {
    std::fprintf(stderr, "%s\n", fault.c_str());
    std::abort();
  }
  return 0;
}
