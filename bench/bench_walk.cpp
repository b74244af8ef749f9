// The walk over compressed sprites at every level this processor offers, side by side with a
// plain read of the same files: 240 files made as real base graphics sets are, analysed one
// file after the other, and all at once on worker threads. At the end it prints which
// instruction set the program uses and each time as a share of the plain read.
//
// The files follow six real base graphics sets encoded by another tool: they are as large
// as those (forty of each, 242 KB to 2.4 MB, 190 MB in all); 6.5 % of their records are
// pseudo sprites (half of them under 13 bytes, most others 257), the rest compressed sprites
// of 430 decoded bytes at the median (1 to 8000, a tenth under 60); 73 % of the chunks are
// back-references, of 3 to 15 bytes (a third 3, a sixth 15), and literal runs are 4.3 bytes
// long on average, 31 % of them one byte, up to 127. Small sprites and short references are
// what make the walk slow: its time goes to each record's start and end and to each window.
//
// Usage: bench_walk [Google Benchmark options]
//        bench_walk --write-files=DIR   only writes the files into DIR, to time commands on them
#include <algorithm>
#include <cstring>
#include <iterator>
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
// The sizes of the six real sets, in KB.
constexpr std::size_t kFileKilobytes[] = {2489, 274, 799, 451, 242, 587};

// A value from its distribution, given as (per ten thousand, value) points between which it
// runs straight.
struct Point {
  int share;
  int value;
};
int Drawn(Random& random, const Point* points, std::size_t count) {
  const int share = random.Between(0, 9999);
  std::size_t at = 1;
  while (at + 1 < count && points[at].share <= share) ++at;
  const Point& low = points[at - 1];
  const Point& high = points[at];
  return low.value + (high.value - low.value) * (share - low.share) / (high.share - low.share);
}

// The decoded sizes of the real sets' compressed sprites.
constexpr Point kSpriteSizes[] = {{0, 1},       {500, 28},    {1000, 60},   {2000, 104},  {3000, 189},
                                  {4000, 300},  {5000, 430},  {6000, 819},  {7000, 1148}, {8000, 1472},
                                  {9000, 1984}, {9500, 2496}, {9900, 4940}, {10000, 8000}};

// A back-reference's length, per thousand of them, from 3 bytes up.
constexpr int kReferenceShares[] = {341, 177, 94, 63, 37, 28, 21, 18, 15, 16, 12, 11, 168};

int ReferenceLength(Random& random) {
  int pick = random.Between(1, 1001);
  int length = 3;
  for (const int share : kReferenceShares) {
    if (pick <= share) break;
    pick -= share;
    ++length;
  }
  return std::min(length, 15);
}

// A literal run's length: one byte in 31 % of runs, otherwise 2 and more, 4.3 on average.
int LiteralLength(Random& random) {
  if (random.Between(1, 100) <= 31) return 1;
  int length = 2;
  while (length < 127 && random.Between(1, 100) <= 79) ++length;
  return length;
}

// A compressed sprite's header and chunks, decoding to exactly size bytes.
std::string CompressedSprite(Random& random, int size) {
  std::string bytes(7, '\x10');
  for (int left = size; left > 0;) {
    if (random.Between(1, 100) <= 73 && left >= 3) {
      const int length = std::min(left, ReferenceLength(random));
      bytes += static_cast<char>(256 - 8 * length);
      bytes += static_cast<char>(random.Between(1, 255));
      left -= length;
    } else {
      const int length = std::min(left, LiteralLength(random));
      bytes += static_cast<char>(length);
      for (int i = 0; i < length; ++i) bytes += static_cast<char>(random.Between(1, 255));
      left -= length;
    }
  }
  return kestrav::test::GrfBuilder().Record(static_cast<std::uint16_t>(8 + size), 0x01, bytes).bytes();
}

// A pseudo sprite's length: under 13 bytes, 257, or now and then longer.
std::size_t PseudoLength(Random& random) {
  const int kind = random.Between(1, 100);
  if (kind <= 55) return static_cast<std::size_t>(random.Between(2, 12));
  if (kind <= 99) return 257;
  return static_cast<std::size_t>(random.Between(13, 8600));
}

// An Action 8 record, then compressed sprites with pseudo sprites among them.
std::string MakeFile(std::uint32_t seed, std::size_t bytes) {
  Random random(seed);
  kestrav::test::GrfBuilder grf;
  grf.Action8(7, "WALK", "Benchmark set", "compressed sprites");
  while (grf.size() < bytes) {
    if (random.Between(1, 1000) <= 65) {
      grf.Pseudo(std::string(PseudoLength(random), '\x04'));
    } else {
      grf.Raw(CompressedSprite(random, Drawn(random, kSpriteSizes, std::size(kSpriteSizes))));
    }
  }
  return grf.Terminator().bytes();
}

FileSet WriteFiles(const fs::path& dir) {
  fs::create_directories(dir);
  FileSet set;
  for (int index = 0; index < kFiles; ++index) {
    const std::size_t bytes = kFileKilobytes[index % std::size(kFileKilobytes)] << 10;
    set.Add(dir / ("walk" + std::to_string(index) + ".grf"), MakeFile(static_cast<std::uint32_t>(index + 1), bytes));
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
    // The goal is set for whole processes: kestrav-cli analyze against cat of the same files.
    std::printf("one thread, %s: %.2f x the read (cpu)\n", LevelName(best).c_str(), ratio);
  }
  return 0;
}
