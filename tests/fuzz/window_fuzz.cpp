// libFuzzer target: one press of a calculation window with arbitrary box texts.
// TARNWICK_FUZZ_WINDOW names the window; each press must end, within libFuzzer's
// time limit, in a report with finite figures or in one of the blocks.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "PressInvariants.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const tarnwick::WindowSpec* window = tarnwick::FindWindow(TARNWICK_FUZZ_WINDOW);
  if (window == nullptr || window->run == nullptr) std::abort();
  const std::string fault = tarnwick::fuzz::CheckPress(*window, data, size);
  if (!fault.empty()) {
    std::fprintf(stderr, "%s\n", fault.c_str());
    std::abort();
  }
  return 0;
}
