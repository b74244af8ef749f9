#include "ui/win32/about_window.h"

#include <windowsx.h>

#include <utility>

#include "environment/program_identity.h"
#include "platform/operation_error.h"
#include "ui/win32/resource_ids.h"

namespace kestrav::win32 {
namespace {

enum : UINT { kMemo = 100, kClose, kVersionTip, kAuthorTip, kHomepageTip, kMailTip, kLogoTip };

constexpr int kClientWidth = 325;
constexpr int kClientHeight = 250;
constexpr PixelRect kLogoRect{183, 3, 33, 33};
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr const char* kLoadFailed = "Cannot create a window";

constexpr COLORREF ColourOf(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

RECT ToRect(PixelRect rect) { return RECT{rect.left, rect.top, rect.left + rect.width, rect.top + rect.height}; }

template <class Handle>
Handle LoadResourceImage(int id, UINT type, int width, int height) {
  auto* image = static_cast<Handle>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), type, width,
                                                 height, 0));
  if (!image) throw OperationError(kLoadFailed);
  return image;
}

// Copies bitmap to (0, 0) of dc.
void DrawBitmap(HDC dc, HBITMAP bitmap, int width, int height) {
  const UniqueMemoryDc source(::CreateCompatibleDC(dc));
  if (!source) return;
  const SelectedObject selected(source.get(), bitmap);
  ::BitBlt(dc, 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
}

}  // namespace

AboutWindow::AboutWindow(Platform& platform, HWND owner)
    : FixedForm(platform.dialogs, "About", owner, kClientWidth, kClientHeight, FormPlacement::ScreenCenter),
      title_(CreatePixelFont("Tahoma", 12, true)),
      bold_(CreateTahoma8(true)),
      link_(CreatePixelFont("Tahoma", 8, true, true)),
      background_(LoadResourceImage<HBITMAP>(KESTRAV_ABOUT_BACKGROUND, IMAGE_BITMAP, 0, 0)),
      logo_(LoadResourceImage<HICON>(KESTRAV_ICON, IMAGE_ICON, kLogoRect.width, kLogoRect.height)),
      form_(platform.shell, *this) {
  SetFormFont(CreatePixelFont("MS Sans Serif", 8));
  memo_ = Add("EDIT", kAboutText, WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
              {7, 40, 315, 177}, kMemo);
  Add("BUTTON", "Close", WS_TABSTOP | BS_DEFPUSHBUTTON, {247, 222, 75, 25}, kClose, "Close About dialog");
  SetDefaultAndCancel(kClose, kClose);

  AddLabel("Kestrav", FitText("Kestrav", title_.get(), 8, 6), title_.get());
  HintArea(labels_[AddLabel(kVersionLabel, {53, 24, 121, 13}, bold_.get(), DT_RIGHT)].rect, kVersionTip,
           "Newest version number with the date");
  HintArea(labels_[AddLabel("by Dravelin", {225, 26, 94, 13}, bold_.get(), DT_RIGHT)].rect, kAuthorTip, "Author");
  const HFONT standard = font();
  AddLabel("Homepage:", {34, 220, 55, 13}, standard, DT_RIGHT);
  AddLabel("E-Mail:", {57, 234, 32, 13}, standard, DT_RIGHT);
  const char* homepage = TformAbout::lablHomepageText();
  const char* mail = TformAbout::lablMailText();
  links_[0] = AddLabel(homepage, FitText(homepage, link_.get(), 96, 220), link_.get());
  links_[1] = AddLabel(mail, FitText(mail, link_.get(), 96, 234), link_.get());
  HintArea(labels_[links_[0]].rect, kHomepageTip, "Visit author homepage");
  HintArea(labels_[links_[1]].rect, kMailTip, "Send e-mail to author");
  HintArea(kLogoRect, kLogoTip, "Dravelin logo");
  SetLinkColour(AboutLink::Homepage, kLinkColour);
  SetLinkColour(AboutLink::Mail, kLinkColour);
}

std::size_t AboutWindow::AddLabel(const char* text, PixelRect rect, HFONT font, UINT alignment) {
  labels_.push_back(PaintedLabel{text, rect, font, kWhite, alignment});
  return labels_.size() - 1;
}

void AboutWindow::SetLinkColour(AboutLink link, Rgb colour) {
  PaintedLabel& label = labels_[links_[static_cast<int>(link)]];
  label.colour = ColourOf(colour);
  const RECT area = ToRect(label.rect);
  ::InvalidateRect(handle(), &area, FALSE);
}

void AboutWindow::OnCommand(UINT id, UINT code, HWND /*control*/) {
  if (id == kClose && code == BN_CLICKED) form_.butnCloseClick();
}

bool AboutWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_ERASEBKGND:  // the picture covers the whole client area
      *result = TRUE;
      return true;
    case WM_PAINT:
      Paint();
      return true;
    case WM_CTLCOLORSTATIC:  // the read-only memo keeps a window's colours
      if (reinterpret_cast<HWND>(lParam) != memo_) return false;
      ::SetTextColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_WINDOWTEXT));
      ::SetBkColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_WINDOW));
      *result = reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
      return true;
    case WM_SETCURSOR: {
      POINT cursor{};
      if (reinterpret_cast<HWND>(wParam) != handle() || LOWORD(lParam) != HTCLIENT || !::GetCursorPos(&cursor) ||
          !::ScreenToClient(handle(), &cursor) || !LinkAt(cursor)) {
        return false;
      }
      ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
      *result = TRUE;
      return true;
    }
    case WM_MOUSEMOVE:
      Hover(LinkAt(point));
      return true;
    case WM_MOUSELEAVE:
      Hover(std::nullopt);
      return true;
    case WM_LBUTTONDOWN:
      pressed_ = LinkAt(point);
      return true;
    case WM_LBUTTONUP: {
      const auto pressed = std::exchange(pressed_, std::nullopt);
      if (pressed && pressed == LinkAt(point)) Click(*pressed);
      return true;
    }
    default:
      return false;
  }
}

void AboutWindow::Paint() {
  const PaintScope paint(handle());
  if (!paint.dc()) return;
  DrawBitmap(paint.dc(), background_.get(), kClientWidth, kClientHeight);
  PaintLabels(paint.dc());
  ::DrawIconEx(paint.dc(), kLogoRect.left, kLogoRect.top, logo_.get(), kLogoRect.width, kLogoRect.height, 0, nullptr,
               DI_NORMAL);
}

void AboutWindow::PaintLabels(HDC dc) const {
  ::SetBkMode(dc, TRANSPARENT);
  for (const PaintedLabel& label : labels_) {
    const SelectedObject font(dc, label.font);
    ::SetTextColor(dc, label.colour);
    RECT area = ToRect(label.rect);
    ::DrawTextA(dc, label.text.c_str(), -1, &area, label.alignment | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  }
}

std::optional<AboutLink> AboutWindow::LinkAt(POINT point) const {
  for (const AboutLink link : {AboutLink::Homepage, AboutLink::Mail}) {
    const RECT area = ToRect(labels_[links_[static_cast<int>(link)]].rect);
    if (::PtInRect(&area, point)) return link;
  }
  return std::nullopt;
}

void AboutWindow::Hover(std::optional<AboutLink> link) {
  if (link == hot_) return;
  if (hot_ == AboutLink::Homepage) form_.lablHomepageMouseLeave();
  if (hot_ == AboutLink::Mail) form_.lablMailMouseLeave();
  hot_ = link;
  if (hot_ == AboutLink::Homepage) form_.lablHomepageMouseEnter();
  if (hot_ == AboutLink::Mail) form_.lablMailMouseEnter();
  if (hot_) {
    // Leaving the form straight from a link must turn it back as well.
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle(), 0};
    ::TrackMouseEvent(&track);
  }
}

void AboutWindow::Click(AboutLink link) {
  if (link == AboutLink::Homepage) {
    form_.lablHomepageClick();
  } else {
    form_.lablMailClick();
  }
}

}  // namespace kestrav::win32
