#pragma once
// A test that analyses GRF files it writes into a temporary directory of its own.
#include <gtest/gtest.h>

#include <string>

#include "grf/grf_reader.h"
#include "platform/system_platform.h"
#include "support/temp_dir.h"

namespace kestrav::test {

class GrfFileTest : public ::testing::Test {
 protected:
  GrfInfo Analyze(const std::string& bytes) {
    return AnalyzeGrf(*system.files, dir.Write("newgrf/file" + std::to_string(files++) + ".grf", bytes));
  }
  TempDir dir;
  SystemAdapters system = MakeSystemAdapters();
  int files = 0;
};

}  // namespace kestrav::test
