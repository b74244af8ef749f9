#pragma once
// What the main window's controller asks of its window. The Win32 window implements it;
// tests record it.
#include <string>

namespace kestrav {

// The main window's commands whose enabled state the controller sets.
enum class Command {
  Save,       // butnSave
  Add,        // Add1
  Delete,     // butnDelete
  Quit,       // Exit1
  Settings,   // Settings1
  FileInfo,   // butnFileInfo
  Parameter,  // butnParameter
  Notepad,    // butnNotepad
  MakeLog,    // butnMakeLog
  Help,       // Help1
  About,      // butnInfo
  Run,        // butnRun
};

class ManagerView {
 public:
  virtual ~ManagerView() = default;
  virtual void SetCommandEnabled(Command command, bool enabled) = 0;
  virtual bool IsCommandEnabled(Command command) const = 0;
  virtual void ShowSelectDirectoryButton(bool shown) = 0;
  // The check list's items, states, selection or enabled state changed: redraw it.
  virtual void ListChanged() = 0;
  virtual void SetStatusText(int panel, const std::string& text) = 0;
};

}  // namespace kestrav
