#pragma once
// Copying a file whole or not at all, and the pieces the file system's save shares with it.
#include <windows.h>

#include <cstddef>
#include <string>

namespace kestrav {

// Copies source over target through a temporary file in target's directory that takes
// target's place only once every byte is there; false on failure, with target as it was.
// The copy keeps the source's last-write time. A target that is the source itself under
// another spelling is refused.
bool CopyThroughTemporary(const std::string& source, const std::string& target);

// The folder of path ("." for a bare name).
std::string DirectoryOf(const std::string& path);

// Writes size bytes of data; false on any failure.
bool WriteAll(HANDLE file, const char* data, std::size_t size);

// A temporary file in a directory, removed at the end unless Keep was called once it has
// been moved into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& directory);
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::string& path() const { return path_; }  // empty when none could be made
  void Keep() { path_.clear(); }

 private:
  std::string path_;
};

}  // namespace kestrav
