// The GRF reader against plain reading of the same bytes, on four generated sets of files,
// and a full recount of the sprite totals over a list of 500 entries; what gathering the
// facts of the files costs over counting alone; the check of a list of 2,000 entries; and a
// file of 64 MB of Action 8 records, in time and heap. At the end it prints the reader's time
// as a share of plain reading for each set and the other figures against their targets
// (median of the repetitions).
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <new>

#include "bench_files.h"
#include "grf/grf_reader.h"
#include "grf/list_check.h"
#include "platform/system_platform.h"
#include "sample/sample_grf.h"
#include "ui/form_manager.h"

namespace {

// The heap in use and its peak, counted by the program's own allocation functions.
std::atomic<std::size_t> heapInUse{0}, heapPeak{0};

}  // namespace

void* operator new(std::size_t size) {
  void* memory = std::malloc(size ? size : 1);
  if (!memory) throw std::bad_alloc();
  const std::size_t now = heapInUse += malloc_usable_size(memory);
  for (std::size_t peak = heapPeak; now > peak && !heapPeak.compare_exchange_weak(peak, now);) {
  }
  return memory;
}
void operator delete(void* memory) noexcept {
  if (!memory) return;
  heapInUse -= malloc_usable_size(memory);
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept { operator delete(memory); }

namespace {

namespace fs = std::filesystem;
using kestrav::bench::FileSet;
using kestrav::bench::Random;
using kestrav::test::GrfBuilder;

constexpr std::size_t kSetBytes = 50u << 20;
constexpr std::size_t kFileBytes = 170u << 10;  // about 300 files a set
constexpr int kListEntries = 500;
constexpr int kCheckedEntries = 2000;
constexpr std::size_t kFloodBytes = 64u << 20;

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

// A vehicle set as compilers write one: per vehicle a parameter test, its properties, its
// sprites, a sprite group, its graphics and its name.
std::string MakeVehicleFile(std::uint32_t seed) {
  Random random(seed);
  GrfBuilder grf;
  grf.Pseudo(std::string(4, '\0'));
  grf.Action8(7, "VH" + std::string(1, static_cast<char>(seed)) + std::string(1, static_cast<char>(seed >> 8)),
              "Vehicles", "benchmark");
  grf.Pseudo(std::string("\x0D\x7F\x00\x00\x00", 5));
  const auto bytes = [](std::initializer_list<int> values) { return std::string(values.begin(), values.end()); };
  for (int vehicle = 0; grf.size() < kFileBytes; ++vehicle) {
    const int id = vehicle % 0x74;
    grf.Pseudo(bytes({0x07, 0x7F, 0x04, 0x03, 0x01, 0x00, 0x00, 0x00, 0x0D}));
    std::string properties = bytes({0x00, 0x00, 0x08, 0x01, 0xFF, id, 0x00});
    for (int p = 0; p < 8; ++p) properties += bytes({0x09 + p, random.Between(0, 255), random.Between(0, 255)});
    grf.Pseudo(properties);
    grf.Pseudo(bytes({0x01, 0x00, 0x01, 0x08}));
    for (int sprite = 0; sprite < 8; ++sprite) {
      const int side = random.Between(16, 48);
      kestrav::sample::AddCompressedPixels(grf, kestrav::sample::SamplePixels(side, side, seed * 31u + grf.size()), side);
    }
    grf.Pseudo(bytes({0x02, 0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00}));
    grf.Pseudo(bytes({0x03, 0x00, 0x01, 0xFF, id, 0x00, 0x01, 0xFF, 0x00, 0x00, 0x00, 0x00}));
    grf.Pseudo(bytes({0x04, 0x00, 0x7F, 0x01, 0xFF, id, 0x00}) + "Vehicle " + std::to_string(vehicle) + '\0');
  }
  return grf.Terminator().bytes();
}

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
  std::string flood;  // the file of Action 8 records
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
  FileSet& vehicles = space.sets["vehicles"];
  fs::create_directories(space.temp.root / "vehicles");
  for (std::uint32_t index = 0; vehicles.bytes < kSetBytes; ++index) {
    vehicles.Add(space.temp.root / "vehicles" / ("set" + std::to_string(index) + ".grf"), MakeVehicleFile(index + 1));
  }
  // Four-byte Action 8 records, written a piece at a time.
  space.flood = (space.temp.root / "flood.grf").string();
  std::FILE* flood = std::fopen(space.flood.c_str(), "wb");
  const std::string record("\x04\x00\xFF\x08\x07\x41\x42", 7);
  std::string piece;
  for (std::size_t i = 0; i < (1u << 20) / record.size(); ++i) piece += record;
  for (std::size_t written = 0; flood && written < kFloodBytes; written += piece.size()) {
    std::fwrite(piece.data(), 1, piece.size(), flood);
  }
  if (!flood || std::fclose(flood) != 0) std::exit(1);
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

void AnalyzeSet(benchmark::State& state, const std::string& name, kestrav::GrfDetail detail) {
  const FileSet& set = workspace->sets.at(name);
  auto adapters = kestrav::MakeSystemAdapters();
  for (auto _ : state) {
    std::int64_t sprites = 0;
    for (const auto& path : set.paths) sprites += kestrav::AnalyzeGrf(*adapters.files, path, detail).normalSprites;
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

// The check of a list of 2,000 entries with facts, as the window reruns it after a change:
// the vehicle sets, each under an ID of its own, with parameters.
void CheckList(benchmark::State& state) {
  const FileSet& set = workspace->sets.at("vehicles");
  auto adapters = kestrav::MakeSystemAdapters();
  std::vector<kestrav::GrfInfo> analysed;
  for (const auto& path : set.paths) analysed.push_back(kestrav::AnalyzeGrf(*adapters.files, path));
  std::vector<kestrav::GrfItem> items;
  std::vector<kestrav::GrfInfo> infos;
  for (int i = 0; i < kCheckedEntries; ++i) {
    items.push_back({"newgrf/set" + std::to_string(i) + ".grf 1 2", kestrav::GrfState::Active});
    infos.push_back(analysed[static_cast<std::size_t>(i) % analysed.size()]);
    kestrav::KeepLastAction8(infos.back());
    infos.back().lastAction8->grfId = kestrav::GrfIdText(0x10000000u + static_cast<std::uint32_t>(i));
  }
  std::size_t findings = 0;
  for (auto _ : state) {
    findings = kestrav::CheckGrfItems(items, infos, kestrav::TtdEdition::Windows).size();
    benchmark::DoNotOptimize(findings);
  }
  state.counters["findings"] = static_cast<double>(findings);
}

// The file of Action 8 records, analysed as the load does; its heap peak in MB.
void Action8Flood(benchmark::State& state) {
  auto adapters = kestrav::MakeSystemAdapters();
  double peak = 0;
  for (auto _ : state) {
    heapPeak = heapInUse.load();
    const std::size_t before = heapInUse;
    kestrav::GrfInfo info = kestrav::AnalyzeGrf(*adapters.files, workspace->flood);
    kestrav::KeepLastAction8(info);
    benchmark::DoNotOptimize(info);
    peak = std::max(peak, static_cast<double>(heapPeak - before) / 1048576.0);
  }
  state.counters["heap_MB"] = peak;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Generated space;
  workspace = &space;
  Generate(space);

  std::vector<std::string> sets;
  for (const Mix& mix : kMixes) sets.push_back(mix.name);
  sets.push_back("vehicles");
  for (const std::string& name : sets) {
    benchmark::RegisterBenchmark(("AnalyzeGrf/" + name).c_str(), AnalyzeSet, name, kestrav::GrfDetail::Facts)
        ->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark(("CountsOnly/" + name).c_str(), AnalyzeSet, name, kestrav::GrfDetail::Counts)
        ->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark(("PlainRead/" + name).c_str(), kestrav::bench::PlainReadSet, &space.sets.at(name))
        ->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
  }
  benchmark::RegisterBenchmark("CountAllSprites/full/500", FullRecount)
      ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
  benchmark::RegisterBenchmark("CheckGrfItems/2000", CheckList)
      ->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
  benchmark::RegisterBenchmark("Action8Flood/64MB", Action8Flood)
      ->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);

  kestrav::bench::MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  // AnalyzeGrf time / plain read time, each the median of its repetitions. The machine may
  // be shared: the CPU times are the steadier figures.
  std::printf("\n%-11s %22s %22s %15s\n", "", "AnalyzeGrf ms", "plain read ms", "ratio");
  std::printf("%-11s %11s %10s %11s %10s %7s %7s  %s\n", "set", "real", "cpu", "real", "cpu", "real", "cpu",
              "target (cpu)");
  for (const std::string& name : sets) {
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

  // Gathering the facts against counting alone, and the other targets.
  std::printf("\n%-11s %22s %8s  %s\n", "set", "facts / counts cpu", "", "target");
  for (const std::string& name : sets) {
    const auto facts = reporter.medians.find("AnalyzeGrf/" + name);
    const auto counts = reporter.medians.find("CountsOnly/" + name);
    if (facts == reporter.medians.end() || counts == reporter.medians.end()) continue;
    const double ratio = facts->second.cpu / counts->second.cpu;
    std::printf("%-11s %22.3f %8s  <= 1.10 %s\n", name.c_str(), ratio, "", ratio <= 1.10 ? "met" : "missed");
  }
  if (const auto check = reporter.medians.find("CheckGrfItems/2000"); check != reporter.medians.end()) {
    std::printf("check of 2000 entries: %.2f ms cpu  < 10 ms %s\n", check->second.cpu,
                check->second.cpu < 10 ? "met" : "missed");
  }
  if (const auto flood = reporter.medians.find("Action8Flood/64MB"); flood != reporter.medians.end()) {
    std::printf("64 MB of Action 8 records: %.0f ms real  < 500 ms %s (heap: see heap_MB, < 50 MB)\n",
                flood->second.real, flood->second.real < 500 ? "met" : "missed");
  }
  return 0;
}
