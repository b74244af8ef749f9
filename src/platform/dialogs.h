#pragma once
// Modal message boxes and system dialogs. Tests script every box and check its text.
#include <functional>
#include <optional>
#include <string>

namespace kestrav {

enum class MessageKind { Warning, Error, Information, Confirmation };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

// The questions the commands ask, so that a caller answering for the user (the console
// companion) tells them apart without reading their texts.
enum class Question {
  DeleteGrfFile,     // delete the selected entry's file
  ReplaceWithNewer,  // install over an older installed copy
  ReplaceWithOlder,  // install over a newer installed copy
  ReplaceWithSame,   // install over a copy of the same date
  DeleteSource,      // delete the source of a file just installed
  SpriteLimit,       // save although more sprites are active than the patch can load
  OverwriteConfig,   // replace the existing configuration file
  SaveBeforeRun,     // save the changed list before the game starts
  SaveBeforeClose,   // save the changed list before the window closes
};

// "Warning", "Error", "Information" or "Confirm".
const char* CaptionOf(MessageKind kind);

// What a common open or save dialog starts with.
struct FileDialogRequest {
  std::string title;             // empty: the system's own title
  std::string filter;            // pairs "description|pattern", joined by "|"
  std::string initialDirectory;  // empty: the system's choice
  std::string defaultExtension;  // without the dot; added to a name typed without one
  std::string fileName;          // the name the dialog opens with
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Closing a box without a button gives Cancel for Yes/No/Cancel, No for Yes/No.
  virtual Answer ShowMessage(MessageKind kind, const std::string& text, MessageButtons buttons) = 0;
  // A question box: shown and answered like any box, and named by what it asks.
  virtual Answer Ask(Question /*question*/, MessageKind kind, const std::string& text, MessageButtons buttons) {
    return ShowMessage(kind, text, buttons);
  }
  // The shell folder browser. accept(path) decides whether OK is enabled for a selection.
  // Returns the chosen folder (no trailing backslash except on a drive root), or nothing
  // when the user cancelled.
  virtual std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& lastDirectory,
                                                     const std::function<bool(const std::string&)>& accept) = 0;

  // A dialog port without a user (the console companion, a benchmark) cancels these.

  // The common open dialog for one existing file in an existing folder (the read-only box
  // hidden, resizable). Returns the chosen file's full path.
  virtual std::optional<std::string> OpenFile(const FileDialogRequest& /*request*/) { return std::nullopt; }
  // The common save dialog (the read-only box hidden, resizable); choosing an existing file
  // asks whether to replace it. Returns the chosen file's full path.
  virtual std::optional<std::string> SaveFile(const FileDialogRequest& /*request*/) { return std::nullopt; }
  // A modal one-line input box: caption, a prompt above the field, the field filled with
  // text and taking at most 255 characters, OK and Cancel. Returns the entered text on OK.
  virtual std::optional<std::string> InputBox(const std::string& /*caption*/, const std::string& /*prompt*/,
                                              const std::string& /*text*/) {
    return std::nullopt;
  }
};

}  // namespace kestrav
