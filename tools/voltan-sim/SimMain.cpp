#include <iostream>
#include <string>
#include <vector>

#include "voltan-sim/Cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return voltansim::RunCommandLine(args, std::cout, std::cerr);
}
