#pragma once
// The real file system behind a record of what was looked at and opened, with a listing
// or an opening made to fail for one path.
#include <string>
#include <vector>

#include "platform/operation_error.h"
#include "platform/platform.h"

namespace kestrav::test {

class WatchedFileSystem : public FileSystem {
 public:
  explicit WatchedFileSystem(FileSystem& real) : real_(real) {}
  bool FileExists(const std::string& path) override {
    looked.push_back(path);
    return real_.FileExists(path);
  }
  bool DirectoryExists(const std::string& path) override { return real_.DirectoryExists(path); }
  std::vector<std::string> ListFiles(const std::string& dir, const std::string& pattern) override {
    if (dir == failList) throw OperationError("Cannot read directory " + dir);
    return real_.ListFiles(dir, pattern);
  }
  std::optional<DosDateTime> LastWriteTime(const std::string& path) override { return real_.LastWriteTime(path); }
  void CreateDirectories(const std::string& dir) override { real_.CreateDirectories(dir); }
  std::unique_ptr<InputFile> OpenForRead(const std::string& path) override {
    opened.push_back(path);
    return path == failOpen ? nullptr : real_.OpenForRead(path);
  }
  void WriteWholeFile(const std::string& path, const std::string& content) override {
    real_.WriteWholeFile(path, content);
  }
  bool CopyFileOver(const std::string& from, const std::string& to) override { return real_.CopyFileOver(from, to); }
  bool RemoveFile(const std::string& path) override { return real_.RemoveFile(path); }

  std::vector<std::string> looked, opened;
  std::string failList, failOpen;

 private:
  FileSystem& real_;
};

// The same ports with another file system.
inline Platform WithFiles(const Platform& ports, FileSystem& files) {
  return {files, ports.registry, ports.dialogs, ports.processes, ports.xml, ports.screen, ports.locale};
}

}  // namespace kestrav::test
