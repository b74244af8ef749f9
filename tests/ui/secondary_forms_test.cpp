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

// Settings1Click fills the dialog from the stored values; a click then writes its one value,
// and a failed write leaves the control as the click set it.
TEST(Settings1Click, FillsTheControlsAndEachClickWritesItsValue) {
  using S = TformSettings;
  const struct {
    std::optional<std::int32_t> flags;  // all four booleans
    std::optional<std::string> path;
    void (S::*click)();
    const char* name;  // the value the click writes
    bool failing;
    const char* shown;
    std::int32_t stored;
  } cases[] = {
      {std::nullopt, std::nullopt, nullptr, "", false, "0000 Directory Not Set", 0},
      {0, "C:\\TTD", nullptr, "", false, "0000 C:\\TTD", 0},
      {1, "C:\\TTD", nullptr, "", false, "1111 C:\\TTD", 0},
      {2, "", nullptr, "", false, "1111 ", 0},
      {0, "", &S::itemRunTTDClick, "RunType", false, "1000 ", 1},
      {1, "", &S::itemRunTTDPatchClick, "RunType", false, "0111 ", 0},
      {0, "", &S::itemActionParamClick, "DoubleClickAction", false, "0100 ", 1},
      {1, "", &S::itemActionInfoClick, "DoubleClickAction", false, "1011 ", 0},
      {0, "", &S::cboxSaveAndRunClick, "SaveAndRun", false, "0010 ", 1},
      {1, "", &S::cboxNoOverwriteConfirmationClick, "NoOverwriteConfirmation", false, "1110 ", 0},
      {0, "", &S::itemRunTTDClick, "RunType", true, "1000 ", 0},
      {1, "", &S::cboxSaveAndRunClick, "SaveAndRun", true, "1101 ", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    SettingsFixture f;
    for (const char* name : {"RunType", "DoubleClickAction", "SaveAndRun", "NoOverwriteConfirmation"}) {
      if (c.flags) f.Put(name, *c.flags);
    }
    if (c.path) f.Put(setting::kTtdPath, *c.path);
    std::copy_n(c.flags ? "0000" : "1111", 4, f.settingsView.state);  // left from an earlier showing
    f.manager.Settings1Click();
    EXPECT_EQ(1, f.settingsView.shown);
    if (!c.click) {
      EXPECT_EQ(c.shown, f.settingsView.Shown());
      continue;
    }
    // A check box has its new state when its click handler runs.
    if (c.click == &S::cboxSaveAndRunClick) f.settingsView.SetChecked(SettingsBox::SaveAndRun, !*c.flags);
    if (c.click == &S::cboxNoOverwriteConfirmationClick) {
      f.settingsView.SetChecked(SettingsBox::NoOverwriteConfirmation, !*c.flags);
    }
    f.platform.registry.failWrites = c.failing;
    std::string error;
    try {
      (f.form.*c.click)();
    } catch (const OperationError& e) {
      error = e.what();
    }
    EXPECT_EQ(c.failing ? "Failed to set data for '" + std::string(c.name) + "'" : "", error);
    EXPECT_EQ(c.shown, f.settingsView.Shown());
    EXPECT_EQ(c.stored, f.Settings().ReadInteger(c.name));
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
  EXPECT_TRUE(dialogs.browseAccept(chosen.path()) && !dialogs.browseAccept(f.ttd.path()));

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
