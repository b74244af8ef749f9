#pragma once
// What installing a GRF file asks once the file is in place, so that a caller answering
// for the user (the console companion) can tell it from the replace questions.

namespace kestrav {

inline constexpr const char* kDeleteSourceQuestion = "File Installed.\nDo you want to delete source file?";

}  // namespace kestrav
