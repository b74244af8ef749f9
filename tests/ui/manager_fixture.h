#pragma once
// A main window controller on a TTD directory of its own, with settings in memory, scripted
// boxes and a patch that starts and writes nothing.
#include <string>
#include <vector>

#include "environment/settings_store.h"
#include "support/recording_view.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"
#include "ui/form_manager.h"

namespace kestrav::test {

// GRF files whose sprite counts are plain to see.
inline const std::string kNoSprites("\x00\x00", 2);
inline const std::string kOneNormalSprite("\x01\x00\x02\x00\x00", 5);
inline const std::string kOnePseudoSprite("\x01\x00\xFF\x01\x00\x00", 6);

struct ListItem {
  std::string text;
  GrfState state;
  bool operator==(const ListItem&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const ListItem& item) {
  const char* words[] = {"Active", "Inactive", "Off"};
  return out << "{\"" << item.text << "\", " << words[static_cast<int>(item.state)] << "}";
}

inline std::vector<ListItem> ItemsOf(const GrfCheckList& list) {
  std::vector<ListItem> items;
  for (const auto& item : list.Items()) items.push_back({item.text, item.state});
  return items;
}

inline void PutString(MemoryRegistry& registry, const std::string& name, const std::string& text) {
  registry.Put(kSettingsKeyPath, name, RegistryValue{kRegSz, text + '\0'});
}

inline void PutDword(MemoryRegistry& registry, const std::string& name, std::uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
  registry.Put(kSettingsKeyPath, name, RegistryValue{kRegDword, bytes});
}

struct ManagerFixture {
  ManagerFixture() {
    platform.processes.onRun = [](const std::string&) { return ProcessOutcome::Exited; };
    view.list = &manager.listGrfFiles;
  }
  void UseTtdDirectory() { PutString(platform.registry, setting::kTtdPath, ttd.path()); }
  std::vector<ListItem> Items() const { return ItemsOf(manager.listGrfFiles); }

  TempDir ttd;
  TestPlatform platform;
  RecordingView view;
  TformManager manager{platform.ports, view};
};

}  // namespace kestrav::test
