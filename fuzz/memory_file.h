#pragma once
// One file held in memory behind the file system port, handing out its bytes in pieces of
// a chosen size, as a port may, and checking how the reader uses it.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/file_system.h"

namespace kestrav::fuzz {

struct FileUse {
  std::size_t emptyReads = 0;  // reads that got nothing: one ends the walk, more is looping
  std::size_t opens = 0;
};

class MemoryInputFile : public InputFile {
 public:
  MemoryInputFile(const std::string& bytes, std::size_t piece, bool knowsSize, FileUse& use)
      : bytes_(bytes), piece_(piece), knowsSize_(knowsSize), use_(use) {}
  std::size_t Read(void* buffer, std::size_t size) override {
    const std::size_t left = at_ < bytes_.size() ? bytes_.size() - at_ : 0;
    const std::size_t count = std::min({size, piece_, left});
    if (count == 0) ++use_.emptyReads;
    if (count) std::memcpy(buffer, bytes_.data() + at_, count);
    at_ += count;
    return count;
  }
  bool Seek(std::uint64_t offset) override {
    // The walk jumps only within the file as it was sized.
    if (offset > bytes_.size()) std::abort();
    at_ = static_cast<std::size_t>(offset);
    return true;
  }
  // A port that cannot size the file says 0.
  std::uint64_t Size() override { return knowsSize_ ? bytes_.size() : 0; }

 private:
  const std::string& bytes_;
  std::size_t piece_;
  bool knowsSize_;
  FileUse& use_;
  std::size_t at_ = 0;
};

class MemoryFileSystem : public FileSystem {
 public:
  MemoryFileSystem(const std::string& bytes, std::size_t piece, bool knowsSize)
      : bytes_(bytes), piece_(piece), knowsSize_(knowsSize) {}
  bool FileExists(const std::string& path) override { return path == kPath; }
  bool DirectoryExists(const std::string&) override { return false; }
  std::vector<std::string> ListFiles(const std::string&, const std::string&) override { return {}; }
  std::optional<DosDateTime> LastWriteTime(const std::string& path) override {
    if (path != kPath) return std::nullopt;
    return DosDateTime{2001, 2, 3, 4, 5, 6};
  }
  void CreateDirectories(const std::string&) override {}
  std::unique_ptr<InputFile> OpenForRead(const std::string& path) override {
    if (path != kPath) return nullptr;
    ++use.opens;
    return std::make_unique<MemoryInputFile>(bytes_, piece_, knowsSize_, use);
  }
  void WriteWholeFile(const std::string&, const std::string&) override { std::abort(); }
  bool CopyFileOver(const std::string&, const std::string&) override { std::abort(); }
  bool RemoveFile(const std::string&) override { std::abort(); }

  static constexpr const char* kPath = "C:\\TTD\\newgrf\\fuzz.grf";
  FileUse use;

 private:
  const std::string& bytes_;
  std::size_t piece_;
  bool knowsSize_;
};

}  // namespace kestrav::fuzz
