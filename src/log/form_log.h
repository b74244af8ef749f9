#pragma once
// The log creator's controller: the output format it keeps in the settings, and the two
// writers of the report of the main window's list.
#include "log/log_format.h"
#include "log/log_view.h"
#include "platform/platform.h"

namespace kestrav {

class TformManager;

// The items of the radio group "Output Format".
inline constexpr int kFormatNone = -1;
inline constexpr int kFormatTxt = 0;
inline constexpr int kFormatHtml = 1;

class TformLog {
 public:
  // The log reports manager's list and totals.
  TformLog(Platform& platform, LogView& view, TformManager& manager);

  // Once, when the dialog is made: the format from "OutputFormat".
  void FormCreate();
  // The main window's command: the progress bar for its entryCount entries at 0, then the
  // dialog, modally.
  void ShowModal(int entryCount);

  void groupFormatClick(int index);
  // "Create": the log in the selected format; nothing without one.
  void Button1Click();
  void Button2Click();

  // Ask for a file and write the log of the list to it in one piece.
  void TXT();
  void HTML();

  int selectedFormat() const { return itemIndex_; }

 private:
  void Write(const LogFormat& format);

  Platform& platform_;
  LogView& view_;
  TformManager& manager_;
  int itemIndex_ = kFormatNone;
};

}  // namespace kestrav
