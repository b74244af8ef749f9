#pragma once
// Laying the configuration file's lines over the GRF files installed in newgrf: states,
// order and parameters come from the lines, the list of items from the disk.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/grf_check_list.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/locale.h"

namespace kestrav {

// The game's own graphics files: the Windows edition's, then the DOS edition's. Compared
// exactly, letter case included, so a renamed copy ("TRG1R.GRF") is an ordinary GRF file.
inline constexpr std::array<std::string_view, 13> MainGraphicFiles = {
    "trgtr.grf", "trgir.grf", "trghr.grf", "trgcr.grf", "trg1r.grf",  "trend.grf",   "trg1.grf",
    "trgc.grf",  "trgh.grf",  "trgi.grf",  "trgt.grf",  "trhcom.grf", "trtitle.grf",
};

bool IsMainGraphicFile(const std::string& fileName);

// Whether the configuration file can name a GRF file of this name: a blank would end its
// path there, so a file whose name holds one is never listed, installed or written.
bool IsListableGrfName(const std::string& fileName);

inline constexpr const char* kMainGraphicsWarning =
    "Kestrav found one of those files on your list:\n"
    " trgtr.grf, trgir.grf, trghr.grf, trgcr.grf, trg1r.grf (WIN TTD)\n"
    " trend.grf, trg1.grf, trgc.grf, trgh.grf, trgi.grf, trgt.grf, trhcom.grf, trtitle.grf (DOS TTD)\n"
    "They are main TTD graphic files and should not be here.\n"
    "File(s) will be turned off.\n"
    "If you are sure that any of the files you got is main TTD graphic file just change its name.";

// Cleans lines in place and merges them into list, which holds one Off item per GRF file
// of ttdDir\newgrf. An entry whose file exists and is an item (the first, in the order of
// the moment, whose text equals the path by the locale's comparison without regard to
// letter case) gives the item its state and parameters and moves it to the entry's line
// index (or to the end); every other entry is dropped. Missing files are reported in one
// warning, main graphics files are turned off with one warning after it.
void MergeConfigLines(FileSystem& files, Dialogs& dialogs, Locale& locale, const std::string& ttdDir,
                      std::vector<std::string>& lines, GrfCheckList& list);

}  // namespace kestrav
