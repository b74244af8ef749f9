#include "platform/win32/win32_dialogs.h"

namespace kestrav {

std::optional<std::string> Win32Dialogs::InputBox(const std::string&, const std::string&, const std::string&) {
  return std::nullopt;
}

}  // namespace kestrav
