// The log of a list of 500 entries against the full recount of the sprite totals over the
// same list, which reads the same files once each, and against writing the log's bytes
// alone. At the end it prints the log's time beside the recount plus the write.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "bench_files.h"
#include "cli/unseen_view.h"
#include "log/form_log.h"
#include "platform/system_platform.h"
#include "sample/sample_grf.h"
#include "ui/form_manager.h"

namespace {

namespace fs = std::filesystem;
using namespace kestrav;

constexpr int kListEntries = 500;

// A TTD directory of 500 installed sets, removed at the end, and the main window and log
// creator on a list of all of them, each Active or Inactive, so that the recount reads
// every file the log reads.
struct Bench {
  Bench() {
    for (int i = 0; i < kListEntries; ++i) {
      sample::SampleGrfOptions options;
      options.seed = static_cast<std::uint32_t>(i + 1);
      options.normalSprites = 60;
      options.pseudoSprites = 20;
      sample::WriteSampleGrf((root / "newgrf" / ("set" + std::to_string(i) + ".grf")).string(), options);
      manager.listGrfFiles.Add("newgrf/set" + std::to_string(i) + ".grf" + (i % 4 == 0 ? " 1 2" : ""),
                               i % 3 == 0 ? GrfState::Inactive : GrfState::Active);
    }
  }
  kestrav::bench::Workspace workspace;
  const fs::path& root = workspace.root;
  kestrav::bench::BenchManager bench{root.string(), false};
  SystemAdapters& adapters = bench.adapters;
  kestrav::bench::BenchDialogs& dialogs = bench.dialogs;
  TformManager& manager = bench.manager;
  UnseenLogView logView;
  TformLog log{bench.platform, logView, manager};
};

Bench* current = nullptr;

// Writes the log in format; returns its path.
std::string WriteLog(int format) {
  current->dialogs.saveFile = (current->root / (format == kFormatTxt ? "Log.txt" : "Log.html")).string();
  if (format == kFormatTxt) {
    current->log.TXT();
  } else {
    current->log.HTML();
  }
  return current->dialogs.saveFile;
}

void Log(benchmark::State& state, int format) {
  std::string file;
  for (auto _ : state) file = WriteLog(format);
  state.counters["bytes"] = static_cast<double>(fs::file_size(file));
}

void FullRecount(benchmark::State& state) {
  for (auto _ : state) {
    current->manager.CountAllSprites(true, 0);
    benchmark::DoNotOptimize(current->manager.spritesTotal);
  }
}

// Writing the bytes of a log that is already built, as the log writes them.
void WriteOnly(benchmark::State& state, int format) {
  const std::string bytes = ReadWholeFile(*current->adapters.files, WriteLog(format)).value_or("");
  const std::string copy = (current->root / "copy.log").string();
  for (auto _ : state) current->adapters.files->WriteWholeFile(copy, bytes);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Bench space;
  current = &space;

  const auto add = [](const char* name, auto run) {
    benchmark::RegisterBenchmark(name, run)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
  };
  add("CountAllSprites/full/500", FullRecount);
  add("Log/txt/500", [](benchmark::State& state) { Log(state, kFormatTxt); });
  add("Log/html/500", [](benchmark::State& state) { Log(state, kFormatHtml); });
  add("WriteOnly/txt/500", [](benchmark::State& state) { WriteOnly(state, kFormatTxt); });
  add("WriteOnly/html/500", [](benchmark::State& state) { WriteOnly(state, kFormatHtml); });
  kestrav::bench::MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  // The log should cost no more than the recount plus writing its bytes.
  const auto& m = reporter.medians;
  if (!m.contains("CountAllSprites/full/500")) return 0;
  const auto recount = m.at("CountAllSprites/full/500");
  std::printf("\n%-6s %21s %21s %21s %15s\n", "", "log ms", "recount ms", "write ms", "log/(rec+write)");
  std::printf("%-6s %10s %10s %10s %10s %10s %10s %7s %7s\n", "format", "real", "cpu", "real", "cpu", "real", "cpu",
              "real", "cpu");
  for (const char* format : {"txt", "html"}) {
    const auto log = m.find(std::string("Log/") + format + "/500");
    const auto write = m.find(std::string("WriteOnly/") + format + "/500");
    if (log == m.end() || write == m.end()) continue;
    std::printf("%-6s %10.2f %10.2f %10.2f %10.2f %10.2f %10.2f %7.2f %7.2f\n", format, log->second.real,
                log->second.cpu, recount.real, recount.cpu, write->second.real, write->second.cpu,
                log->second.real / (recount.real + write->second.real),
                log->second.cpu / (recount.cpu + write->second.cpu));
  }
  return 0;
}
