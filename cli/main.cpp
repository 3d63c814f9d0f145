#include <iostream>
#include <string>
#include <vector>

#include "CalcCommand.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return tarnwick::RunCalcCommand(args, std::cin, std::cout, std::cerr);
}
