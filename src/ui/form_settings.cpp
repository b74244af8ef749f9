#include "ui/form_settings.h"

#include "environment/directory_selection.h"
#include "environment/settings_store.h"
#include "ui/form_manager.h"

namespace kestrav {
namespace {

constexpr const char* kDirectoryNotSet = "Directory Not Set";

}  // namespace

TformSettings::TformSettings(Platform& platform, TformManager& manager, SettingsView& view)
    : platform_(platform), manager_(manager), view_(view) {}

void TformSettings::FillFromSettings() {
  SettingsStore settings(platform_.registry);
  settings.Open(true);
  view_.SelectRunTtd(settings.ReadFlag(setting::kRunType));
  view_.SelectActionParam(settings.ReadFlag(setting::kDoubleClickAction));
  view_.SetChecked(SettingsBox::SaveAndRun, settings.ReadFlag(setting::kSaveAndRun));
  view_.SetChecked(SettingsBox::NoOverwriteConfirmation, settings.ReadFlag(setting::kNoOverwriteConfirmation));
  view_.SetPathText(settings.ValueExists(setting::kTtdPath) ? settings.ReadString(setting::kTtdPath)
                                                            : kDirectoryNotSet);
}

void TformSettings::Write(const char* name, bool value) {
  SettingsStore settings(platform_.registry);
  settings.Open(true);
  settings.WriteBool(name, value);
}

// A failed write leaves the control as the click set it; the error box tells the rest.
void TformSettings::itemRunTTDPatchClick() {
  view_.SelectRunTtd(false);
  Write(setting::kRunType, false);
}

void TformSettings::itemRunTTDClick() {
  view_.SelectRunTtd(true);
  Write(setting::kRunType, true);
}

void TformSettings::itemActionInfoClick() {
  view_.SelectActionParam(false);
  Write(setting::kDoubleClickAction, false);
}

void TformSettings::itemActionParamClick() {
  view_.SelectActionParam(true);
  Write(setting::kDoubleClickAction, true);
}

void TformSettings::cboxSaveAndRunClick() {
  Write(setting::kSaveAndRun, view_.IsChecked(SettingsBox::SaveAndRun));
}

void TformSettings::cboxNoOverwriteConfirmationClick() {
  Write(setting::kNoOverwriteConfirmation, view_.IsChecked(SettingsBox::NoOverwriteConfirmation));
}

void TformSettings::Button1Click() {
  SettingsStore settings(platform_.registry);
  settings.Open(true);
  const auto chosen = platform_.dialogs.BrowseForFolder(kBrowseTitle, dlgBrowseLastDirectory,
                                                        [this](const std::string& path) {
                                                          bool accept = false;
                                                          dlgBrowseSelChanged(path, accept);
                                                          return accept;
                                                        });
  if (!chosen) return;
  dlgBrowseLastDirectory = *chosen;
  settings.WriteString(setting::kTtdPath, *chosen);
  view_.SetPathText(settings.ReadString(setting::kTtdPath));
  manager_.InitializeGrf();
}

void TformSettings::dlgBrowseSelChanged(const std::string& path, bool& accept) {
  accept = HoldsGameOrPatch(platform_.files, path);
}

}  // namespace kestrav
