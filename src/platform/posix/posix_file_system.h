#pragma once
#include "platform/file_system.h"

namespace kestrav {

// Files on a POSIX system, seen the way Windows sees them: "\\" and "/" both separate
// components, a component whose exact spelling is missing is found without regard to
// letter case, dot files count as hidden and a file without its owner's write bit as
// read-only.
class PosixFileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& dir, const std::string& pattern) override;
  std::optional<DosDateTime> LastWriteTime(const std::string& path) override;
  void CreateDirectories(const std::string& dir) override;
  std::unique_ptr<InputFile> OpenForRead(const std::string& path) override;
  void WriteWholeFile(const std::string& path, const std::string& content) override;
  bool CopyFileOver(const std::string& source, const std::string& target) override;
  bool RemoveFile(const std::string& path) override;

  // The path as it is spelled on disk: separators turned into "/", each existing
  // component in its disk spelling; components that do not exist are kept as given.
  static std::string Resolve(const std::string& path);
};

// Whether name matches a pattern of "*" and "?" wildcards, without regard to letter case.
bool MatchesWildcard(const std::string& name, const std::string& pattern);

}  // namespace kestrav
