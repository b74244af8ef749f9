// Add: the open dialog, the questions by date, the copy and the list entry, on real files.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <ctime>
#include <filesystem>

#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using K = MessageKind;
using Box = std::tuple<K, const char*, Answer>;
namespace fs = std::filesystem;

const char* const kDelete = "File Installed.\nDo you want to delete source file?";
const char* const kSame = "File already exists.\nYou are trying to install the exacly the same file.\nContinue?";
const char* const kFailed = "Program cannot install file.";

// Sets the last-write time of dir's file to a local time in March 2004.
void Stamp(const test::TempDir& dir, const std::string& file, std::array<int, 4> dayHourMinuteSecond) {
  const auto [day, hour, minute, second] = dayHourMinuteSecond;
  std::tm local{};
  local.tm_sec = second, local.tm_min = minute, local.tm_hour = hour, local.tm_mday = day, local.tm_mon = 2;
  local.tm_year = 104, local.tm_isdst = -1;
  const auto when = std::chrono::system_clock::from_time_t(std::mktime(&local));
  fs::last_write_time(dir.path() + "/" + file, fs::file_time_type::clock::from_sys(when));
}

struct InstallFixture : test::ManagerFixture {
  InstallFixture() {
    UseTtdDirectory();
    ttd.MakeDirectory("newgrf");
    manager.spritesTotal = 7;
  }
  void Install(const std::optional<std::string>& path, const std::vector<Box>& script) {
    platform.dialogs.ExpectFileDialog(path);
    for (const auto& [kind, text, answer] : script) {
      platform.dialogs.Expect(kind, text, answer == Answer::Ok ? MessageButtons::Ok : MessageButtons::YesNo, answer);
    }
    manager.butnInstallGrfClick();
    EXPECT_TRUE(platform.dialogs.Done());
    EXPECT_EQ(7, manager.spritesTotal) << "nothing recounted";
    EXPECT_FALSE(manager.fileChanged);
  }
  test::TempDir downloads;
};

TEST(butnInstallGrfClick, AsksByDateCopiesOffersToDeleteAndAddsTheEntry) {
  const Box kept = {K::Information, "File Installed.\nSource file not deleted.", Answer::Ok};
  const struct {
    const char* name;
    const char* file;  // chosen in the dialog; nothing: cancelled
    std::optional<std::array<int, 4>> installed;  // the installed copy's time; the chosen file's is 2nd, 12:00:00
    std::vector<Box> script;
    bool copied, sourceKept = true, readOnly = false, noNewgrf = false;
  } cases[] = {
      {"later date, earlier in the day", "set.grf", {{1, 23, 0, 0}},
       {{K::Confirmation,
         "File that you selected already exists.\nBut you are trying to install it's newer version.\nDo you want to "
         "continue?",
         Answer::Yes},
        {K::Confirmation, kDelete, Answer::No}, kept},
       true},
      {"an hour earlier", "set.grf", {{2, 13, 0, 0}},
       {{K::Warning,
         "File that you selected already exists.\nYou have newer version of this file.\nYou are trying to replace "
         "file with older one.\nIt is highly not recommended.\nDo you want to replace it?",
         Answer::No}},
       false},
      {"within the same two seconds", "set.grf", {{2, 12, 0, 1}},
       {{K::Information, kSame, Answer::Yes},
        {K::Confirmation, kDelete, Answer::Yes},
        {K::Information, "File Installed.\nSource file deleted.", Answer::Ok}},
       true, false},
      {"main graphics file", "trg1r.grf", std::nullopt,
       {{K::Warning,
         "You cannot add this file.\nIt is probably main TTD file and they have to be in TTD directory.\nIf you are "
         "sure that it is not main TTD file, just change its name and add it again.",
         Answer::Ok}},
       false},
      {"capitalised, not one", "TRG1R.GRF", std::nullopt, {{K::Confirmation, kDelete, Answer::No}, kept}, true},
      {"read-only source", "new.grf", std::nullopt,
       {{K::Confirmation, kDelete, Answer::Yes},
        {K::Warning, "File Installed.\nbut Program cannot delete source file.", Answer::Ok}},
       true, true, true},
      {"no newgrf directory", "set.grf", std::nullopt, {{K::Error, kFailed, Answer::Ok}}, false, true, false, true},
      {"cancelled", nullptr, std::nullopt, {}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    InstallFixture f;
    f.Put(setting::kLastDir, "C:\\old\\");
    f.manager.listGrfFiles.Add("newgrf/set.grf", GrfState::Active);
    f.manager.listGrfFiles.Add("newgrf/trg1r.grf 1", GrfState::Active);
    std::vector<test::ListItem> items = f.Items();
    const std::string file = c.file ? c.file : "set.grf", source = f.downloads.Write(file, "new");
    Stamp(f.downloads, file, {2, 12, 0, 0});
    if (c.installed) f.ttd.Write("newgrf/" + file, "old"), Stamp(f.ttd, "newgrf/" + file, *c.installed);
    if (c.readOnly) fs::permissions(f.downloads.path() + "/" + file, fs::perms::owner_write, fs::perm_options::remove);
    if (c.noNewgrf) fs::remove(f.ttd.path() + "/newgrf");
    f.Install(c.file ? std::optional(source) : std::nullopt, c.script);
    const auto& asked = f.platform.dialogs.fileDialogsShown.at(0).request;
    EXPECT_EQ("Transport Tycoon Graphic Files (*.grf)|*.grf|C:\\old\\|",
              asked.filter + "|" + asked.initialDirectory + "|" + asked.fileName);
    EXPECT_EQ(c.file ? f.downloads.path() + "\\" : "C:\\old\\", f.Settings().ReadString(setting::kLastDir));
    const std::string installed = f.ttd.Exists("newgrf/" + file) ? f.ttd.Read("newgrf/" + file) : "";
    EXPECT_EQ(c.copied ? "new" : c.installed ? "old" : "", installed);
    EXPECT_EQ(c.sourceKept, f.downloads.Exists(file));
    if (c.copied && file != "set.grf") items.emplace_back("newgrf/" + file, GrfState::Off);
    EXPECT_EQ(items, f.Items()) << "added when no entry's whole text is the new one";
  }
}

TEST(butnInstallGrfClick, NeverCopiesAnInstalledFileOntoItself) {
  for (const char* spelling : {"newgrf\\set.grf", "NEWGRF\\SET.GRF", "newgrf\\..\\newgrf\\Set.grf"}) {
    SCOPED_TRACE(spelling);
    InstallFixture f;
    f.ttd.Write("newgrf/set.grf", "installed");
    f.Install(f.ttd.Join(spelling), {{K::Information, kSame, Answer::Yes}, {K::Error, kFailed, Answer::Ok}});
    EXPECT_EQ("installed", f.ttd.Read("newgrf/set.grf"));
    EXPECT_TRUE(f.Items().empty());
  }
}

}  // namespace
}  // namespace kestrav
