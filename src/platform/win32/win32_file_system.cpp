#include "platform/win32/win32_file_system.h"

#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <cstdint>
#include <optional>

#include "platform/operation_error.h"
#include "platform/win32/win32_file_copy.h"
#include "platform/win32/win32_handles.h"

namespace kestrav {
namespace {

using win32::OrNull;
using win32::UniqueFind;
using win32::UniqueHandle;

DWORD AttributesOf(const std::string& path) { return ::GetFileAttributesA(path.c_str()); }

class Win32InputFile : public InputFile {
 public:
  explicit Win32InputFile(UniqueHandle handle) : handle_(std::move(handle)) {}

  std::size_t Read(void* buffer, std::size_t size) override {
    std::size_t total = 0;
    auto* out = static_cast<char*>(buffer);
    while (total < size) {
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size - total, 1u << 30));
      DWORD got = 0;
      if (!::ReadFile(handle_.get(), out + total, want, &got, nullptr) || got == 0) break;
      total += got;
    }
    return total;
  }
  bool Seek(std::uint64_t offset) override {
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    return ::SetFilePointerEx(handle_.get(), to, nullptr, FILE_BEGIN) != 0;
  }
  std::uint64_t Size() override {
    LARGE_INTEGER size;
    return ::GetFileSizeEx(handle_.get(), &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
  }

 private:
  UniqueHandle handle_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Where path leads at the end of every symbolic link and junction, as a plain "C:\..." or
// "\\server\..." path; nothing when the file cannot be opened.
std::optional<std::string> FinalPathOf(const std::string& path) {
  UniqueHandle file(
      OrNull(::CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)));
  char buffer[4 * MAX_PATH];
  const DWORD size = file ? ::GetFinalPathNameByHandleA(file.get(), buffer, sizeof buffer, FILE_NAME_NORMALIZED) : 0;
  if (size == 0 || size >= sizeof buffer) return std::nullopt;
  const std::string final(buffer, size);
  if (final.starts_with("\\\\?\\UNC\\")) return "\\\\" + final.substr(8);
  return final.starts_with("\\\\?\\") ? final.substr(4) : final;
}

// Under Wine, the host system's name of a path: Wine's kernel32 tells it. Nothing on Windows.
std::optional<std::string> HostPathOf(const std::string& path) {
  using UnixFileName = char*(CDECL*)(const WCHAR*);
  static const auto unixFileName = reinterpret_cast<UnixFileName>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  WCHAR wide[4 * MAX_PATH];
  if (!unixFileName || !::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, 4 * MAX_PATH)) return std::nullopt;
  char* host = unixFileName(wide);
  if (!host) return std::nullopt;
  std::string result(host);
  ::HeapFree(::GetProcessHeap(), 0, host);
  while (result.size() > 1 && result.back() == '/') result.pop_back();
  return result;
}

// Whether path is, under Wine, a symbolic link of the host system. Wine shows such a link as
// the file it leads to (no reparse point), and its delete, rename and recycle bin all act on
// that file: a link is told by the host name of where it leads differing from that of its
// own folder and name.
bool IsHostLink(const std::string& path) {
  const auto given = HostPathOf(path);
  const auto final = FinalPathOf(path);
  const auto folder = FinalPathOf(DirectoryOf(path));
  if (!given || !final || !folder) return false;
  const auto finalHost = HostPathOf(*final);
  const auto folderHost = HostPathOf(*folder);
  return finalHost && folderHost && *finalHost != *folderHost + "/" + given->substr(given->rfind('/') + 1);
}

// Removes a host link under Wine, leaving what it leads to: a rename onto the link replaces
// the link alone, and the empty file put in its place is then deleted.
bool RemoveHostLink(const std::string& path) {
  TemporaryFile standIn(DirectoryOf(path));
  if (standIn.path().empty() || !::MoveFileExA(standIn.path().c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    return false;
  }
  standIn.Keep();
  return ::DeleteFileA(path.c_str()) != 0;
}

// A DWORD the shell's bin settings hold under key, or fallback when there is none.
DWORD BinSetting(HKEY root, const std::string& key, const char* name, DWORD fallback) {
  DWORD value = 0;
  DWORD size = sizeof value;
  return ::RegGetValueA(root, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS
             ? value
             : fallback;
}

// Whether the bin of full's drive takes a file of size bytes. Where the drive has none (network
// and some removable drives), its bin is switched off, or the file is larger than the bin
// holds, the shell would delete the file for good without a word.
bool RecycleBinTakes(const std::string& full, std::uint64_t size) {
  char root[MAX_PATH];
  if (full.size() >= MAX_PATH || !::GetVolumePathNameA(full.c_str(), root, MAX_PATH)) return false;
  SHQUERYRBINFO info{};
  info.cbSize = sizeof info;
  if (FAILED(::SHQueryRecycleBinA(root, &info))) return false;
  const std::string policies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
  for (const HKEY scope : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    if (BinSetting(scope, policies, "NoRecycleFiles", 0) != 0) return false;
  }
  // The drive's own settings are kept under its volume name, "\\?\Volume{...}\".
  char volume[MAX_PATH];
  if (!::GetVolumeNameForVolumeMountPointA(root, volume, MAX_PATH)) return true;  // the defaults
  const std::string name(volume);
  const auto open = name.find('{'), close = name.find('}');
  if (open == std::string::npos || close == std::string::npos || close < open) return true;
  const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket\\Volume\\" +
                          name.substr(open, close - open + 1);
  if (BinSetting(HKEY_CURRENT_USER, key, "NukeOnDelete", 0) != 0) return false;
  const DWORD megabytes = BinSetting(HKEY_CURRENT_USER, key, "MaxCapacity", MAXDWORD);
  return megabytes == MAXDWORD || size <= std::uint64_t{megabytes} * 1024 * 1024;
}

// Puts the finished temporary file in the place of path, whose attributes are given (none
// for a new file). ReplaceFileA keeps what the old file carried (its security descriptor,
// and its attributes on Windows, though not under Wine: they are copied first); its backup
// lets a replace that fails half-way put the old file back.
bool SwapIn(const char* temporary, const std::string& path, DWORD attributes) {
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return ::MoveFileExA(temporary, path.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
  }
  char backup[MAX_PATH];
  if (!::SetFileAttributesA(temporary, attributes) ||
      !::GetTempFileNameA(DirectoryOf(path).c_str(), "kes", 0, backup)) {
    return false;
  }
  const bool replaced =
      ::ReplaceFileA(path.c_str(), temporary, backup, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
  // After this error the old file stands under the backup's name: it goes back, and stays
  // there should that fail, rather than be lost.
  if (!replaced && ::GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 &&
      !::MoveFileExA(backup, path.c_str(), 0)) {
    return false;
  }
  ::DeleteFileA(backup);
  return replaced;
}

}  // namespace

bool Win32FileSystem::FileExists(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::DirectoryExists(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> Win32FileSystem::ListFiles(const std::string& dir, const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  UniqueFind find(OrNull(::FindFirstFileA((dir + "\\" + pattern).c_str(), &found)));
  if (!find) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_NO_MORE_FILES) {
      return names;
    }
    throw OperationError(FillPattern("Cannot read directory %s", dir));
  }
  constexpr DWORD kNotOrdinary = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  do {
    // The search also matches short 8.3 names ("abc.grfx" as ABC~1.GRF): the long name
    // must match the pattern itself.
    if ((found.dwFileAttributes & kNotOrdinary) == 0 && ::PathMatchSpecA(found.cFileName, pattern.c_str())) {
      names.emplace_back(found.cFileName);
    }
  } while (::FindNextFileA(find.get(), &found));
  return names;
}

std::optional<DosDateTime> Win32FileSystem::LastWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  FILETIME local;
  WORD date = 0, time = 0;
  if (!::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !::FileTimeToDosDateTime(&local, &date, &time)) {
    return std::nullopt;
  }
  DosDateTime when;
  when.year = 1980 + (date >> 9);
  when.month = (date >> 5) & 0x0F;
  when.day = date & 0x1F;
  when.hour = time >> 11;
  when.minute = (time >> 5) & 0x3F;
  when.second = (time & 0x1F) * 2;
  return when;
}

void Win32FileSystem::CreateDirectories(const std::string& dir) {
  for (std::size_t at = 0; at <= dir.size(); ++at) {
    if (at != dir.size() && dir[at] != '\\' && dir[at] != '/') continue;
    const std::string prefix = dir.substr(0, at);
    // Skip the drive ("C:") and the empty root of "\\server\share" style paths.
    if (prefix.empty() || prefix.back() == ':' || DirectoryExists(prefix)) continue;
    ::CreateDirectoryA(prefix.c_str(), nullptr);
  }
  if (!DirectoryExists(dir)) throw OperationError(FillPattern("Cannot create directory %s", dir));
}

std::unique_ptr<InputFile> Win32FileSystem::OpenForRead(const std::string& path) {
  UniqueHandle handle(OrNull(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)));
  // A device named like a file ("NUL.grf", "COM1.grf") is no file to read.
  if (!handle || ::GetFileType(handle.get()) != FILE_TYPE_DISK) return nullptr;
  return std::make_unique<Win32InputFile>(std::move(handle));
}

void Win32FileSystem::WriteWholeFile(const std::string& given, const std::string& content) {
  const auto fail = [&] { throw OperationError(FillPattern("Cannot create file %s", given)); };
  // Neither a directory nor a file marked read-only is replaced.
  const DWORD attributes = AttributesOf(given);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
    fail();
  }
  // A link is written through: the file it leads to takes the new content and the link
  // stays. Replacing the link itself would move that file into the backup, which is then
  // deleted; a file whose end cannot be learnt is not replaced at all.
  const auto final = attributes == INVALID_FILE_ATTRIBUTES ? std::optional(given) : FinalPathOf(given);
  if (!final) fail();
  const std::string& path = *final;
  // What the file a link leads to carries, not the link's own attributes, decides and is kept.
  const DWORD kept = path == given ? attributes : AttributesOf(path);
  if (kept != INVALID_FILE_ATTRIBUTES && (kept & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) fail();
  TemporaryFile temporary(DirectoryOf(path));
  if (temporary.path().empty()) fail();
  {
    UniqueHandle file(OrNull(::CreateFileA(temporary.path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file || !WriteAll(file.get(), content.data(), content.size()) || !::FlushFileBuffers(file.get())) fail();
  }
  if (!SwapIn(temporary.path().c_str(), path, kept)) fail();
  temporary.Keep();
}

bool Win32FileSystem::CopyFileOver(const std::string& source, const std::string& target) {
  return CopyThroughTemporary(source, target);
}

bool Win32FileSystem::RemoveFile(const std::string& path) {
  if (IsHostLink(path)) return (AttributesOf(path) & FILE_ATTRIBUTE_READONLY) == 0 && RemoveHostLink(path);
  return ::DeleteFileA(path.c_str()) != 0;
}

bool Win32FileSystem::RecycleFile(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
    return false;
  }
  // Wine's bin would take the file a link leads to, shared by other folders: the link alone
  // goes, and nothing is lost.
  if (IsHostLink(path)) return RemoveHostLink(path);
  char full[MAX_PATH];
  const DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (length == 0 || length >= MAX_PATH || !::GetFileAttributesExA(full, GetFileExInfoStandard, &data) ||
      !RecycleBinTakes(full, std::uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow)) {
    return false;
  }
  const std::string from = std::string(full, length) + '\0';  // a list of names, ended by an empty one
  SHFILEOPSTRUCTA operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI | FOF_NOCONFIRMMKDIR;
  return ::SHFileOperationA(&operation) == 0 && !operation.fAnyOperationsAborted &&
         AttributesOf(path) == INVALID_FILE_ATTRIBUTES;
}

std::string Win32FileSystem::LongName(const std::string& path) {
  char buffer[4 * MAX_PATH];
  const DWORD size = ::GetLongPathNameA(path.c_str(), buffer, sizeof buffer);
  return size == 0 || size >= sizeof buffer ? path : std::string(buffer, size);
}

}  // namespace kestrav
