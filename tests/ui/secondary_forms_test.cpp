// The settings dialog's controller with a recording view, opened from the main window's
// controller as its menu and its button over the list do.
#include <gtest/gtest.h>

#include "ui/form_settings.h"
#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

using namespace std::string_literals;

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

TEST(Settings1Click, FillsTheControlsAndEachClickWritesItsValue) {
  using S = TformSettings;
  const struct {
    std::optional<std::int32_t> flags;  // all four booleans, over what an earlier showing left
    std::optional<std::string> path;
    void (S::*click)();
    const char* name;  // the value the click writes
    const char* shown;
    std::int32_t stored;
  } cases[] = {
      {std::nullopt, std::nullopt, nullptr, "", "0000 Directory Not Set", 0},
      {0, "C:\\TTD", &S::itemRunTTDClick, "RunType", "1000 C:\\TTD", 1},
      {2, "", &S::itemRunTTDPatchClick, "RunType", "0111 ", 0},
      {0, "", &S::itemActionParamClick, "DoubleClickAction", "0100 ", 1},
      {1, "", &S::itemActionInfoClick, "DoubleClickAction", "1011 ", 0},
      {0, "", &S::cboxSaveAndRunClick, "SaveAndRun", "0010 ", 1},
      {1, "", &S::cboxNoOverwriteConfirmationClick, "NoOverwriteConfirmation", "1110 ", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    SettingsFixture f;
    for (const char* name : {"RunType", "DoubleClickAction", "SaveAndRun", "NoOverwriteConfirmation"}) {
      if (c.flags) f.Put(name, *c.flags);
    }
    if (c.path) f.Put(setting::kTtdPath, *c.path);
    std::copy_n(c.flags.value_or(0) ? "0000" : "1111", 4, f.settingsView.state);
    f.manager.Settings1Click();
    EXPECT_EQ(1, f.settingsView.shown);
    // A check box has its new state when its click handler runs.
    if (c.click == &S::cboxSaveAndRunClick) f.settingsView.state[2] = '1';
    if (c.click == &S::cboxNoOverwriteConfirmationClick) f.settingsView.state[3] = '0';
    if (c.click) {
      (f.form.*c.click)();
      EXPECT_EQ(c.stored, f.Settings().ReadInteger(c.name));
    }
    EXPECT_EQ(c.shown, f.settingsView.Shown());
  }
  // A failed write leaves the control as the click set it; the error tells the rest.
  SettingsFixture f;
  f.platform.registry.failWrites = true;
  EXPECT_THROW(f.form.itemRunTTDClick(), OperationError);
  EXPECT_EQ("1000 ?", f.settingsView.Shown());
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
  EXPECT_EQ(std::tuple(""s, 0, "b.grf O"s), std::tuple(dialogs.browseLastDirectory, f.settingsView.shown, f.Listed()));
  chosen.Write("ttdx.exe", "");
  EXPECT_TRUE(dialogs.browseAccept(chosen.path()) && !dialogs.browseAccept(f.ttd.path()));
  // A cancelled browser, which preselects the folder chosen last, changes nothing.
  const int redraws = f.view.listChanges;
  dialogs.ExpectBrowse(std::nullopt);
  f.form.Button1Click();
  EXPECT_EQ(std::tuple(chosen.path(), chosen.path(), "0000 " + chosen.path(), redraws),
            std::tuple(dialogs.browseLastDirectory, f.Settings().ReadString(setting::kTtdPath),
                       f.settingsView.Shown(), f.view.listChanges));
}

}  // namespace
}  // namespace kestrav
