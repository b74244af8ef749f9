#pragma once
// The log creator TformLog on screen: the disabled "Include" group, the "Output Format"
// radio group, "Create", "Close", the progress bar and the two notes. It turns clicks into
// the controller's handlers and shows what the controller asks.
#include <windows.h>

#include "log/form_log.h"
#include "platform/platform.h"
#include "ui/win32/fixed_form.h"

namespace kestrav::win32 {

inline constexpr const char* kLogCreatorCaption = "Log Creator";

// Control ids, in tab order.
inline constexpr UINT kIncludeGroupId = 100;
inline constexpr UINT kFirstIncludeBoxId = 101;  // six boxes: 101 to 106
inline constexpr UINT kFormatGroupId = 107;
inline constexpr UINT kTxtItemId = 108;
inline constexpr UINT kHtmlItemId = 109;
inline constexpr UINT kCreateButtonId = 110;
inline constexpr UINT kCloseButtonId = 111;
inline constexpr UINT kProgressBarId = 112;
inline constexpr UINT kFirstNoteId = 113;  // two labels: 113 and 114

class LogWindow : public FixedForm, public LogView {
 public:
  // Makes the hidden dialog, owned by owner, and runs FormCreate.
  LogWindow(Platform& platform, HWND owner, TformManager& manager);

  TformLog& form() { return form_; }

  // LogView.
  void SelectFormat(int index) override;
  void SetProgressMax(int max) override;
  void SetProgress(int position) override;
  void RunModal() override { ShowModal(); }
  void Close() override { EndModal(); }

 private:
  void OnCommand(UINT id, UINT code, HWND control) override;
  void CreateControls();

  TformLog form_;
};

}  // namespace kestrav::win32
