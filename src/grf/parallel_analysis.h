#pragma once
// Analysing many GRF files at once, on as many threads as the processor runs.
#include <string>
#include <vector>

#include "grf/grf_info.h"
#include "platform/file_system.h"

namespace kestrav {

// AnalyzeGrf of every path, in the order of paths: the same results as one call after the
// other, found on worker threads and the calling one. files must allow calls from several
// threads at once.
std::vector<GrfInfo> AnalyzeGrfFiles(FileSystem& files, const std::vector<std::string>& paths);

}  // namespace kestrav
