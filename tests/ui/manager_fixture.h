#pragma once
// A main window controller on a TTD directory of its own, with settings in memory, scripted
// boxes and a patch that starts and writes nothing.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "environment/settings_store.h"
#include "support/grf_builder.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"
#include "ui/form_manager.h"
#include "ui/manager_view.h"

namespace kestrav::test {

// Records what the controller asked of its view. Its list has items 13 pixels high from the
// top of a client area of 300 x 300 pixels, with check boxes in the first 16 pixels.
class RecordingView : public ManagerView {
 public:
  void SetCommandEnabled(Command command, bool enabled) override { enabled_[command] = enabled; }
  bool IsCommandEnabled(Command command) const override { return !enabled_.contains(command) || enabled_.at(command); }
  void ShowSelectDirectoryButton(bool shown) override { selectDirectoryShown = shown; }
  void ListChanged() override { ++listChanges; }
  int ItemAtPoint(int x, int y, bool pastEnd) const override {
    if (x < 0 || y < 0 || x >= 300 || y >= 300) return -1;
    const int count = list ? list->Count() : 0;
    return y / 13 < count ? y / 13 : pastEnd ? count : -1;
  }
  bool InCheckBox(int x, int /*y*/) const override { return x >= 0 && x < 16; }
  void DragStarted() override { dragging = true; }
  void DragEnded() override { dragging = false; }
  void SetStatusText(int panel, const std::string& text) override { status[panel] = text; }
  void SetMarkers(const std::vector<ItemMarker>& shown) override { markers = shown; }
  void SetStatusPanelWidth(int, int) override {}
  WindowBounds Bounds() const override { return bounds; }
  void SetBounds(const WindowBounds& b) override { bounds = b; }
  void RequestClose() override {}
  void EndApplication() override { ended = true; }

  const GrfCheckList* list = nullptr;  // the items the view shows
  bool selectDirectoryShown = false, dragging = false, ended = false;
  int listChanges = 0;
  std::map<int, std::string> status;
  std::vector<ItemMarker> markers;
  WindowBounds bounds;

 private:
  std::map<Command, bool> enabled_;
};

inline std::string GrfOf(int normalSprites) {
  GrfBuilder grf;
  for (int i = 0; i < normalSprites; ++i) grf.Stored(1);
  return grf.Terminator().bytes();
}

// Sees which of the two commands a double click chooses between ran.
class WatchedManager : public TformManager {
 public:
  using TformManager::TformManager;
  void butnFileInfoClick() override { ran += "info;"; }
  void butnParameterClick() override { ran += "param;"; }
  std::string ran;
};

struct ManagerFixture {
  ManagerFixture() {
    platform.processes.onRun = [](const std::string&) { return ProcessOutcome::Exited; };
    view.list = &manager.listGrfFiles;
  }
  explicit ManagerFixture(std::initializer_list<const char*> files) : ManagerFixture() {
    UseTtdDirectory();
    for (const char* file : files) ttd.Write(file, "");
  }
  SettingsStore Settings() {
    SettingsStore settings(platform.registry);
    settings.Open(true);
    return settings;
  }
  void Put(const std::string& name, const std::string& text) { Settings().WriteString(name, text); }
  void Put(const std::string& name, std::int32_t value) { Settings().WriteInteger(name, value); }
  void UseTtdDirectory() { Put(setting::kTtdPath, ttd.path()); }
  void Add(std::initializer_list<std::pair<const char*, GrfState>> items) {
    for (const auto& [text, state] : items) manager.listGrfFiles.Add(text, state);
  }

  // Each item's text without "newgrf/" and its state's initial, as "a.grf 1 A, b.grf O".
  std::string Listed() const {
    std::string listed;
    for (const auto& item : manager.listGrfFiles.Items()) {
      listed += (listed.empty() ? "" : ", ") + item.text.substr(item.text.find('/') + 1) + " " + "AIO"[int(item.state)];
    }
    return listed;
  }
  std::vector<Command> EnabledCommands() const {
    std::vector<Command> enabled;
    for (int i = 0; i <= static_cast<int>(Command::Run); ++i) {
      if (view.IsCommandEnabled(static_cast<Command>(i))) enabled.push_back(static_cast<Command>(i));
    }
    return enabled;
  }
  void ExpectTotals(int total, int inactive) {
    EXPECT_EQ(std::tuple(total, inactive), std::tuple(manager.spritesTotal, manager.spritesInactive));
    EXPECT_EQ("Total Sprites: " + std::to_string(total), view.status[0]);
    EXPECT_EQ("Active Sprites: " + std::to_string(total - inactive), view.status[1]);
  }

  TempDir ttd;
  TestPlatform platform;
  RecordingView view;
  WatchedManager manager{platform.ports, view};
};

}  // namespace kestrav::test
