#pragma once
// The settings dialog's controller: it fills the dialog's controls from the settings key,
// writes each value the moment its control is clicked, and carries "Change Directory" with
// the dialog's own folder browser.
#include <string>

#include "platform/platform.h"

namespace kestrav {

class TformManager;

enum class SettingsBox { SaveAndRun, NoOverwriteConfirmation };

// What the controller asks of the dialog's window.
class SettingsView {
 public:
  virtual ~SettingsView() = default;
  // itemRunTTD (true) or itemRunTTDPatch selected.
  virtual void SelectRunTtd(bool runTtd) = 0;
  // itemActionParam (true) or itemActionInfo selected.
  virtual void SelectActionParam(bool actionParam) = 0;
  virtual void SetChecked(SettingsBox box, bool checked) = 0;
  virtual bool IsChecked(SettingsBox box) const = 0;
  // The read-only path box lablPath.
  virtual void SetPathText(const std::string& text) = 0;
  // Shows the dialog modally; returns when it is closed.
  virtual void ShowModal() = 0;
  virtual void Close() = 0;
};

class TformSettings {
 public:
  TformSettings(Platform& platform, TformManager& manager, SettingsView& view);

  // Every control from the settings key: the first half of the main window's Settings1Click.
  void FillFromSettings();
  void ShowModal() { view_.ShowModal(); }

  void itemRunTTDPatchClick();
  void itemRunTTDClick();
  void itemActionInfoClick();
  void itemActionParamClick();
  void cboxSaveAndRunClick();
  void cboxNoOverwriteConfirmationClick();
  // "Change Directory": a confirmed folder becomes "TTD Path" and the list is loaded from it.
  void Button1Click();
  void butnCloseClick() { view_.Close(); }
  // The folder browser's selection check: accept is set when path holds the game or the patch.
  void dlgBrowseSelChanged(const std::string& path, bool& accept);

  // The last folder chosen with this dialog's browser, preselected the next time it opens.
  std::string dlgBrowseLastDirectory;

 private:
  void Write(const char* name, bool value);

  Platform& platform_;
  TformManager& manager_;
  SettingsView& view_;
};

}  // namespace kestrav
