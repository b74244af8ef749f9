// Add: the open dialog, the questions by date, the copy and the list entry, on real files.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using K = MessageKind;
using Box = std::tuple<K, const char*, Answer>;
using std::chrono::hours, std::chrono::seconds;
namespace fs = std::filesystem;

const char* const kDelete = "File Installed.\nDo you want to delete source file?";
// The chosen file's time: 2 March 2004, 12:00:00 local time.
fs::file_time_type ChosenTime() {
  std::tm local{};
  local.tm_hour = 12, local.tm_mday = 2, local.tm_mon = 2, local.tm_year = 104, local.tm_isdst = -1;
  return fs::file_time_type::clock::from_sys(std::chrono::system_clock::from_time_t(std::mktime(&local)));
}

TEST(butnInstallGrfClick, AsksByDateCopiesOffersToDeleteAndAddsTheEntry) {
  const struct {
    const char* name;
    const char* file;              // chosen in the dialog; nothing: cancelled
    std::optional<seconds> installed;  // the installed copy's time, after the chosen file's
    std::vector<Box> script;
    bool copied, sourceKept = true, readOnly = false, noNewgrf = false;
  } cases[] = {
      {"later date, earlier in the day", "set.grf", -hours(13),
       {{K::Confirmation,
         "File that you selected already exists.\nBut you are trying to install it's newer version.\nDo you want to "
         "continue?",
         Answer::Yes},
        {K::Confirmation, kDelete, Answer::No},
        {K::Information, "File Installed.\nSource file not deleted.", Answer::Ok}},
       true},
      {"an hour earlier", "set.grf", hours(1),
       {{K::Warning,
         "File that you selected already exists.\nYou have newer version of this file.\nYou are trying to replace "
         "file with older one.\nIt is highly not recommended.\nDo you want to replace it?",
         Answer::No}},
       false},
      {"within the same two seconds", "set.grf", seconds(1),
       {{K::Information, "File already exists.\nYou are trying to install the exacly the same file.\nContinue?",
         Answer::Yes},
        {K::Confirmation, kDelete, Answer::Yes},
        {K::Information, "File Installed.\nSource file deleted.", Answer::Ok}},
       true, false},
      {"main graphics file", "trg1r.grf", std::nullopt,
       {{K::Warning,
         "You cannot add this file.\nIt is probably main TTD file and they have to be in TTD directory.\nIf you are "
         "sure that it is not main TTD file, just change its name and add it again.",
         Answer::Ok}},
       false},
      {"read-only source", "new.grf", std::nullopt,
       {{K::Confirmation, kDelete, Answer::Yes},
        {K::Warning, "File Installed.\nbut Program cannot delete source file.", Answer::Ok}},
       true, true, true},
      {"no newgrf directory", "set.grf", std::nullopt, {{K::Error, "Program cannot install file.", Answer::Ok}}, false,
       true, false, true},
      {"cancelled", nullptr, std::nullopt, {}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::ManagerFixture f;
    const test::TempDir downloads;
    f.UseTtdDirectory();
    f.Put(setting::kLastDir, "C:\\old\\");
    f.Add({{"newgrf/set.grf", GrfState::Active}, {"newgrf/New.grf", GrfState::Active}});
    f.manager.spritesTotal = 7;
    const std::string file = c.file ? c.file : "set.grf", source = downloads.Write(file, "new");
    fs::last_write_time(downloads.path() + "/" + file, ChosenTime());
    if (c.installed) f.ttd.Write("newgrf/" + file, "old");
    if (c.installed) fs::last_write_time(f.ttd.path() + "/newgrf/" + file, ChosenTime() + *c.installed);
    if (c.readOnly) fs::permissions(downloads.path() + "/" + file, fs::perms::owner_write, fs::perm_options::remove);
    if (!c.noNewgrf) f.ttd.MakeDirectory("newgrf");
    f.platform.dialogs.ExpectFileDialog(c.file ? std::optional(source) : std::nullopt);
    for (const auto& [kind, text, answer] : c.script) {
      f.platform.dialogs.Expect(kind, text, answer == Answer::Ok ? MessageButtons::Ok : MessageButtons::YesNo, answer);
    }
    f.manager.butnInstallGrfClick();
    const auto& asked = f.platform.dialogs.fileDialogsShown.at(0).first;
    EXPECT_EQ("Transport Tycoon Graphic Files (*.grf)|*.grf|C:\\old\\|",
              asked.filter + "|" + asked.initialDirectory + "|" + asked.fileName);
    EXPECT_EQ(c.file ? downloads.path() + "\\" : "C:\\old\\", f.Settings().ReadString(setting::kLastDir));
    const std::string installed = f.ttd.Exists("newgrf/" + file) ? f.ttd.Read("newgrf/" + file) : "";
    EXPECT_EQ(c.copied ? "new" : c.installed ? "old" : "", installed);
    EXPECT_EQ(c.sourceKept, downloads.Exists(file));
    // Added unless an entry's whole text is the new one: another letter case is another entry.
    EXPECT_EQ(c.copied && file == "new.grf" ? "set.grf A, New.grf A, new.grf O" : "set.grf A, New.grf A", f.Listed());
    EXPECT_EQ(std::tuple(7, false), std::tuple(f.manager.spritesTotal, f.manager.fileChanged)) << "nothing recounted";
  }
}

}  // namespace
}  // namespace kestrav
