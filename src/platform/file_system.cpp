#include "platform/file_system.h"

namespace kestrav {

std::optional<std::string> ReadWholeFile(FileSystem& files, const std::string& path) {
  auto file = files.OpenForRead(path);
  if (!file) return std::nullopt;
  std::string content;
  char chunk[64 * 1024];
  for (;;) {
    const std::size_t got = file->Read(chunk, sizeof chunk);
    if (got == 0) break;
    content.append(chunk, got);
  }
  return content;
}

}  // namespace kestrav
