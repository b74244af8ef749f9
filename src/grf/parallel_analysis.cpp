#include "grf/parallel_analysis.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

#include "grf/grf_reader.h"

#if defined(__linux__)
#include <sched.h>
#endif

namespace kestrav {
namespace {

// The processors this process may run on: a process bound to fewer than the machine has
// gains nothing from more threads, and each one costs its start and its own buffers.
std::size_t ProcessorsToRunOn() {
#if defined(__linux__)
  cpu_set_t allowed;
  if (::sched_getaffinity(0, sizeof allowed, &allowed) == 0) return std::max(1, CPU_COUNT(&allowed));
#endif
  return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace

std::vector<GrfInfo> AnalyzeGrfFiles(FileSystem& files, const std::vector<std::string>& paths,
                                     const std::function<void(std::size_t)>& progress, GrfDetail detail) {
  std::vector<GrfInfo> results(paths.size());
  std::vector<std::atomic<bool>> ready(paths.size());
  std::atomic<std::size_t> next{0};
  std::exception_ptr failure;
  std::mutex failureLock;
  std::size_t reported = 0;
  const auto report = [&] {
    std::size_t leading = reported;
    while (leading < paths.size() && ready[leading].load(std::memory_order_acquire)) ++leading;
    if (progress && leading != reported) progress(leading);
    reported = leading;
  };
  const auto work = [&](bool caller) {
    try {
      for (std::size_t i; (i = next.fetch_add(1)) < paths.size();) {
        results[i] = AnalyzeGrf(files, paths[i], detail);
        ready[i].store(true, std::memory_order_release);
        if (caller) report();
      }
    } catch (...) {
      next = paths.size();
      const std::lock_guard lock(failureLock);
      if (!failure) failure = std::current_exception();
    }
  };
  const std::size_t workers = std::min(ProcessorsToRunOn(), paths.size());
  {
    std::vector<std::jthread> threads;
    try {
      for (std::size_t i = 1; i < workers; ++i) threads.emplace_back(work, false);
    } catch (const std::system_error&) {
      // No more threads to be had: those there are do the work.
    }
    work(true);
  }
  if (failure) std::rethrow_exception(failure);
  report();
  return results;
}

}  // namespace kestrav
