#pragma once
#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>

namespace kestrav {

// Copies source over target through a temporary file in target's directory that takes
// target's place only once every byte is there; false on failure, with target as it was.
// The copy keeps the source's last-write time. A target that is the source itself under
// another spelling is refused.
bool CopyThroughTemporary(const std::string& source, const std::string& target);

// Makes a temporary file of the given mode beside target, lets fill write it, and once it
// is on disk renames it over target; false on any failure, with the temporary file gone
// and target as it was.
bool ReplaceThroughTemporary(const std::string& target, mode_t mode, const std::function<bool(int fd)>& fill);

// Writes every byte, going on after an interrupted or partial write.
bool WriteAll(int fd, const char* data, std::size_t size);

}  // namespace kestrav
