#include <iostream>
#include <string>
#include <vector>

#include "CalcCommand.h"

int main(int argc, char** argv) {
  // The streams buffer on their own rather than through C stdio, and reading does
  // not flush the output: batch mode writes its reports in large blocks and
  // flushes only before it would wait for more input.
  std::ios::sync_with_stdio(false);
  std::cin.tie(nullptr);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return tarnwick::RunCalcCommand(args, std::cin, std::cout, std::cerr);
}
