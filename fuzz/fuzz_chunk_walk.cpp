// The window walk at every level this processor offers against the plain chunk walk, on
// arbitrary bytes: two streams in a row in the same buffer, each from any place of a block,
// must stop at the same byte with the same count left.
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

#include "grf/chunk_walk.h"

namespace {

using kestrav::ChunkWalker;
using kestrav::ChunkWalkLevel;
constexpr std::size_t kLongestChunk = 129;

// Where each stream stopped, and the count left.
using Outcome = std::pair<std::size_t, std::uint16_t>;

// The first bytes give where the first stream starts, the gap before the second one and the
// count of each (0 taken as 65,535).
constexpr std::size_t kHead = 6;
std::vector<Outcome> Walk(ChunkWalkLevel level, const std::uint8_t* head, const std::vector<std::uint8_t>& buffer) {
  kestrav::UseChunkWalkLevel(level);
  ChunkWalker walker(buffer.data());
  const std::uint8_t* at = buffer.data() + head[0] % ChunkWalker::kBlock;
  const std::uint8_t* stop = buffer.data() + buffer.size() - kLongestChunk;
  std::vector<Outcome> outcomes;
  for (const std::size_t field : {2, 4}) {
    const auto count = static_cast<std::uint16_t>(head[field] | head[field + 1] << 8);
    if (at > stop) break;
    const std::uint16_t remaining = walker.Skip(at, stop, count == 0 ? 65535 : count);
    outcomes.push_back({static_cast<std::size_t>(at - buffer.data()), remaining});
    at += head[1];
  }
  return outcomes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kHead + ChunkWalker::kBlock + kLongestChunk) return 0;
  // A buffer of exactly these bytes: the walk reads nothing past the last chunk it may take.
  const std::vector<std::uint8_t> buffer(data + kHead, data + size);
  const auto plain = Walk(ChunkWalkLevel::Plain, data, buffer);
  for (int level = 1; level <= static_cast<int>(kestrav::BestChunkWalkLevel()); ++level) {
    if (Walk(static_cast<ChunkWalkLevel>(level), data, buffer) != plain) std::abort();
  }
  return 0;
}
