// Loading large installations, as the main window loads them at start-up (InitializeGrf
// without the patch probe): 20,000 installed GRF files under a configuration that names all
// of them, in reverse order and upper case, once as a player's directory is (unchanged for
// seconds) and once changed a moment before each load; 5,000 installed files under a
// configuration of 2,000 lines naming files that are missing; and 20,000 installed files
// under 2,000 copies of one line with parameters (every copy after the first names a file
// that is no item any more). Each load must take under 0.5 s (the mean of five) in under
// 50 MB.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "bench_files.h"
#include "platform/system_platform.h"
#include "ui/form_manager.h"

namespace {

namespace fs = std::filesystem;

struct Installation {
  const char* name;
  int installed, named, missing;  // installed files; how many of them, and how many others, lines name
  int repeated = 0;               // copies of a line naming the first file with parameters
};

constexpr Installation kInstallations[] = {{"named/20000", 20000, 20000, 0},
                                           {"missing/2000-beside-5000", 5000, 0, 2000},
                                           {"repeated/2000-beside-20000", 20000, 0, 0, 2000}};

// One normal sprite and the terminator.
const std::string kGrf("\x01\x00\x02\x00\x00", 5);

std::string Numbered(const char* prefix, int number) {
  char name[32];
  std::snprintf(name, sizeof name, "%s%05d.GRF", prefix, number);
  return name;
}

// The configuration of an installation: the named files from the last to the first, in all
// three states, then the missing ones.
std::string Configuration(const Installation& installation) {
  std::string lines;
  for (int i = installation.named - 1; i >= 0; --i) {
    const char* marks[][2] = {{"", ""}, {"", " !"}, {"#DISABLED#", " 1 2"}};
    lines += std::string(marks[i % 3][0]) + "NEWGRF/" + Numbered("SET", i) + marks[i % 3][1] + "\r\n";
  }
  for (int i = 0; i < installation.missing; ++i) lines += "newgrf/" + Numbered("gone", i) + "\r\n";
  for (int i = 0; i < installation.repeated; ++i) lines += "newgrf/set00000.grf 1\r\n";
  return lines;
}

// The installations, removed when the program ends.
struct Workspace : kestrav::bench::Workspace {
  Workspace() {
    for (const Installation& installation : kInstallations) {
      const fs::path ttd = root / installation.name;
      fs::create_directories(ttd / "newgrf");
      for (int i = 0; i < installation.installed; ++i) {
        std::string name = Numbered("set", i);
        name.replace(name.size() - 3, 3, "grf");
        kestrav::bench::WriteFile(ttd / "newgrf" / name, kGrf);
      }
      kestrav::bench::WriteFile(ttd / "newgrfw.cfg", Configuration(installation));
    }
    // As a player's installation is: not changed in the last seconds.
    std::this_thread::sleep_for(std::chrono::seconds(3));
  }
};

Workspace* workspace = nullptr;

// fresh: the newgrf directory changes just before each load, as right after an unpacking.
void Load(benchmark::State& state, const Installation& installation, bool fresh) {
  // The missing files' warning is part of the load.
  const fs::path ttd = workspace->root / installation.name;
  kestrav::bench::BenchManager bench(ttd.string(), true);
  kestrav::TformManager& manager = bench.manager;
  manager.probePatchVersion = false;
  for (auto _ : state) {
    if (fresh) {
      state.PauseTiming();
      kestrav::bench::WriteFile(ttd / "newgrf" / "unpacked.tmp", "");
      fs::remove(ttd / "newgrf" / "unpacked.tmp");
      state.ResumeTiming();
    }
    manager.InitializeGrf();
    benchmark::DoNotOptimize(manager.spritesTotal);
  }
  state.counters["items"] = manager.listGrfFiles.Count();
  state.counters["sprites"] = manager.spritesTotal;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Workspace space;
  workspace = &space;
  const auto add = [](const Installation& installation, bool fresh) {
    const std::string name = std::string("InitializeGrf/") + installation.name + (fresh ? "/changed-just-now" : "");
    benchmark::RegisterBenchmark(name.c_str(), Load, installation, fresh)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
  };
  for (const Installation& installation : kInstallations) add(installation, false);
  add(kInstallations[0], true);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
