#pragma once
// The file information report: what the information box shows about one GRF file.
#include <string>

#include "grf/grf_info.h"
#include "platform/locale.h"

namespace kestrav {

// The report on the file at path (only its name, after the last "\\", "/" or ":", is shown)
// as info read it: its name, its date in the user's short date and long time formats, each
// Action 8 record in file order and the sprite counts, lines separated by "\n".
std::string FileInfoReport(const GrfInfo& info, const std::string& path, Locale& locale);

}  // namespace kestrav
