#pragma once
// listGrfFiles on screen: an owner-drawn list box showing the controller's check list with a
// check box per item. It hands its mouse and key messages to the controller, which decides
// what they do, and draws whatever the controller's list holds after each change.
#include <windows.h>

#include <vector>

#include "model/grf_check_list.h"
#include "platform/dialogs.h"
#include "ui/form_manager.h"
#include "ui/list_markers.h"
#include "ui/win32/window_handles.h"

namespace kestrav::win32 {

inline constexpr int kListItemHeight = 13;
// The check box column at the left edge of each item; a press there toggles.
inline constexpr int kCheckColumnWidth = 16;
// The marker column at the right end of a row that has a marker; the mouse held over it
// shows the marker's tip.
inline constexpr int kMarkerColumnWidth = 13;

class GrfListBox {
 public:
  GrfListBox(TformManager& manager, Dialogs& dialogs) : manager_(manager), dialogs_(dialogs) {}
  ~GrfListBox();
  GrfListBox(const GrfListBox&) = delete;
  GrfListBox& operator=(const GrfListBox&) = delete;

  // A child of parent; the parent passes WM_MEASUREITEM and WM_DRAWITEM on to this list.
  void Create(HWND parent, UINT id, HFONT font);
  HWND handle() const { return window_; }

  // Takes over the items, states, selection and enabled state of list; keeps the scroll
  // position where the items allow it.
  void Show(const GrfCheckList& list);
  void Draw(const DRAWITEMSTRUCT& item) const;
  // The marker of each item, in list order.
  void SetMarkers(const std::vector<ItemMarker>& markers);
  // The tool tip that shows a marker's findings.
  HWND markerTip() const { return tip_; }
  void ThemeChanged();

  int ItemAtPoint(int x, int y, bool pastEnd) const;
  static bool InCheckBox(int x, int y) { return x >= 0 && x < kCheckColumnWidth && y >= 0; }

  void DragStarted();
  void DragEnded();

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  bool OverList(POINT clientPoint) const;
  void ShowDragCursor(POINT clientPoint) const;
  void DrawCheckBox(HDC dc, const RECT& box, GrfState state, bool disabled) const;
  const ItemMarker* MarkerOf(int index) const;
  // The item whose marker is at (x, y) of the client area, or -1.
  int MarkerAt(int x, int y) const;
  // Points the tip at the marker under the pointer, if any, and passes the message on to it.
  void RelayToTip(UINT message, WPARAM wParam, LPARAM lParam);
  void PointTipAt(int index);

  TformManager& manager_;
  Dialogs& dialogs_;
  HWND window_ = nullptr;
  UniqueTheme theme_;
  HWND tip_ = nullptr;  // owned by the top-level window, which destroys it with itself
  std::vector<ItemMarker> markers_;
  int tipIndex_ = -1;  // the item whose marker the tip is on
  bool dragging_ = false;
};

}  // namespace kestrav::win32
