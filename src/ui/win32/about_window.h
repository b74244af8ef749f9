#pragma once
// The about box TformAbout on screen. Its picture, logo and labels are painted on the form
// itself, as graphic controls are, so that the labels show the picture through; the memo
// and the button are windows. The links follow the mouse and open through the controller.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "ui/form_about.h"
#include "ui/win32/fixed_form.h"

namespace kestrav::win32 {

class AboutWindow final : public FixedForm, public AboutView {
 public:
  // Hidden until butnInfoClick shows it, centred on the screen; owner is the main window.
  AboutWindow(Platform& platform, HWND owner);

  TformAbout& form() { return form_; }

  // AboutView.
  void SetLinkColour(AboutLink link, Rgb colour) override;
  void ShowModal() override { FixedForm::ShowModal(); }
  void Close() override { EndModal(); }

 private:
  // A label painted on the form, from back to front.
  struct PaintedLabel {
    std::string text;
    PixelRect rect;
    HFONT font;
    COLORREF colour;
    UINT alignment;  // DT_LEFT or DT_RIGHT
  };

  void OnCommand(UINT id, UINT code, HWND control) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  std::size_t AddLabel(const char* text, PixelRect rect, HFONT font, UINT alignment = DT_LEFT);
  void Paint();
  void PaintLabels(HDC dc) const;
  std::optional<AboutLink> LinkAt(POINT point) const;
  void Hover(std::optional<AboutLink> link);
  void Click(AboutLink link);

  UniqueFont title_;
  UniqueFont bold_;
  UniqueFont link_;
  UniqueBitmap background_;
  UniqueIcon logo_;
  std::vector<PaintedLabel> labels_;
  std::size_t links_[2] = {};  // the labels of AboutLink::Homepage and AboutLink::Mail
  HWND memo_ = nullptr;
  std::optional<AboutLink> hot_;      // under the mouse
  std::optional<AboutLink> pressed_;  // the left button went down on it
  TformAbout form_;
};

}  // namespace kestrav::win32
