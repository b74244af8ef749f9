#pragma once
#include "platform/file_system.h"

namespace kestrav {

class Win32FileSystem : public FileSystem {
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
  bool RecycleFile(const std::string& path) override;
  std::string LongName(const std::string& path) override;
};

}  // namespace kestrav
