#include "platform/win32/win32_dialogs.h"

#include <shlobj.h>

#include <exception>
#include <memory>

namespace kestrav {
namespace {

struct PidlFreer {
  void operator()(ITEMIDLIST* pidl) const { ::CoTaskMemFree(pidl); }
};
using UniquePidl = std::unique_ptr<ITEMIDLIST, PidlFreer>;

UINT IconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning: return MB_ICONWARNING;
    case MessageKind::Error: return MB_ICONERROR;
    case MessageKind::Information: return MB_ICONINFORMATION;
    case MessageKind::Confirmation: return MB_ICONQUESTION;
  }
  return 0;
}

UINT ButtonsOf(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok: return MB_OK;
    case MessageButtons::YesNo: return MB_YESNO;
    case MessageButtons::YesNoCancel: return MB_YESNOCANCEL;
  }
  return MB_OK;
}

// What the browser's callback needs, and the first error its check raised: an exception
// must not unwind through the shell's frames, so it waits here until the browser returns.
struct BrowseContext {
  const std::string& lastDirectory;
  const std::function<bool(const std::string&)>& accept;
  std::exception_ptr error;
};

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM parameter, LPARAM data) {
  auto& context = *reinterpret_cast<BrowseContext*>(data);
  switch (message) {
    case BFFM_INITIALIZED:
      if (!context.lastDirectory.empty()) {
        ::SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(context.lastDirectory.c_str()));
      }
      break;
    case BFFM_SELCHANGED: {
      bool ok = false;
      char path[MAX_PATH] = {};
      // A selection without a file system path (Control Panel and the like) cannot be chosen.
      if (::SHGetPathFromIDListA(reinterpret_cast<PCIDLIST_ABSOLUTE>(parameter), path) && !context.error) {
        try {
          ok = context.accept(path);
        } catch (...) {
          context.error = std::current_exception();
        }
      }
      ::SendMessageA(browser, BFFM_ENABLEOK, 0, ok ? TRUE : FALSE);
      break;
    }
    default:
      break;
  }
  return 0;
}

}  // namespace

UINT MessageBoxStyle(MessageKind kind, MessageButtons buttons, bool owned) {
  return IconOf(kind) | ButtonsOf(buttons) | (owned ? 0u : static_cast<UINT>(MB_TASKMODAL));
}

Answer AnswerOf(int result, MessageButtons buttons) {
  switch (result) {
    case IDOK: return Answer::Ok;
    case IDYES: return Answer::Yes;
    case IDNO: return Answer::No;
    case IDCANCEL: break;
    default: break;
  }
  switch (buttons) {
    case MessageButtons::Ok: return Answer::Ok;
    case MessageButtons::YesNo: return Answer::No;
    case MessageButtons::YesNoCancel: return Answer::Cancel;
  }
  return Answer::Cancel;
}

HWND Win32Dialogs::OwnerInSight() const {
  if (!owner_ || !::IsWindow(owner_)) return nullptr;
  const HWND popup = ::GetLastActivePopup(owner_);
  return popup && ::IsWindowVisible(popup) && ::IsWindowEnabled(popup) ? popup : owner_;
}

Answer Win32Dialogs::ShowMessage(MessageKind kind, const std::string& text, MessageButtons buttons) {
  const HWND owner = OwnerInSight();
  const int result = ::MessageBoxA(owner, text.c_str(), CaptionOf(kind), MessageBoxStyle(kind, buttons, owner != nullptr));
  return AnswerOf(result, buttons);
}

std::optional<std::string> Win32Dialogs::BrowseForFolder(const std::string& title, const std::string& lastDirectory,
                                                         const std::function<bool(const std::string&)>& accept) {
  BrowseContext context{lastDirectory, accept, nullptr};
  char displayName[MAX_PATH] = {};
  BROWSEINFOA info{};
  info.hwndOwner = OwnerInSight();
  info.pszDisplayName = displayName;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_NEWDIALOGSTYLE | BIF_RETURNONLYFSDIRS;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(&context);
  const UniquePidl chosen(::SHBrowseForFolderA(&info));
  if (context.error) std::rethrow_exception(context.error);
  if (!chosen) return std::nullopt;
  char path[MAX_PATH] = {};
  if (!::SHGetPathFromIDListA(chosen.get(), path)) return std::nullopt;
  return std::string(path);
}

}  // namespace kestrav
