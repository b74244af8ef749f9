#pragma once
// The about box's controller: the product's name, version and history, and the two links
// that open the homepage and a new mail through the shell.
#include <cstdint>

#include "platform/shell.h"

namespace kestrav {

enum class AboutLink { Homepage, Mail };

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Rgb&) const = default;
};

// A link's colour at rest and under the mouse.
inline constexpr Rgb kLinkColour{119, 187, 255};
inline constexpr Rgb kHotLinkColour{255, 0, 0};

// The lines of memoAbout, each ended by CR LF but the last.
extern const char* const kAboutText;

// What the controller asks of the about box's window.
class AboutView {
 public:
  virtual ~AboutView() = default;
  virtual void SetLinkColour(AboutLink link, Rgb colour) = 0;
  // Shows the box modally; returns when it is closed.
  virtual void ShowModal() = 0;
  virtual void Close() = 0;
};

class TformAbout {
 public:
  TformAbout(Shell& shell, AboutView& view) : shell_(shell), view_(view) {}

  // The texts of the two link labels.
  static const char* lablHomepageText();
  static const char* lablMailText();

  void ShowModal() { view_.ShowModal(); }
  void butnCloseClick() { view_.Close(); }
  void lablHomepageClick();
  void lablMailClick();
  void lablHomepageMouseEnter() { view_.SetLinkColour(AboutLink::Homepage, kHotLinkColour); }
  void lablHomepageMouseLeave() { view_.SetLinkColour(AboutLink::Homepage, kLinkColour); }
  void lablMailMouseEnter() { view_.SetLinkColour(AboutLink::Mail, kHotLinkColour); }
  void lablMailMouseLeave() { view_.SetLinkColour(AboutLink::Mail, kLinkColour); }

 private:
  Shell& shell_;
  AboutView& view_;
};

}  // namespace kestrav
