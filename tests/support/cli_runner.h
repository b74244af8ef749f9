#pragma once
// Runs kestrav-cli's commands in the test process and captures what they print.
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace kestrav::test {

struct CliResult {
  int status;
  std::string out, err;
};

inline CliResult RunCliCommand(const std::vector<std::string>& args) {
  auto adapters = MakeSystemAdapters();
  std::ostringstream out, err;
  const int status = RunCli(args, adapters, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace kestrav::test
