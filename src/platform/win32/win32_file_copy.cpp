#include "platform/win32/win32_file_copy.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/win32_handles.h"

namespace kestrav {
namespace {

using win32::OrNull;
using win32::UniqueHandle;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool InformationOf(HANDLE file, BY_HANDLE_FILE_INFORMATION& info) {
  return ::GetFileInformationByHandle(file, &info) != 0;
}

// Whether path names the file described by info. Wine reports no volume serial number, so
// the size and the write time have to agree as well.
bool IsSameFile(const BY_HANDLE_FILE_INFORMATION& info, const std::string& path) {
  UniqueHandle other(
      OrNull(::CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)));
  BY_HANDLE_FILE_INFORMATION found;
  if (!other || !InformationOf(other.get(), found)) return false;
  return found.dwVolumeSerialNumber == info.dwVolumeSerialNumber && found.nFileIndexHigh == info.nFileIndexHigh &&
         found.nFileIndexLow == info.nFileIndexLow && found.nFileSizeHigh == info.nFileSizeHigh &&
         found.nFileSizeLow == info.nFileSizeLow &&
         ::CompareFileTime(&found.ftLastWriteTime, &info.ftLastWriteTime) == 0;
}

// Copies to the end of from; a read error is a failure, never an early end.
bool CopyContent(HANDLE from, HANDLE to, ULONGLONG expectedSize) {
  std::vector<char> buffer(256 * 1024);
  ULONGLONG copied = 0;
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(from, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) return false;
    if (got == 0) return copied == expectedSize;
    if (!WriteAll(to, buffer.data(), got)) return false;
    copied += got;
  }
}

}  // namespace

std::string DirectoryOf(const std::string& path) {
  const auto cut = path.find_last_of("\\/");
  return cut == std::string::npos ? "." : path.substr(0, cut);
}

bool WriteAll(HANDLE file, const char* data, std::size_t size) {
  for (std::size_t written = 0; written < size;) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - written, 1u << 30));
    DWORD done = 0;
    if (!::WriteFile(file, data + written, chunk, &done, nullptr) || done == 0) return false;
    written += done;
  }
  return true;
}

TemporaryFile::TemporaryFile(const std::string& directory) {
  char name[MAX_PATH];
  if (::GetTempFileNameA(directory.c_str(), "kes", 0, name)) path_ = name;
}

TemporaryFile::~TemporaryFile() {
  if (!path_.empty()) ::DeleteFileA(path_.c_str());
}

bool CopyThroughTemporary(const std::string& source, const std::string& target) {
  UniqueHandle from(OrNull(::CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)));
  BY_HANDLE_FILE_INFORMATION info;
  if (!from || !InformationOf(from.get(), info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
      IsSameFile(info, target)) {
    return false;
  }
  TemporaryFile temporary(DirectoryOf(target));
  if (temporary.path().empty()) return false;
  {
    UniqueHandle to(OrNull(::CreateFileA(temporary.path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr)));
    const ULONGLONG size = (ULONGLONG{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    if (!to || !CopyContent(from.get(), to.get(), size) ||
        !::SetFileTime(to.get(), nullptr, nullptr, &info.ftLastWriteTime) || !::FlushFileBuffers(to.get())) {
      return false;
    }
  }
  if (!::MoveFileExA(temporary.path().c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return false;
  }
  temporary.Keep();
  return true;
}

}  // namespace kestrav
