#pragma once
#include <sys/stat.h>

#include <ctime>
#include <mutex>
#include <unordered_map>

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
  bool RecycleFile(const std::string& path) override { return RemoveFile(path); }
  std::string LongName(const std::string& path) override;
  void HoldListings(bool hold) override;

  // The path as it is spelled on disk: separators turned into "/", each existing
  // component in its disk spelling; components that do not exist are kept as given.
  std::string Resolve(const std::string& path);

 private:
  // A directory's names by their letters in lower case (the first spelling of each), with
  // the directory's identity and modification time when they were read.
  struct Listing {
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    bool settled = false;  // read well after its last change: no later change can share its time
    std::unordered_map<std::string, std::vector<std::string>> spellings;
  };
  // The name in dir that equals component: its own spelling when there, else the first
  // without regard to letter case; nothing when there is none. known: dir's status, when
  // the caller has it.
  std::optional<std::string> FindComponent(const std::string& dir, const std::string& component,
                                           const struct stat* known = nullptr);
  // Resolve for a path with "/" separators that does not exist as spelled.
  std::string ResolveMissing(const std::string& slashed);
  bool StatOf(const std::string& path, struct stat& info);

  // Kept until the directory's modification time changes, so that looking up many missing
  // names reads a large directory once.
  std::unordered_map<std::string, Listing> listings_;
  std::mutex listingsLock_;
  int holds_ = 0;  // guarded by listingsLock_
};

// Whether name matches a pattern of "*" and "?" wildcards, without regard to letter case.
bool MatchesWildcard(const std::string& name, const std::string& pattern);

}  // namespace kestrav
