#pragma once
// Reading a GRF file: one sequential pass over its sprite records, counting them and
// decoding every Action 8 record. Nothing here shows a message.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "grf/chunk_walk.h"
#include "grf/grf_info.h"
#include "platform/file_system.h"

namespace kestrav {

// A record's size field is 16 bits wide: no record holds more data than this.
inline constexpr std::size_t kMaxRecordSize = 65535;

class GrfStream;

// The one buffer a walk reads pseudo-sprite data into, allocated once for the walk.
class SpriteRecordBuffer {
 public:
  SpriteRecordBuffer()
      : owned_(std::make_unique_for_overwrite<std::uint8_t[]>(kMaxRecordSize)), data_(owned_.get()) {}
  // Works in memory of kMaxRecordSize bytes that the caller keeps.
  explicit SpriteRecordBuffer(std::uint8_t* memory) : data_(memory) {}
  // The data of the last pseudo sprite read, from its first byte.
  const std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  friend SpriteRecordKind ReadSpriteRecord(GrfStream& stream, SpriteRecordBuffer& buffer);
  std::unique_ptr<std::uint8_t[]> owned_;
  std::uint8_t* data_;
  std::size_t size_ = 0;
};

// Sequential reading of one open file through a buffer of its own: the file is read in
// large pieces, and bytes that are only passed over are skipped inside the buffer or, when
// they lie beyond it, by moving the file position instead of reading them.
class GrfStream {
 public:
  static constexpr std::size_t kBufferSize = 256 * 1024;
  explicit GrfStream(InputFile& file);
  // Works in memory of kBufferSize bytes that the caller keeps.
  GrfStream(InputFile& file, std::uint8_t* memory);

  // True once a read or skip needed bytes beyond the end of the file.
  bool HitEnd() const { return hitEnd_; }

  // Copies count bytes; false (and HitEnd) when the file ends first.
  bool Read(std::uint8_t* out, std::size_t count) {
    if (count <= Available()) {
      std::memcpy(out, cursor_, count);
      cursor_ += count;
      return true;
    }
    return ReadSlow(out, count);
  }

  // Passes over count bytes; false (and HitEnd) when the file ends first.
  bool Skip(std::uint64_t count) {
    if (count <= Available()) {
      cursor_ += count;
      return true;
    }
    return SkipSlow(count);
  }

  // Direct access for tight loops over small pieces: Fill makes at least count bytes
  // (count <= kWindow) available at Cursor() unless the file ends first, and returns how
  // many are available.
  static constexpr std::size_t kWindow = 4096;
  std::size_t Fill(std::size_t count) { return count <= Available() ? Available() : Load(count); }
  const std::uint8_t* Cursor() const { return cursor_; }
  std::size_t Available() const { return static_cast<std::size_t>(end_ - cursor_); }
  void AdvanceTo(const std::uint8_t* position) { cursor_ = const_cast<std::uint8_t*>(position); }
  void MarkEnd() { hitEnd_ = true; }
  // The walk over compressed streams in this stream's buffer.
  ChunkWalker& Chunks() { return chunks_; }

 private:
  bool ReadSlow(std::uint8_t* out, std::size_t count);
  bool SkipSlow(std::uint64_t count);
  // Keeps the unread bytes, moved to the front, and reads until want bytes are there or the
  // file ends; returns how many are available.
  std::size_t Load(std::size_t want);

  InputFile& file_;
  std::unique_ptr<std::uint8_t[]> owned_;
  std::uint8_t* buffer_;
  std::uint8_t* cursor_;
  std::uint8_t* end_;
  std::uint64_t fileOffset_ = 0;  // file position of the byte after end_
  std::uint64_t fileSize_;        // as the system reported it at the start
  std::size_t readSize_;          // the size of the next read from the file
  bool fileDone_ = false;         // the file gave nothing more: it is not asked again
  bool hitEnd_ = false;
  ChunkWalker chunks_;
};

// Reads one record at the stream's position. Pseudo: the data is in buffer, buffer.size()
// bytes long. Normal: the record was read past. End: the terminator, no further record, or
// a record the end of the file cuts short (such a record is not counted: it is no sprite
// the game could load).
SpriteRecordKind ReadSpriteRecord(GrfStream& stream, SpriteRecordBuffer& buffer);

// An Action 8 record from a pseudo sprite's data (data[0] is 0x08). A record too short for
// its fields reads as if 0x00 bytes followed its data: a missing version or ID byte is 0,
// a text without its 0x00 runs to the end of the data, and a missing text is empty.
GrfAction8 DecodeAction8(const std::uint8_t* data, std::size_t size);

// How much an analysis keeps: the counts and the Action 8 records, or what the file changes too.
enum class GrfDetail { Counts, Facts };

// Opens path once, walks it to its terminator or its end and closes it. A file that cannot
// be opened (missing, a directory, locked) gives opened false.
GrfInfo AnalyzeGrf(FileSystem& files, const std::string& path, GrfDetail detail = GrfDetail::Facts);

}  // namespace kestrav
