#include "cli/console_dialogs.h"

namespace kestrav {

Answer ConsoleDialogs::ShowMessage(MessageKind kind, const std::string& text, MessageButtons buttons) {
  err_ << CaptionOf(kind) << ": " << text << "\n";
  if (buttons == MessageButtons::Ok) return Answer::Ok;
  const auto answer = answers_.find(kind);
  return answer == answers_.end() ? Answer::No : answer->second;
}

std::optional<std::string> ConsoleDialogs::BrowseForFolder(const std::string& title, const std::string&,
                                                           const std::function<bool(const std::string&)>&) {
  err_ << title << ": cancelled\n";
  return std::nullopt;
}

}  // namespace kestrav
