#include "grf/parallel_analysis.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

#include "grf/grf_reader.h"

namespace kestrav {

std::vector<GrfInfo> AnalyzeGrfFiles(FileSystem& files, const std::vector<std::string>& paths) {
  std::vector<GrfInfo> results(paths.size());
  std::atomic<std::size_t> next{0};
  std::exception_ptr failure;
  std::mutex failureLock;
  const auto work = [&] {
    try {
      for (std::size_t i; (i = next.fetch_add(1)) < paths.size();) results[i] = AnalyzeGrf(files, paths[i]);
    } catch (...) {
      next = paths.size();
      const std::lock_guard lock(failureLock);
      if (!failure) failure = std::current_exception();
    }
  };
  const std::size_t workers = std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), paths.size());
  {
    std::vector<std::jthread> threads;
    try {
      for (std::size_t i = 1; i < workers; ++i) threads.emplace_back(work);
    } catch (const std::system_error&) {
      // No more threads to be had: those there are do the work.
    }
    work();
  }
  if (failure) std::rethrow_exception(failure);
  return results;
}

}  // namespace kestrav
