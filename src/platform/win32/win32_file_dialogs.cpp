// The common open and save dialogs.
#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "platform/win32/win32_dialogs.h"

namespace kestrav {
namespace {

// "a|b|c|d" as the dialog takes it: "a\0b\0c\0d\0\0".
std::string FilterOf(const std::string& filter) {
  std::string pairs = filter;
  for (char& c : pairs) {
    if (c == '|') c = '\0';
  }
  pairs.append(2, '\0');
  return pairs;
}

std::optional<std::string> RunFileDialog(HWND owner, const FileDialogRequest& request, bool save) {
  const std::string filter = FilterOf(request.filter);
  std::vector<char> name(32768, '\0');
  request.fileName.copy(name.data(), name.size() - 1);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrInitialDir = request.initialDirectory.empty() ? nullptr : request.initialDirectory.c_str();
  dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY |
                 (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
  const BOOL chosen = save ? ::GetSaveFileNameA(&dialog) : ::GetOpenFileNameA(&dialog);
  if (!chosen) return std::nullopt;
  return std::string(name.data());
}

}  // namespace

std::optional<std::string> Win32Dialogs::OpenFile(const FileDialogRequest& request) {
  return RunFileDialog(InFront(), request, false);
}

std::optional<std::string> Win32Dialogs::SaveFile(const FileDialogRequest& request) {
  return RunFileDialog(InFront(), request, true);
}

}  // namespace kestrav
