#pragma once
// What the main window's controller asks of its window. The Win32 window implements it;
// tests record it.
#include <string>
#include <vector>

#include "environment/window_geometry.h"
#include "ui/list_markers.h"

namespace kestrav {

// The main window's commands: its menu items and the button over the list.
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
  SelectTtdDirectory,  // butnSelectTTDdir, the push button shown while no directory is set
};

class ManagerView {
 public:
  virtual ~ManagerView() = default;

  // Menu items enabled or disabled; a disabled one runs by no menu, shortcut or double click.
  virtual void SetCommandEnabled(Command command, bool enabled) = 0;
  virtual bool IsCommandEnabled(Command command) const = 0;
  virtual void ShowSelectDirectoryButton(bool shown) = 0;

  // The check list's items, states, selection or enabled state changed: redraw it.
  virtual void ListChanged() = 0;
  virtual void SetStatusText(int panel, const std::string& text) = 0;

  // What only a real window has; a view without one (the console companion) keeps these
  // defaults.

  // The item whose rectangle holds the point (x, y) of the list's client area. A point in
  // the client area below the last item gives the number of items when pastEnd is set and
  // -1 otherwise; a point outside the client area gives -1.
  virtual int ItemAtPoint(int /*x*/, int /*y*/, bool /*pastEnd*/) const { return -1; }
  // Whether (x, y) of the list's client area lies in the check box of the item there.
  virtual bool InCheckBox(int /*x*/, int /*y*/) const { return false; }
  // A drag of the list's own items begins or ends: the window captures the mouse and shows
  // the drag cursor while it runs.
  virtual void DragStarted() {}
  virtual void DragEnded() {}

  // The marker of each item, in list order, to draw at the right end of its row.
  virtual void SetMarkers(const std::vector<ItemMarker>& /*markers*/) {}

  // The width of a status bar panel; the last one takes the rest of the bar.
  virtual void SetStatusPanelWidth(int /*panel*/, int /*width*/) {}

  // The window's place and size in screen pixels; for a minimized or maximized window the
  // place and size it is restored to.
  virtual WindowBounds Bounds() const { return {}; }
  virtual void SetBounds(const WindowBounds& /*bounds*/) {}

  // Asks the window to close, exactly as its close button does.
  virtual void RequestClose() {}
  // Tells the application to end once control is back in the message loop.
  virtual void EndApplication() {}
};

}  // namespace kestrav
