// The settings dialog's controller with a recording view, opened from the main window's
// controller as its menu and its button over the list do.
#include <gtest/gtest.h>

#include "ui/form_settings.h"
#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

// Shows the controls as "1" for itemRunTTD, itemActionParam and each checked box, "0"
// otherwise, then the path box.
class RecordingSettingsView : public SettingsView {
 public:
  void SelectRunTtd(bool runTtd) override { state[0] = runTtd ? '1' : '0'; }
  void SelectActionParam(bool actionParam) override { state[1] = actionParam ? '1' : '0'; }
  void SetChecked(SettingsBox box, bool checked) override { state[2 + static_cast<int>(box)] = checked ? '1' : '0'; }
  bool IsChecked(SettingsBox box) const override { return state[2 + static_cast<int>(box)] == '1'; }
  void SetPathText(const std::string& text) override { path = text; }
  void ShowModal() override { ++shown; }
  void Close() override {}
  std::string Shown() const { return std::string(state) + " " + path; }
  char state[5] = "0000";
  std::string path = "?";
  int shown = 0;
};

struct SettingsFixture : test::ManagerFixture {
  SettingsFixture() { manager.formSettings = &form; }
  RecordingSettingsView settingsView;
  TformSettings form{platform.ports, manager, settingsView};
};

TEST(Settings1Click, FillsEveryControlFromTheStoredValuesAndShowsTheDialog) {
  const struct {
    std::optional<std::int32_t> flags;  // all four booleans
    std::optional<std::string> path;
    const char* shown;
  } cases[] = {
      {std::nullopt, std::nullopt, "0000 Directory Not Set"},
      {0, "C:\\TTD", "0000 C:\\TTD"},
      {1, "C:\\TTD", "1111 C:\\TTD"},
      {2, "", "1111 "},
  };
  for (const auto& c : cases) {
    SettingsFixture f;
    for (const char* name : {"RunType", "DoubleClickAction", "SaveAndRun", "NoOverwriteConfirmation"}) {
      if (c.flags) f.Put(name, *c.flags);
    }
    if (c.path) f.Put(setting::kTtdPath, *c.path);
    std::copy_n(c.flags ? "0000" : "1111", 4, f.settingsView.state);  // left from an earlier showing
    f.manager.Settings1Click();
    EXPECT_EQ(c.shown, f.settingsView.Shown());
    EXPECT_EQ(1, f.settingsView.shown);
  }
}

TEST(TformSettings, EachClickWritesItsValueAndAFailedWriteKeepsTheControl) {
  const struct {
    void (TformSettings::*click)();
    const char* before;  // the controls as the click finds them (a check box already toggled)
    const char* name;
    std::int32_t stored;
    const char* after;
  } cases[] = {
      {&TformSettings::itemRunTTDClick, "0000", "RunType", 1, "1000 ?"},
      {&TformSettings::itemRunTTDPatchClick, "1000", "RunType", 0, "0000 ?"},
      {&TformSettings::itemActionParamClick, "0000", "DoubleClickAction", 1, "0100 ?"},
      {&TformSettings::itemActionInfoClick, "0100", "DoubleClickAction", 0, "0000 ?"},
      {&TformSettings::cboxSaveAndRunClick, "0010", "SaveAndRun", 1, "0010 ?"},
      {&TformSettings::cboxSaveAndRunClick, "0000", "SaveAndRun", 0, "0000 ?"},
      {&TformSettings::cboxNoOverwriteConfirmationClick, "0001", "NoOverwriteConfirmation", 1, "0001 ?"},
  };
  for (const bool failing : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.name);
      SettingsFixture f;
      f.Put(c.name, 1 - c.stored);
      std::copy_n(c.before, 4, f.settingsView.state);
      f.platform.registry.failWrites = failing;
      std::string error;
      try {
        (f.form.*c.click)();
      } catch (const OperationError& e) {
        error = e.what();
      }
      EXPECT_EQ(failing ? "Failed to set data for '" + std::string(c.name) + "'" : "", error);
      EXPECT_EQ(failing ? 1 - c.stored : c.stored, f.Settings().ReadInteger(c.name));
      EXPECT_EQ(c.after, f.settingsView.Shown());
    }
  }
}

TEST(Button1Click, AConfirmedFolderIsStoredShownAndLoadedAndPreselectedNextTime) {
  SettingsFixture f;
  f.UseTtdDirectory();
  test::TempDir chosen;
  chosen.Write("newgrf/b.grf", "");
  chosen.Write("newgrfw.cfg", "");
  auto& dialogs = f.platform.dialogs;

  // The main window's button runs the dialog's own browser without showing the dialog.
  dialogs.ExpectBrowse(chosen.path());
  f.manager.butnSelectTTDdirClick();
  EXPECT_EQ("Select Transport Tycoon Deluxe Directory", dialogs.browseTitle);
  EXPECT_EQ("", dialogs.browseLastDirectory);
  EXPECT_EQ(chosen.path(), f.Settings().ReadString(setting::kTtdPath));
  EXPECT_EQ("0000 " + chosen.path(), f.settingsView.Shown());
  EXPECT_EQ((std::vector<test::ListItem>{{"newgrf/b.grf", GrfState::Off}}), f.Items());
  EXPECT_EQ(0, f.settingsView.shown);
  chosen.Write("ttdx.exe", "");
  EXPECT_TRUE(dialogs.browseAccept(chosen.path()));
  EXPECT_FALSE(dialogs.browseAccept(f.ttd.path()));

  // A cancelled browser changes nothing.
  const int redraws = f.view.listChanges;
  dialogs.ExpectBrowse(std::nullopt);
  f.form.Button1Click();
  EXPECT_EQ(chosen.path(), dialogs.browseLastDirectory);
  EXPECT_EQ(chosen.path(), f.Settings().ReadString(setting::kTtdPath));
  EXPECT_EQ("0000 " + chosen.path(), f.settingsView.Shown());
  EXPECT_EQ(redraws, f.view.listChanges);
}

}  // namespace
}  // namespace kestrav
