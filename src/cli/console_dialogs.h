#pragma once
// Message boxes for kestrav-cli: each box goes to a stream as its caption, ": " and its
// text, and each question gets the answer set for it.
#include <map>
#include <ostream>

#include "platform/dialogs.h"

namespace kestrav {

class ConsoleDialogs : public Dialogs {
 public:
  explicit ConsoleDialogs(std::ostream& err) : err_(err) {}

  // This question is answered so from now on; every other one No.
  void SetAnswer(Question question, Answer answer) { answers_[question] = answer; }

  Answer ShowMessage(MessageKind kind, const std::string& text, MessageButtons buttons) override;
  Answer Ask(Question question, MessageKind kind, const std::string& text, MessageButtons buttons) override;
  // Nobody can pick a folder on a console: always cancelled.
  std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& lastDirectory,
                                             const std::function<bool(const std::string&)>& accept) override;

 private:
  std::ostream& err_;
  std::map<Question, Answer> answers_;
};

}  // namespace kestrav
