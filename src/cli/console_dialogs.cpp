#include "cli/console_dialogs.h"

namespace kestrav {

Answer ConsoleDialogs::ShowMessage(MessageKind kind, const std::string& text, MessageButtons buttons) {
  err_ << CaptionOf(kind) << ": " << text << "\n";
  return buttons == MessageButtons::Ok ? Answer::Ok : Answer::No;
}

Answer ConsoleDialogs::Ask(Question question, MessageKind kind, const std::string& text, MessageButtons buttons) {
  ShowMessage(kind, text, buttons);
  if (buttons == MessageButtons::Ok) return Answer::Ok;
  const auto answer = answers_.find(question);
  return answer == answers_.end() ? Answer::No : answer->second;
}

std::optional<std::string> ConsoleDialogs::BrowseForFolder(const std::string& title, const std::string&,
                                                           const std::function<bool(const std::string&)>&) {
  err_ << title << ": cancelled\n";
  return std::nullopt;
}

}  // namespace kestrav
