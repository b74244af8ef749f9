#include "grf/grf_reader.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace kestrav {
namespace {

constexpr std::uint8_t kPseudoInfo = 0xFF;
constexpr std::uint8_t kStoredBit = 0x02;
constexpr std::uint8_t kAction8 = 0x08;
// What follows the zero size at the start of a file of the second container format.
constexpr std::uint8_t kSecondContainerSignature[] = {0x47, 0x52, 0x46, 0x82, 0x0D, 0x0A, 0x1A, 0x0A};
// A compressed sprite's header after its info byte: height, width, x and y offsets.
constexpr std::size_t kCompressedHeader = 7;
// The longest chunk of a compressed stream: a code byte and 128 literal bytes.
constexpr std::size_t kLongestChunk = 129;

// Most files fit in one read; a larger one is read in pieces of nearly this size.
constexpr std::size_t kCapacity = GrfStream::kBufferSize;
constexpr std::size_t kLargeRead = kCapacity - GrfStream::kWindow;
// After a jump: large stored sprites tend to follow each other, so read less at first.
constexpr std::size_t kSmallRead = 16 * 1024;
// A jump costs a call to move the file position and one more read after it: only worth
// it over a stretch that would take longer to copy.
constexpr std::uint64_t kSeekThreshold = 32 * 1024;

int Clamped(std::uint64_t count) { return count > INT_MAX ? INT_MAX : static_cast<int>(count); }

// Passes over the chunks of a compressed stream until they have yielded remaining bytes
// (modulo 65,536, so a count that wraps goes on until it comes back to exactly 0).
bool SkipCompressedStream(GrfStream& stream, std::uint16_t remaining) {
  while (remaining != 0) {
    if (stream.Fill(kLongestChunk) >= kLongestChunk) {
      const std::uint8_t* at = stream.Cursor();
      remaining = stream.Chunks().Skip(at, at + stream.Available() - kLongestChunk, remaining);
      stream.AdvanceTo(at);
      continue;
    }
    // Near the end of the file: one checked chunk at a time.
    std::uint8_t byte;
    if (!stream.Read(&byte, 1)) return false;
    const auto code = static_cast<std::int8_t>(byte);
    unsigned yield;
    if (code >= 0) {
      yield = code == 0 ? 128u : static_cast<unsigned>(code);
      if (!stream.Skip(yield)) return false;
    } else {
      yield = static_cast<unsigned>(-(code >> 3));
      if (!stream.Skip(1)) return false;
    }
    remaining = static_cast<std::uint16_t>(remaining - yield);
  }
  return true;
}

// The buffers of a walk are kept from one analysis to the next: fresh memory for every file
// would cost more, in page faults, than reading a typical file.
struct WalkMemory {
  std::unique_ptr<std::uint8_t[]> stream = std::make_unique_for_overwrite<std::uint8_t[]>(kCapacity);
  std::unique_ptr<std::uint8_t[]> record = std::make_unique_for_overwrite<std::uint8_t[]>(kMaxRecordSize);
};

WalkMemory& WalkMemoryOfThisThread() {
  thread_local WalkMemory memory;
  return memory;
}

}  // namespace

GrfStream::GrfStream(InputFile& file) : GrfStream(file, nullptr) {}

GrfStream::GrfStream(InputFile& file, std::uint8_t* memory)
    : file_(file),
      owned_(memory ? nullptr : std::make_unique_for_overwrite<std::uint8_t[]>(kCapacity)),
      buffer_(memory ? memory : owned_.get()),
      cursor_(buffer_),
      end_(buffer_),
      fileSize_(file.Size()),
      readSize_(kLargeRead),
      chunks_(buffer_) {}

std::size_t GrfStream::Load(std::size_t want) {
  chunks_.Forget();
  std::size_t kept = Available();
  if (cursor_ != buffer_) {
    std::memmove(buffer_, cursor_, kept);
    cursor_ = buffer_;
    end_ = cursor_ + kept;
  }
  while (kept < want && !fileDone_) {
    std::size_t ask = std::min(kCapacity - kept, std::max(readSize_, want - kept));
    if (fileOffset_ < fileSize_) {
      // Asking for no more than is left spares the call that would only find the end.
      ask = static_cast<std::size_t>(std::min<std::uint64_t>(ask, fileSize_ - fileOffset_));
    } else if (fileSize_ != 0) {
      fileDone_ = true;
      break;
    }
    const std::size_t got = file_.Read(end_, ask);
    if (got == 0) {
      fileDone_ = true;
      break;
    }
    end_ += got;
    kept += got;
    fileOffset_ += got;
    // Reading on without jumps: the file is read in ever larger pieces again.
    readSize_ = std::min(readSize_ * 2, kLargeRead);
  }
  return kept;
}

bool GrfStream::ReadSlow(std::uint8_t* out, std::size_t count) {
  while (count > 0) {
    if (Available() == 0 && Load(std::min(count, kLargeRead)) == 0) {
      hitEnd_ = true;
      return false;
    }
    const std::size_t piece = std::min(count, Available());
    std::memcpy(out, cursor_, piece);
    cursor_ += piece;
    out += piece;
    count -= piece;
  }
  return true;
}

bool GrfStream::SkipSlow(std::uint64_t count) {
  count -= Available();
  cursor_ = end_ = buffer_;
  const std::uint64_t target = fileOffset_ + count;
  // Only a jump that stays inside the file as the system sized it: any other skip is read
  // through, so the true end of the file is found by reading.
  if (count >= kSeekThreshold && target <= fileSize_ && !fileDone_) {
    if (!file_.Seek(target)) {
      fileDone_ = hitEnd_ = true;
      return false;
    }
    fileOffset_ = target;
    readSize_ = kSmallRead;
    return true;
  }
  while (count > 0) {
    if (Load(1) == 0) {
      hitEnd_ = true;
      return false;
    }
    const std::size_t piece = static_cast<std::size_t>(std::min<std::uint64_t>(count, Available()));
    cursor_ += piece;
    count -= piece;
  }
  return true;
}

SpriteRecordKind ReadSpriteRecord(GrfStream& stream, SpriteRecordBuffer& buffer) {
  if (stream.HitEnd()) return SpriteRecordKind::End;
  std::uint8_t head[3];
  if (!stream.Read(head, 2)) return SpriteRecordKind::End;
  const std::uint16_t size = static_cast<std::uint16_t>(head[0] | head[1] << 8);
  if (size == 0) return SpriteRecordKind::End;
  if (!stream.Read(head + 2, 1)) return SpriteRecordKind::End;
  const std::uint8_t info = head[2];
  if (info == kPseudoInfo) {
    if (!stream.Read(buffer.data_, size)) return SpriteRecordKind::End;
    buffer.size_ = size;
    return SpriteRecordKind::Pseudo;
  }
  if (info & kStoredBit) return stream.Skip(size - 1u) ? SpriteRecordKind::Normal : SpriteRecordKind::End;
  if (!stream.Skip(kCompressedHeader)) return SpriteRecordKind::End;
  const auto remaining = static_cast<std::uint16_t>(size - 8u);
  return SkipCompressedStream(stream, remaining) ? SpriteRecordKind::Normal : SpriteRecordKind::End;
}

GrfAction8 DecodeAction8(const std::uint8_t* data, std::size_t size) {
  const auto byteAt = [&](std::size_t at) -> unsigned { return at < size ? data[at] : 0u; };
  std::size_t at = std::min<std::size_t>(6, size);
  const auto text = [&] {
    const std::size_t start = at;
    while (at < size && data[at] != 0) ++at;
    std::string taken(reinterpret_cast<const char*>(data) + start, at - start);
    if (at < size) ++at;  // its 0x00
    return taken;
  };
  GrfAction8 record;
  record.version = static_cast<std::int8_t>(byteAt(1));
  char id[9];
  std::snprintf(id, sizeof id, "%02X%02X%02X%02X", byteAt(2), byteAt(3), byteAt(4), byteAt(5));
  record.grfId = id;
  record.info = text();
  record.description = text();
  return record;
}

GrfInfo AnalyzeGrf(FileSystem& files, const std::string& path, GrfDetail detail) {
  GrfInfo result;
  const auto file = files.OpenForRead(path);
  if (!file) return result;
  result.opened = true;
  if (const auto when = files.LastWriteTime(path)) result.modified = *when;

  WalkMemory& memory = WalkMemoryOfThisThread();
  GrfStream stream(*file, memory.stream.get());
  SpriteRecordBuffer buffer(memory.record.get());
  std::uint64_t total = 0, pseudo = 0;
  GrfFactGatherer facts;
  const bool gather = detail == GrfDetail::Facts;
  // The records past those kept: only the last is decoded, at the end.
  std::string lastAction8;
  for (;;) {
    const SpriteRecordKind kind = ReadSpriteRecord(stream, buffer);
    if (kind == SpriteRecordKind::End) break;
    if (total == 0 && kind == SpriteRecordKind::Pseudo && buffer.size() == 4) {
      const std::uint8_t* count = buffer.data();
      result.announcedSprites = count[0] | count[1] << 8 | count[2] << 16 | std::uint32_t{count[3]} << 24;
    }
    ++total;
    if (kind != SpriteRecordKind::Pseudo) {
      if (gather) facts.Sprite(nullptr, 0);
      continue;
    }
    ++pseudo;
    if (gather) facts.Sprite(buffer.data(), buffer.size());
    if (buffer.data()[0] != kAction8) continue;
    if (result.action8.size() < GrfInfo::kKeptAction8) {
      result.action8.push_back(DecodeAction8(buffer.data(), buffer.size()));
    } else {
      lastAction8.assign(reinterpret_cast<const char*>(buffer.data()), buffer.size());
    }
    if (result.action8Count < INT_MAX) ++result.action8Count;
  }
  if (!lastAction8.empty()) {
    result.lastAction8 = DecodeAction8(reinterpret_cast<const std::uint8_t*>(lastAction8.data()), lastAction8.size());
  }
  if (gather) result.facts = facts.Finish();
  result.endedCleanly = !stream.HitEnd();
  if (total == 0 && result.endedCleanly) {
    // The bytes after the zero size are those of the same read.
    std::uint8_t signature[sizeof kSecondContainerSignature];
    result.secondContainer = stream.Read(signature, sizeof signature) &&
                             std::memcmp(signature, kSecondContainerSignature, sizeof signature) == 0;
  }
  result.totalSprites = Clamped(total);
  result.pseudoSprites = Clamped(pseudo);
  result.normalSprites = Clamped(total - pseudo);
  return result;
}

}  // namespace kestrav
