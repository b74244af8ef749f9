#include "ui/win32/grf_list_box.h"

#include <commctrl.h>
#include <vsstyle.h>
#include <windowsx.h>

#include <string>

#include "platform/operation_error.h"
#include "ui/win32/fixed_form.h"
#include "ui/win32/message_guard.h"

namespace kestrav::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;
// The check box is 13 pixels square, one pixel in from the item's left edge.
constexpr int kCheckBoxSide = 13;
constexpr int kTextIndent = kCheckColumnWidth + 2;
// The marker: a disc 7 pixels across, 3 pixels in from the row's right end.
constexpr int kMarkerSide = 7;
constexpr int kMarkerMargin = 3;
// A tip of several findings wraps at this width and stays while the mouse rests.
constexpr int kTipWidth = 320;
constexpr int kTipShownMs = 30000;

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return ::SendMessageA(window, message, wParam, lParam);
}

// The grayed state is a grey mark: a checked box drawn inactive.
int ThemeState(GrfState state, bool disabled) {
  switch (state) {
    case GrfState::Active: return disabled ? CBS_CHECKEDDISABLED : CBS_CHECKEDNORMAL;
    case GrfState::Inactive: return CBS_CHECKEDDISABLED;
    case GrfState::Off: break;
  }
  return disabled ? CBS_UNCHECKEDDISABLED : CBS_UNCHECKEDNORMAL;
}

UINT FrameState(GrfState state, bool disabled) {
  UINT flags = DFCS_BUTTONCHECK;
  if (state != GrfState::Off) flags |= DFCS_CHECKED;
  if (disabled || state == GrfState::Inactive) flags |= DFCS_INACTIVE;
  return flags;
}

GrfState StateOfItemData(ULONG_PTR data) {
  switch (data) {
    case static_cast<ULONG_PTR>(GrfState::Active): return GrfState::Active;
    case static_cast<ULONG_PTR>(GrfState::Inactive): return GrfState::Inactive;
    default: return GrfState::Off;
  }
}

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

void DrawMarker(HDC dc, const RECT& row, MarkerColour colour) {
  const bool red = colour == MarkerColour::Red;
  const UniqueBrush fill(::CreateSolidBrush(red ? RGB(210, 30, 30) : RGB(245, 165, 0)));
  const UniquePen edge(::CreatePen(PS_SOLID, 1, red ? RGB(130, 0, 0) : RGB(150, 95, 0)));
  if (!fill || !edge) return;
  const int top = row.top + (row.bottom - row.top - kMarkerSide) / 2;
  const int left = row.right - kMarkerMargin - kMarkerSide;
  const SelectedObject brush(dc, fill.get());
  const SelectedObject pen(dc, edge.get());
  ::Ellipse(dc, left, top, left + kMarkerSide, top + kMarkerSide);
}

}  // namespace

GrfListBox::~GrfListBox() {
  if (window_) ::RemoveWindowSubclass(window_, SubclassProc, kSubclassId);
}

void GrfListBox::Create(HWND parent, UINT id, HFONT font) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | WS_CLIPSIBLINGS | LBS_OWNERDRAWFIXED |
                      LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  window_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", style, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleA(nullptr), nullptr);
  if (!window_) throw OperationError("Cannot create the GRF list");
  Send(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  Send(window_, LB_SETITEMHEIGHT, 0, kListItemHeight);
  if (!::SetWindowSubclass(window_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    throw OperationError("Cannot create the GRF list");
  }
  ThemeChanged();

  // One tool over the marker under the pointer, given its rectangle and text as the pointer
  // moves; the list relays its mouse messages itself, after pointing the tool.
  tip_ = CreateToolTip(window_);
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = window_;
  tool.lpszText = const_cast<char*>("");
  if (!tip_ || !Send(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) {
    throw OperationError("Cannot create the GRF list");
  }
  Send(tip_, TTM_SETMAXTIPWIDTH, 0, kTipWidth);
  Send(tip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, kTipShownMs);
}

void GrfListBox::SetMarkers(const std::vector<ItemMarker>& markers) {
  markers_ = markers;
  PointTipAt(-1);  // a tip shown stays true to its row
  if (window_) ::InvalidateRect(window_, nullptr, FALSE);
}

const ItemMarker* GrfListBox::MarkerOf(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= markers_.size()) return nullptr;
  const ItemMarker& marker = markers_[static_cast<std::size_t>(index)];
  return marker.colour == MarkerColour::None ? nullptr : &marker;
}

int GrfListBox::MarkerAt(int x, int y) const {
  const int index = ItemAtPoint(x, y, false);
  RECT client{};
  ::GetClientRect(window_, &client);
  return index >= 0 && x >= client.right - kMarkerColumnWidth && MarkerOf(index) ? index : -1;
}

void GrfListBox::PointTipAt(int index) {
  if (!tip_ || index == tipIndex_) return;
  Send(tip_, TTM_POP);
  tipIndex_ = index;
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = window_;
  const ItemMarker* marker = MarkerOf(index);
  if (marker) {
    ::GetClientRect(window_, &tool.rect);
    tool.rect.left = tool.rect.right - kMarkerColumnWidth;
    tool.rect.top = (index - static_cast<int>(Send(window_, LB_GETTOPINDEX))) * kListItemHeight;
    tool.rect.bottom = tool.rect.top + kListItemHeight;
  }
  Send(tip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
  tool.lpszText = const_cast<char*>(marker ? marker->tip.c_str() : "");
  Send(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void GrfListBox::RelayToTip(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!tip_) return;
  const POINT point = PointOf(lParam);
  if (message == WM_MOUSEMOVE) PointTipAt(dragging_ ? -1 : MarkerAt(point.x, point.y));
  MSG relayed{window_, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
  ::GetCursorPos(&relayed.pt);
  Send(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void GrfListBox::ThemeChanged() {
  // No theme (classic look, or none installed): the check boxes are drawn as frame controls.
  theme_.reset(::OpenThemeData(window_, L"BUTTON"));
}

void GrfListBox::Show(const GrfCheckList& list) {
  if (!window_) return;
  const LRESULT top = Send(window_, LB_GETTOPINDEX);
  Send(window_, WM_SETREDRAW, FALSE);
  Send(window_, LB_RESETCONTENT);
  for (const GrfItem& item : list.Items()) {
    const LRESULT index = Send(window_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
    if (index < 0) break;  // out of memory: the list shows what it could take
    Send(window_, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(item.state));
  }
  if (top > 0 && top < list.Count()) Send(window_, LB_SETTOPINDEX, static_cast<WPARAM>(top));
  Send(window_, LB_SETCURSEL, static_cast<WPARAM>(list.Selected()));
  Send(window_, WM_SETREDRAW, TRUE);
  ::EnableWindow(window_, list.enabled ? TRUE : FALSE);
  ::InvalidateRect(window_, nullptr, TRUE);
}

void GrfListBox::DrawCheckBox(HDC dc, const RECT& box, GrfState state, bool disabled) const {
  if (theme_ &&
      SUCCEEDED(::DrawThemeBackground(theme_.get(), dc, BP_CHECKBOX, ThemeState(state, disabled), &box, nullptr))) {
    return;
  }
  RECT frame = box;
  ::DrawFrameControl(dc, &frame, DFC_BUTTON, FrameState(state, disabled));
}

void GrfListBox::Draw(const DRAWITEMSTRUCT& item) const {
  if (item.itemID == static_cast<UINT>(-1)) return;  // an empty list with the focus
  const HDC dc = item.hDC;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = !::IsWindowEnabled(window_);

  RECT column = item.rcItem;
  column.right = column.left + kCheckColumnWidth;
  ::FillRect(dc, &column, ::GetSysColorBrush(COLOR_WINDOW));
  const int boxTop = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - kCheckBoxSide) / 2;
  const RECT box{column.left + 1, boxTop, column.left + 1 + kCheckBoxSide, boxTop + kCheckBoxSide};
  DrawCheckBox(dc, box, StateOfItemData(item.itemData), disabled);

  RECT text = item.rcItem;
  text.left += kCheckColumnWidth;
  ::FillRect(dc, &text, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const LRESULT length = Send(window_, LB_GETTEXTLEN, item.itemID);
  if (length > 0) {
    std::string entry(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = Send(window_, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    const int mode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF color = ::SetTextColor(
        dc, ::GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT textArea = text;
    textArea.left = item.rcItem.left + kTextIndent;
    if (MarkerOf(static_cast<int>(item.itemID))) textArea.right -= kMarkerColumnWidth;
    ::DrawTextA(dc, entry.c_str(), static_cast<int>(entry.size()), &textArea,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    ::SetTextColor(dc, color);
    ::SetBkMode(dc, mode);
  }
  if (const ItemMarker* marker = MarkerOf(static_cast<int>(item.itemID))) DrawMarker(dc, item.rcItem, marker->colour);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) ::DrawFocusRect(dc, &text);
}

int GrfListBox::ItemAtPoint(int x, int y, bool pastEnd) const {
  if (!window_) return -1;
  RECT client{};
  ::GetClientRect(window_, &client);
  if (!::PtInRect(&client, POINT{x, y})) return -1;
  const int top = static_cast<int>(Send(window_, LB_GETTOPINDEX));
  const int count = static_cast<int>(Send(window_, LB_GETCOUNT));
  const int index = top + (y - client.top) / kListItemHeight;
  if (index < count) return index;
  return pastEnd ? count : -1;
}

bool GrfListBox::OverList(POINT clientPoint) const {
  POINT screen = clientPoint;
  ::ClientToScreen(window_, &screen);
  RECT frame{};
  ::GetWindowRect(window_, &frame);
  return ::PtInRect(&frame, screen) != FALSE;
}

void GrfListBox::ShowDragCursor(POINT clientPoint) const {
  ::SetCursor(::LoadCursorA(nullptr, OverList(clientPoint) ? IDC_SIZENS : IDC_NO));
}

void GrfListBox::DragStarted() {
  dragging_ = true;
  ::SetCapture(window_);
  POINT point{};
  ::GetCursorPos(&point);
  ::ScreenToClient(window_, &point);
  ShowDragCursor(point);
}

void GrfListBox::DragEnded() {
  dragging_ = false;
  if (::GetCapture() == window_) ::ReleaseCapture();
  ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
}

LRESULT CALLBACK GrfListBox::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                                          DWORD_PTR self) {
  auto& list = *reinterpret_cast<GrfListBox*>(self);
  if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(window, SubclassProc, kSubclassId);
    list.window_ = nullptr;
    return ::DefSubclassProc(window, message, wParam, lParam);
  }
  return Guarded(list.dialogs_, 0, [&] { return list.Handle(message, wParam, lParam); });
}

// The list box's own handling of presses (selection, capture, its drag-select) is left
// out: the controller selects, toggles and drags. Keys other than space move the
// selection the list box's way, which it then reports with LBN_SELCHANGE.
LRESULT GrfListBox::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT point = PointOf(lParam);
  if (message == WM_MOUSEMOVE || (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK)) {
    RelayToTip(message, wParam, lParam);
  }
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      ::SetFocus(window_);
      manager_.ListButtonDown(MouseButton::Left, point.x, point.y, message == WM_LBUTTONDBLCLK);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      manager_.ListButtonDown(MouseButton::Right, point.x, point.y, false);
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      manager_.ListButtonDown(MouseButton::Middle, point.x, point.y, false);
      return 0;
    case WM_MOUSEMOVE:
      manager_.ListMouseMove(point.x, point.y, (wParam & MK_LBUTTON) != 0);
      if (dragging_) ShowDragCursor(point);
      return 0;
    case WM_LBUTTONUP:
      manager_.ListLeftButtonUp(point.x, point.y, OverList(point));
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window_) manager_.ListCancelDrag();
      break;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) {
        manager_.ListSpaceKey();
        return 0;
      }
      if (wParam == VK_ESCAPE) manager_.ListCancelDrag();
      break;
    case WM_CHAR:
      if (wParam == ' ') return 0;  // the toggle, not a search for a blank
      break;
    case WM_THEMECHANGED:
      ThemeChanged();
      break;
    default:
      break;
  }
  return ::DefSubclassProc(window_, message, wParam, lParam);
}

}  // namespace kestrav::win32
