#include "platform/dialogs.h"

namespace kestrav {

const char* CaptionOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning: return "Warning";
    case MessageKind::Error: return "Error";
    case MessageKind::Information: return "Information";
    case MessageKind::Confirmation: return "Confirm";
  }
  return "";
}

}  // namespace kestrav
