#pragma once
// The settings dialog TformSettings on screen: its controls at their pixel places in tab
// order. Clicks go to the controller, which writes each setting at once.
#include <windows.h>

#include "platform/platform.h"
#include "ui/form_settings.h"
#include "ui/win32/fixed_form.h"

namespace kestrav::win32 {

class SettingsWindow final : public FixedForm, public SettingsView {
 public:
  // Hidden until Settings1Click shows it, centred over owner (the main window).
  SettingsWindow(Platform& platform, TformManager& manager, HWND owner);

  TformSettings& form() { return form_; }

  // SettingsView.
  void SelectRunTtd(bool runTtd) override;
  void SelectActionParam(bool actionParam) override;
  void SetChecked(SettingsBox box, bool checked) override;
  bool IsChecked(SettingsBox box) const override;
  void SetPathText(const std::string& text) override;
  void ShowModal() override { FixedForm::ShowModal(); }
  void Close() override { EndModal(); }

 private:
  void OnCommand(UINT id, UINT code, HWND control) override;

  UniqueFont bold_;
  TformSettings form_;
};

}  // namespace kestrav::win32
