// The GRF reader against plain reading of the same bytes, on three generated sets of files,
// and a full recount of the sprite totals over a list of 500 entries. At the end it prints
// the reader's time as a share of plain reading for each set (median of the repetitions).
#include <algorithm>
#include <memory>

#include "bench_files.h"
#include "grf/grf_reader.h"
#include "platform/system_platform.h"
#include "sample/sample_grf.h"
#include "ui/form_manager.h"

namespace {

namespace fs = std::filesystem;
using kestrav::bench::FileSet;
using kestrav::bench::Random;
using kestrav::test::GrfBuilder;

constexpr std::size_t kSetBytes = 50u << 20;
constexpr std::size_t kFileBytes = 170u << 10;  // about 300 files a set
constexpr int kListEntries = 500;

// What a set of files is mostly made of, in percent of its records.
struct Mix {
  const char* name;
  int compressed, stored;  // the rest are pseudo sprites
  int minSide, maxSide;
};

constexpr Mix kMixes[] = {
    {"compressed", 90, 5, 16, 96},
    {"stored", 5, 90, 32, 200},
    {"pseudo", 8, 2, 8, 32},
};

// One GRF file of about kFileBytes: an Action 8 record, then records of the mix.
std::string MakeFile(const Mix& mix, std::uint32_t seed) {
  Random random(seed);
  GrfBuilder grf;
  grf.Action8(7, "BNCH", "Benchmark set", mix.name);
  while (grf.size() < kFileBytes) {
    const int kind = random.Between(1, 100);
    const int width = random.Between(mix.minSide, mix.maxSide);
    const int height = random.Between(mix.minSide, mix.maxSide);
    if (kind <= mix.compressed) {
      kestrav::sample::AddCompressedPixels(grf, kestrav::sample::SamplePixels(width, height, seed * 7919u + grf.size()),
                                           width);
    } else if (kind <= mix.compressed + mix.stored) {
      grf.Stored(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    } else {
      std::string data(static_cast<std::size_t>(random.Between(4, 200)), '\0');
      for (char& c : data) c = static_cast<char>(random.Between(0, 255));
      data[0] = static_cast<char>(random.Between(0, 7));  // an action other than 8
      grf.Pseudo(data);
    }
  }
  grf.Terminator();
  return grf.bytes();
}

// The generated sets and the TTD directory of the recount.
struct Generated {
  kestrav::bench::Workspace temp;
  std::map<std::string, FileSet> sets;
  fs::path ttd;
};

Generated* workspace = nullptr;

void Generate(Generated& space) {
  for (const Mix& mix : kMixes) {
    FileSet& set = space.sets[mix.name];
    const fs::path dir = space.temp.root / mix.name;
    fs::create_directories(dir);
    for (std::uint32_t index = 0; set.bytes < kSetBytes; ++index) {
      set.Add(dir / ("set" + std::to_string(index) + ".grf"), MakeFile(mix, index + 1));
    }
    std::fprintf(stderr, "set %-10s %zu files, %.1f MB\n", mix.name, set.paths.size(), set.bytes / 1048576.0);
  }
  // A TTD directory of 500 installed sets for the recount.
  space.ttd = space.temp.root / "ttd";
  fs::create_directories(space.ttd / "newgrf");
  for (int i = 0; i < kListEntries; ++i) {
    kestrav::sample::SampleGrfOptions options;
    options.seed = static_cast<std::uint32_t>(i + 1);
    options.normalSprites = 60;
    options.pseudoSprites = 20;
    options.storedPercent = 10;
    kestrav::sample::WriteSampleGrf((space.ttd / "newgrf" / ("set" + std::to_string(i) + ".grf")).string(), options);
  }
}

void AnalyzeSet(benchmark::State& state, const std::string& name) {
  const FileSet& set = workspace->sets.at(name);
  auto adapters = kestrav::MakeSystemAdapters();
  for (auto _ : state) {
    std::int64_t sprites = 0;
    for (const auto& path : set.paths) sprites += kestrav::AnalyzeGrf(*adapters.files, path).normalSprites;
    benchmark::DoNotOptimize(sprites);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * set.bytes));
}

void FullRecount(benchmark::State& state) {
  kestrav::bench::BenchManager bench(workspace->ttd.string(), false);
  kestrav::TformManager& manager = bench.manager;
  for (int i = 0; i < kListEntries; ++i) {
    const auto state = i % 10 == 0 ? kestrav::GrfState::Off
                                   : (i % 3 == 0 ? kestrav::GrfState::Inactive : kestrav::GrfState::Active);
    manager.listGrfFiles.Add("newgrf/set" + std::to_string(i) + ".grf" + (i % 4 == 0 ? " 1 2" : ""), state);
  }
  for (auto _ : state) {
    manager.CountAllSprites(true, 0);
    benchmark::DoNotOptimize(manager.spritesTotal);
  }
  state.counters["total"] = manager.spritesTotal;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Generated space;
  workspace = &space;
  Generate(space);

  for (const Mix& mix : kMixes) {
    const std::string name = mix.name;
    benchmark::RegisterBenchmark(("AnalyzeGrf/" + name).c_str(), AnalyzeSet, name)
        ->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark(("PlainRead/" + name).c_str(), kestrav::bench::PlainReadSet, &space.sets.at(name))
        ->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
  }
  benchmark::RegisterBenchmark("CountAllSprites/full/500", FullRecount)
      ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

  kestrav::bench::MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  // AnalyzeGrf time / plain read time, each the median of its repetitions. The machine may
  // be shared: the CPU times are the steadier figures.
  std::printf("\n%-11s %22s %22s %15s\n", "", "AnalyzeGrf ms", "plain read ms", "ratio");
  std::printf("%-11s %11s %10s %11s %10s %7s %7s  %s\n", "set", "real", "cpu", "real", "cpu", "real", "cpu",
              "target (cpu)");
  for (const Mix& mix : kMixes) {
    const std::string name = mix.name;
    const auto analyze = reporter.medians.find("AnalyzeGrf/" + name);
    const auto read = reporter.medians.find("PlainRead/" + name);
    if (analyze == reporter.medians.end() || read == reporter.medians.end()) continue;
    const double real = analyze->second.real / read->second.real;
    const double cpu = analyze->second.cpu / read->second.cpu;
    const char* target = name == "compressed" ? (cpu <= 1.2 ? "<= 1.20 met" : "<= 1.20 missed")
                         : name == "stored"   ? (cpu < 1.0 ? "< 1.00 met" : "< 1.00 missed")
                                              : "none";
    std::printf("%-11s %11.2f %10.2f %11.2f %10.2f %7.2f %7.2f  %s\n", name.c_str(), analyze->second.real,
                analyze->second.cpu, read->second.real, read->second.cpu, real, cpu, target);
  }
  return 0;
}
