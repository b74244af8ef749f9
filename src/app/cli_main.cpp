#include <exception>
#include <iostream>

#include "cli/cli.h"

int main(int argc, char** argv) {
  try {
    auto adapters = kestrav::MakeSystemAdapters();
    return kestrav::RunCli({argv + 1, argv + argc}, adapters, std::cout, std::cerr);
  } catch (const std::exception& error) {
    std::cerr << "kestrav-cli: " << error.what() << "\n";
    return kestrav::kCliFailed;
  }
}
