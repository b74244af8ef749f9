// Makes the sample TTD directory that tools/run opens when it is given none.
//
// Usage: sample_ttd DIR PATCH_EXE
#include <cstdio>
#include <exception>

#include "sample/sample_ttd_dir.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: sample_ttd DIR PATCH_EXE\n");
    return 2;
  }
  try {
    kestrav::sample::WriteSampleTtd(argv[1], argv[2]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "sample_ttd: %s\n", error.what());
    return 1;
  }
  return 0;
}
