// The walk over compressed sprites at every level this processor offers, side by side with a
// plain read of the same files: 240 files of about 800 KB made as real graphics sets are
// (73 % of chunks two-byte back-references, literal runs of 4.3 bytes on average, 31 % of
// them one byte long), analysed one file after the other, and all at once on worker threads.
// At the end it prints which instruction set the program uses and each time as a share of
// the plain read.
//
// Usage: bench_walk [Google Benchmark options]
//        bench_walk --write-files=DIR   only writes the files into DIR, to time commands on them
#include <algorithm>
#include <cstring>
#include <thread>

#include "bench_files.h"
#include "grf/chunk_walk.h"
#include "grf/grf_reader.h"
#include "grf/parallel_analysis.h"
#include "support/grf_builder.h"

namespace {

namespace fs = std::filesystem;
using kestrav::ChunkWalkLevel;
using kestrav::bench::FileSet;
using kestrav::bench::Random;

constexpr int kFiles = 240;
constexpr std::size_t kFileBytes = 800u << 10;

// A literal run's length: one byte in 31 % of runs, otherwise 2 and more, 4.3 on average.
int LiteralLength(Random& random) {
  if (random.Between(1, 100) <= 31) return 1;
  int length = 2;
  while (length < 128 && random.Between(1, 100) <= 79) ++length;
  return length;
}

// A compressed sprite's header and chunks, decoding to exactly width x height bytes.
std::string CompressedSprite(Random& random, int width, int height) {
  const int size = width * height;
  std::string bytes(7, '\x10');
  for (int left = size; left > 0;) {
    if (random.Between(1, 100) <= 73) {
      const int length = std::min(left, random.Between(2, 16));
      bytes += static_cast<char>(256 - 8 * length);
      bytes += static_cast<char>(random.Between(1, 255));
      left -= length;
    } else {
      const int length = std::min(left, LiteralLength(random));
      bytes += static_cast<char>(length == 128 ? 0 : length);
      for (int i = 0; i < length; ++i) bytes += static_cast<char>(random.Between(1, 255));
      left -= length;
    }
  }
  return kestrav::test::GrfBuilder().Record(static_cast<std::uint16_t>(8 + size), 0x01, bytes).bytes();
}

// An Action 8 record, then compressed sprites with a few stored and pseudo sprites among them.
std::string MakeFile(std::uint32_t seed) {
  Random random(seed);
  kestrav::test::GrfBuilder grf;
  grf.Action8(7, "WALK", "Benchmark set", "compressed sprites");
  while (grf.size() < kFileBytes) {
    const int kind = random.Between(1, 100);
    const int width = random.Between(8, 64), height = random.Between(8, 64);
    if (kind <= 3) {
      grf.Stored(static_cast<std::size_t>(width * height));
    } else if (kind <= 8) {
      grf.Pseudo(std::string(static_cast<std::size_t>(random.Between(4, 200)), '\x04'));
    } else {
      grf.Raw(CompressedSprite(random, width, height));
    }
  }
  return grf.Terminator().bytes();
}

FileSet WriteFiles(const fs::path& dir) {
  fs::create_directories(dir);
  FileSet set;
  for (int index = 0; index < kFiles; ++index) {
    set.Add(dir / ("walk" + std::to_string(index) + ".grf"), MakeFile(static_cast<std::uint32_t>(index + 1)));
  }
  return set;
}

void AnalyzeOneByOne(benchmark::State& state, const FileSet* set, ChunkWalkLevel level) {
  kestrav::UseChunkWalkLevel(level);
  auto adapters = kestrav::MakeSystemAdapters();
  for (auto _ : state) {
    std::int64_t sprites = 0;
    for (const auto& path : set->paths) sprites += kestrav::AnalyzeGrf(*adapters.files, path).normalSprites;
    benchmark::DoNotOptimize(sprites);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * set->bytes));
}

void AnalyzeAtOnce(benchmark::State& state, const FileSet* set) {
  kestrav::UseChunkWalkLevel(kestrav::BestChunkWalkLevel());
  auto adapters = kestrav::MakeSystemAdapters();
  for (auto _ : state) benchmark::DoNotOptimize(kestrav::AnalyzeGrfFiles(*adapters.files, set->paths));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * set->bytes));
}

std::string LevelName(int level) { return kestrav::ChunkWalkLevelName(static_cast<ChunkWalkLevel>(level)); }

}  // namespace

int main(int argc, char** argv) {
  constexpr const char* kWriteFiles = "--write-files=";
  if (argc == 2 && std::strncmp(argv[1], kWriteFiles, std::strlen(kWriteFiles)) == 0) {
    const FileSet set = WriteFiles(argv[1] + std::strlen(kWriteFiles));
    std::printf("%zu files, %.1f MB\n", set.paths.size(), set.bytes / 1048576.0);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  kestrav::bench::Workspace temp;
  const FileSet set = WriteFiles(temp.root);
  std::fprintf(stderr, "%zu files, %.1f MB\n", set.paths.size(), set.bytes / 1048576.0);

  const int best = static_cast<int>(kestrav::BestChunkWalkLevel());
  const auto add = [](benchmark::internal::Benchmark* benchmark) {
    benchmark->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
  };
  add(benchmark::RegisterBenchmark("PlainRead", kestrav::bench::PlainReadSet, &set));
  for (int level = 0; level <= best; ++level) {
    add(benchmark::RegisterBenchmark(("AnalyzeGrf/" + LevelName(level)).c_str(), AnalyzeOneByOne, &set,
                                     static_cast<ChunkWalkLevel>(level)));
  }
  add(benchmark::RegisterBenchmark("AnalyzeGrfFiles", AnalyzeAtOnce, &set)->UseRealTime()->MeasureProcessCPUTime());
  kestrav::bench::MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const auto read = reporter.medians.find("PlainRead");
  if (read == reporter.medians.end()) return 0;
  std::printf("\ninstruction set in use: %s (the best this processor offers)\n", LevelName(best).c_str());
  std::printf("%-34s %9s %9s %12s %12s\n", "", "real ms", "cpu ms", "x read real", "x read cpu");
  const auto row = [&](const std::string& label, const std::string& name) {
    const auto found = reporter.medians.find(name);
    if (found == reporter.medians.end()) return;
    const auto& times = found->second;
    std::printf("%-34s %9.2f %9.2f %12.2f %12.2f\n", label.c_str(), times.real, times.cpu,
                times.real / read->second.real, times.cpu / read->second.cpu);
  };
  row("plain read", "PlainRead");
  for (int level = 0; level <= best; ++level) {
    row("AnalyzeGrf, " + LevelName(level) + ", one thread", "AnalyzeGrf/" + LevelName(level));
  }
  row("AnalyzeGrfFiles, " + LevelName(best) + ", " + std::to_string(std::thread::hardware_concurrency()) +
          " threads",
      "AnalyzeGrfFiles");
  const auto inUse = reporter.medians.find("AnalyzeGrf/" + LevelName(best));
  if (inUse != reporter.medians.end()) {
    const double ratio = inUse->second.cpu / read->second.cpu;
    std::printf("one thread, %s: %.2f x the read (cpu), target at most 3.50: %s\n", LevelName(best).c_str(), ratio,
                ratio <= 3.5 ? "met" : "missed");
  }
  return 0;
}
