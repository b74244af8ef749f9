#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "platform/operation_error.h"
#include "platform/posix/posix_file_copy.h"

namespace kestrav {
namespace {

bool Exists(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0;
}

std::string Slashed(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::string Folded(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

// File times come from a clock that moves in steps (two seconds on FAT): a listing read
// this long after the directory's last change cannot miss a later change of the same time.
constexpr time_t kSettleSeconds = 2;

class PosixInputFile : public InputFile {
 public:
  explicit PosixInputFile(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
  ~PosixInputFile() override { ::close(fd_); }
  PosixInputFile(const PosixInputFile&) = delete;
  PosixInputFile& operator=(const PosixInputFile&) = delete;

  std::size_t Read(void* buffer, std::size_t size) override {
    std::size_t total = 0;
    auto* out = static_cast<char*>(buffer);
    while (total < size) {
      const ssize_t got = ::read(fd_, out + total, size - total);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      total += static_cast<std::size_t>(got);
    }
    return total;
  }
  bool Seek(std::uint64_t offset) override {
    return ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) != static_cast<off_t>(-1);
  }
  std::uint64_t Size() override { return size_; }

 private:
  int fd_;
  std::uint64_t size_;
};

// The file a write to path changes: path itself, or where its symbolic links lead (a link
// is written through, not replaced). Nothing for a loop of links.
std::optional<std::string> LinkTarget(const std::string& path) {
  namespace fs = std::filesystem;
  fs::path target = path;
  std::error_code error;
  for (int links = 0; fs::is_symlink(fs::symlink_status(target, error)); ++links) {
    const fs::path next = fs::read_symlink(target, error);
    if (error || links == 40) return std::nullopt;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return target.string();
}

}  // namespace

std::optional<std::string> PosixFileSystem::FindComponent(const std::string& dir, const std::string& component,
                                                          const struct stat* known) {
  const std::string where = dir.empty() ? "." : dir;
  struct stat info;
  timespec now{};
  if (known) {
    info = *known;
  } else if (::stat(where.c_str(), &info) != 0) {
    return std::nullopt;
  }
  if (::clock_gettime(CLOCK_REALTIME, &now) != 0) return std::nullopt;
  const std::lock_guard lock(listingsLock_);  // files are analysed on several threads at once
  Listing& listing = listings_[where];
  // A listing of a directory changed lately may miss a change of the same time, except while
  // the listings are held.
  const bool current = (listing.settled || holds_ > 0) && listing.device == info.st_dev &&
                       listing.inode == info.st_ino && listing.modified.tv_sec == info.st_mtim.tv_sec &&
                       listing.modified.tv_nsec == info.st_mtim.tv_nsec;
  if (!current) {
    DIR* handle = ::opendir(where.c_str());
    if (!handle) {
      listings_.erase(where);
      return std::nullopt;
    }
    listing = Listing{info.st_dev, info.st_ino, info.st_mtim, now.tv_sec - info.st_mtim.tv_sec > kSettleSeconds, {}};
    while (const dirent* entry = ::readdir(handle)) listing.spellings[Folded(entry->d_name)].emplace_back(entry->d_name);
    ::closedir(handle);
  }
  const auto found = listing.spellings.find(Folded(component));
  if (found == listing.spellings.end()) return std::nullopt;
  const auto& spellings = found->second;
  return std::find(spellings.begin(), spellings.end(), component) != spellings.end() ? component : spellings.front();
}

bool PosixFileSystem::StatOf(const std::string& path, struct stat& info) {
  // A path spelled as on disk needs one call; only a failure looks further.
  const std::string slashed = Slashed(path);
  return ::stat(slashed.c_str(), &info) == 0 || ::stat(ResolveMissing(slashed).c_str(), &info) == 0;
}

std::string PosixFileSystem::Resolve(const std::string& path) {
  const std::string slashed = Slashed(path);
  return slashed.empty() || Exists(slashed) ? slashed : ResolveMissing(slashed);
}

std::string PosixFileSystem::ResolveMissing(const std::string& slashed) {
  // The longest leading part that exists as spelled stands; each component after it is
  // looked up in its directory's listing.
  std::size_t stem = slashed.size();
  struct stat info;
  const struct stat* known = nullptr;  // what the leading part is
  do {
    stem = stem == 0 ? std::string::npos : slashed.rfind('/', stem - 1);
  } while (stem != std::string::npos && stem != 0 && ::stat(slashed.substr(0, stem).c_str(), &info) != 0);
  if (stem != std::string::npos && stem != 0) known = &info;
  std::string resolved = stem == std::string::npos ? std::string() : slashed.substr(0, stem + 1);
  bool missing = false;
  for (std::size_t start = resolved.size(); start <= slashed.size();) {
    const std::size_t end = std::min(slashed.find('/', start), slashed.size());
    const std::string component = slashed.substr(start, end - start);
    start = end + 1;
    if (component.empty()) continue;
    std::optional<std::string> found = component;
    if (!missing && component != "." && component != "..") found = FindComponent(resolved, component, known);
    known = nullptr;
    // A missing component keeps its spelling, and so does everything after it.
    missing = missing || !found;
    resolved += found.value_or(component);
    if (end < slashed.size()) resolved += '/';
  }
  return resolved;
}

bool PosixFileSystem::FileExists(const std::string& path) {
  struct stat info;
  return StatOf(path, info) && S_ISREG(info.st_mode);
}

bool PosixFileSystem::DirectoryExists(const std::string& path) {
  struct stat info;
  return StatOf(path, info) && S_ISDIR(info.st_mode);
}

std::vector<std::string> PosixFileSystem::ListFiles(const std::string& dir, const std::string& pattern) {
  const std::string resolved = Resolve(dir);
  std::vector<std::string> names;
  DIR* handle = ::opendir(resolved.c_str());
  if (!handle) {
    if (errno == ENOENT || errno == ENOTDIR) return names;
    throw OperationError(FillPattern("Cannot read directory %s", dir));
  }
  while (const dirent* entry = ::readdir(handle)) {
    const std::string name = entry->d_name;
    if (name.empty() || name[0] == '.' || !MatchesWildcard(name, pattern)) continue;
    // The entry's type spares a call for each plain file; a link or an unknown type is
    // looked at.
    struct stat info;
    if (entry->d_type == DT_REG ||
        (entry->d_type != DT_DIR && ::stat((resolved + "/" + name).c_str(), &info) == 0 && S_ISREG(info.st_mode))) {
      names.push_back(name);
    }
  }
  ::closedir(handle);
  return names;
}

std::optional<DosDateTime> PosixFileSystem::LastWriteTime(const std::string& path) {
  struct stat info;
  if (!StatOf(path, info)) return std::nullopt;
  struct tm local;
  if (!::localtime_r(&info.st_mtime, &local)) return std::nullopt;
  DosDateTime when;
  when.year = local.tm_year + 1900;
  if (when.year < 1980 || when.year > 2107) return std::nullopt;  // outside the DOS range
  when.month = local.tm_mon + 1;
  when.day = local.tm_mday;
  when.hour = local.tm_hour;
  when.minute = local.tm_min;
  when.second = local.tm_sec / 2 * 2;
  return when;
}

void PosixFileSystem::CreateDirectories(const std::string& dir) {
  const std::string resolved = Resolve(dir);
  for (std::size_t at = 1; at <= resolved.size(); ++at) {
    if (at != resolved.size() && resolved[at] != '/') continue;
    const std::string prefix = resolved.substr(0, at);
    if (::mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST) break;
  }
  if (!DirectoryExists(resolved)) throw OperationError(FillPattern("Cannot create directory %s", dir));
}

std::unique_ptr<InputFile> PosixFileSystem::OpenForRead(const std::string& path) {
  // Without waiting: a FIFO or a device named like a file is refused, not waited on.
  constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
  const std::string slashed = Slashed(path);
  int fd = ::open(slashed.c_str(), kFlags);
  if (fd < 0 && (errno == ENOENT || errno == ENOTDIR)) fd = ::open(ResolveMissing(slashed).c_str(), kFlags);
  if (fd < 0) return nullptr;
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<PosixInputFile>(fd, static_cast<std::uint64_t>(info.st_size));
}

void PosixFileSystem::WriteWholeFile(const std::string& path, const std::string& content) {
  const auto target = LinkTarget(Resolve(path));
  struct stat info;
  const bool exists = target && ::stat(target->c_str(), &info) == 0;
  // As on Windows, a read-only file is not replaced, nor anything but a file.
  const bool refused = !target || (exists && (!S_ISREG(info.st_mode) || (info.st_mode & S_IWUSR) == 0));
  const auto fill = [&](int fd) { return WriteAll(fd, content.data(), content.size()); };
  if (refused || !ReplaceThroughTemporary(*target, exists ? info.st_mode & 07777 : 0644, fill)) {
    throw OperationError(FillPattern("Cannot create file %s", path));
  }
}

bool PosixFileSystem::CopyFileOver(const std::string& source, const std::string& target) {
  return CopyThroughTemporary(Resolve(source), Resolve(target));
}

bool PosixFileSystem::RemoveFile(const std::string& path) {
  const std::string resolved = Resolve(path);
  // A link to a file goes itself: what it leads to may be shared by other directories.
  struct stat info;
  if (::stat(resolved.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  if ((info.st_mode & S_IWUSR) == 0) return false;  // read-only
  return ::unlink(resolved.c_str()) == 0;
}

std::string PosixFileSystem::LongName(const std::string& path) { return Resolve(path); }

void PosixFileSystem::HoldListings(bool hold) {
  const std::lock_guard lock(listingsLock_);
  holds_ += hold ? 1 : -1;
}

bool MatchesWildcard(const std::string& name, const std::string& pattern) {
  // Iterative matching with one backtrack point: linear in practice, never recursive.
  std::size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
  auto same = [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  };
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || (pattern[p] != '*' && same(pattern[p], name[n])))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace kestrav
