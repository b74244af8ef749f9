#pragma once
// A main window controller on a TTD directory of its own, with settings in memory, scripted
// boxes and a patch that starts and writes nothing.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "environment/settings_store.h"
#include "platform/operation_error.h"
#include "support/grf_builder.h"
#include "support/recording_view.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"
#include "ui/form_manager.h"

namespace kestrav::test {

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
  // On a TTD directory holding these empty files.
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
