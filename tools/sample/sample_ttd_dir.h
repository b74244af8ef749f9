#pragma once
// A TTD directory to try Kestrav on: a Windows edition marker, a patch, thirteen GRF files
// with their authors' data and a configuration file that uses every state.
#include <string>

namespace kestrav::sample {

// dir is created when missing; patchExe (the stand-in patch) is copied in as the patch
// executable. Files already there are replaced, others left alone. Throws std::exception.
void WriteSampleTtd(const std::string& dir, const std::string& patchExe);

}  // namespace kestrav::sample
