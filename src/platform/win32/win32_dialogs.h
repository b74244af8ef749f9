#pragma once
// Message boxes and the shell folder browser, owned by a window of the program (or, while
// it has none in sight, by nobody and modal to the whole task).
#include <windows.h>

#include "platform/dialogs.h"

namespace kestrav {

class Win32Dialogs : public Dialogs {
 public:
  explicit Win32Dialogs(HWND owner = nullptr) : owner_(owner) {}

  void SetOwner(HWND owner) { owner_ = owner; }
  HWND owner() const { return owner_; }
  // The window the boxes and dialogs belong to: the owner, or the modal form it shows. A
  // dialog owned by the disabled owner would enable it again when it closes.
  HWND OwnerInSight() const;

  Answer ShowMessage(MessageKind kind, const std::string& text, MessageButtons buttons) override;
  // Needs COM initialised apartment threaded on this thread for its new dialog style.
  std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& lastDirectory,
                                             const std::function<bool(const std::string&)>& accept) override;
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& text) override;

 private:
  HWND owner_;
};

// The MessageBoxA style for a box of this kind with these buttons and owner.
UINT MessageBoxStyle(MessageKind kind, MessageButtons buttons, bool owned);
// The answer a MessageBoxA result stands for; a box that could not be shown counts as closed.
Answer AnswerOf(int result, MessageButtons buttons);

}  // namespace kestrav
