#pragma once
// Modal message boxes and system dialogs. Tests script every box and check its text.
#include <functional>
#include <optional>
#include <string>

namespace kestrav {

enum class MessageKind { Warning, Error, Information, Confirmation };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

// "Warning", "Error", "Information" or "Confirm".
const char* CaptionOf(MessageKind kind);

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Closing a box without a button gives Cancel for Yes/No/Cancel, No for Yes/No.
  virtual Answer ShowMessage(MessageKind kind, const std::string& text, MessageButtons buttons) = 0;
  // The shell folder browser. accept(path) decides whether OK is enabled for a selection.
  // Returns the chosen folder (no trailing backslash except on a drive root), or nothing
  // when the user cancelled.
  virtual std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& lastDirectory,
                                                     const std::function<bool(const std::string&)>& accept) = 0;
};

}  // namespace kestrav
