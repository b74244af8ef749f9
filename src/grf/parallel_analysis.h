#pragma once
// Analysing many GRF files at once, on as many threads as there are processors to run on.
#include <functional>
#include <string>
#include <vector>

#include "grf/grf_info.h"
#include "grf/grf_reader.h"
#include "platform/file_system.h"

namespace kestrav {

// AnalyzeGrf of every path, in the order of paths: the same results as one call after the
// other, found on worker threads and the calling one. files must allow calls from several
// threads at once. progress(n), when given, runs on the calling thread each time more of the
// leading results are ready: the first n are.
std::vector<GrfInfo> AnalyzeGrfFiles(FileSystem& files, const std::vector<std::string>& paths,
                                     const std::function<void(std::size_t)>& progress = {},
                                     GrfDetail detail = GrfDetail::Facts);

}  // namespace kestrav
