#pragma once
#include <string>

namespace kestrav {

// Copies source over target through a temporary file in target's directory that takes
// target's place only once every byte is there; false on failure, with target as it was.
// The copy keeps the source's last-write time. A target that is the source itself under
// another spelling is refused.
bool CopyThroughTemporary(const std::string& source, const std::string& target);

}  // namespace kestrav
