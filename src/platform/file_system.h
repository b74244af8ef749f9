#pragma once
// File system port. Paths are ANSI text; "\\" separates components (the POSIX adapter
// takes "/" as well and finds components without regard to letter case, as Windows does).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrav {

// A local date-time at the 2-second resolution of the DOS date-time format.
struct DosDateTime {
  int year = 1980, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0;  // second is always even for a file's time
  auto operator<=>(const DosDateTime&) const = default;
};

// A file opened for sequential binary reading. Closed when destroyed.
class InputFile {
 public:
  virtual ~InputFile() = default;
  // Reads up to size bytes; returns how many were read, 0 at the end or on an error.
  virtual std::size_t Read(void* buffer, std::size_t size) = 0;
  // Moves to an absolute offset; an offset past the end leaves the next Read at the end.
  virtual bool Seek(std::uint64_t offset) = 0;
  virtual std::uint64_t Size() = 0;
};

// Every method may be called from several threads at once: many files are analysed on
// worker threads.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // True only for a regular file, never for a directory.
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  // Names (not paths) of the ordinary files in dir matching pattern ("*.grf"): hidden and
  // system files and directories are left out. A missing directory or no match gives an
  // empty list; a directory that cannot be read throws OperationError.
  virtual std::vector<std::string> ListFiles(const std::string& dir, const std::string& pattern) = 0;
  // Last-write time in local time; nothing when the file cannot be queried.
  virtual std::optional<DosDateTime> LastWriteTime(const std::string& path) = 0;
  // Creates dir and every missing directory above it; throws OperationError
  // "Cannot create directory %s" on failure.
  virtual void CreateDirectories(const std::string& dir) = 0;
  // Nothing when the file cannot be opened for reading (missing, a directory, locked).
  virtual std::unique_ptr<InputFile> OpenForRead(const std::string& path) = 0;
  // Replaces the file's whole content with content. The bytes go to a temporary file in the
  // same directory that then takes the place of the target, so a failure half-way leaves
  // the old file as it was. Throws OperationError "Cannot create file %s".
  virtual void WriteWholeFile(const std::string& path, const std::string& content) = 0;
  // Copies source over target (replacing it), keeping the source's last-write time. The
  // bytes go to a temporary file beside target that takes its place once complete; false on
  // failure, with target as it was. A target that is the source itself, spelt in any way,
  // is a failure too.
  virtual bool CopyFileOver(const std::string& source, const std::string& target) = 0;
  // Removes a file; false when it is missing, read-only or locked. A symbolic link is
  // removed itself, never the file it leads to.
  virtual bool RemoveFile(const std::string& path) = 0;
  // Sends a file to the recycle bin where the system has one, without asking anything or
  // showing any progress; false, with the file left where it is, when the bin cannot take
  // it. A link goes as RemoveFile removes it. Without a bin the file is removed.
  virtual bool RecycleFile(const std::string& path) = 0;
  // The path with its components spelt as on disk, in their long names (an 8.3 short name
  // such as "LONG~0AD.GRF" becomes the name it stands for); the path as given when there
  // is no such file.
  virtual std::string LongName(const std::string& path) = 0;
  // While held (the calls nest), a directory's listing, once read, is trusted as long as
  // the directory's own time and identity stay as they were, however recently it changed:
  // one load reads each directory once. Hold it only around work that changes no file.
  virtual void HoldListings(bool /*hold*/) {}
};

// Holds the listings of a file system for the life of the object.
class ListingsHeld {
 public:
  explicit ListingsHeld(FileSystem& files) : files_(files) { files_.HoldListings(true); }
  ~ListingsHeld() { files_.HoldListings(false); }
  ListingsHeld(const ListingsHeld&) = delete;
  ListingsHeld& operator=(const ListingsHeld&) = delete;

 private:
  FileSystem& files_;
};

// The whole content of a file, or nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(FileSystem& files, const std::string& path);

}  // namespace kestrav
