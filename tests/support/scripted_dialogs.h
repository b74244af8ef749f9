#pragma once
// A dialogs port that plays a script: each message box must be the next expected one
// (kind, text, buttons), and gets the scripted answer. An unexpected box fails the test.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace kestrav::test {

struct ExpectedMessage {
  MessageKind kind;
  std::string text;
  MessageButtons buttons = MessageButtons::Ok;
  Answer answer = Answer::Ok;
};

struct ShownMessage {
  MessageKind kind;
  std::string text;
  MessageButtons buttons;
};

class ScriptedDialogs : public Dialogs {
 public:
  ~ScriptedDialogs() override;  // fails the test when expected boxes were never shown

  void Expect(MessageKind kind, const std::string& text, MessageButtons buttons = MessageButtons::Ok,
              Answer answer = Answer::Ok);
  // The next folder browser returns folder (nothing: the user cancels).
  void ExpectBrowse(std::optional<std::string> folder);

  Answer ShowMessage(MessageKind kind, const std::string& text, MessageButtons buttons) override;
  std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& lastDirectory,
                                             const std::function<bool(const std::string&)>& accept) override;

  // Every box shown, in order.
  std::vector<ShownMessage> shown;
  // What the last browser was opened with.
  std::string browseTitle;
  std::string browseLastDirectory;
  std::function<bool(const std::string&)> browseAccept;
  int browseCount = 0;

  bool Done() const { return messages_.empty() && browses_.empty(); }

 private:
  std::deque<ExpectedMessage> messages_;
  std::deque<std::optional<std::string>> browses_;
};

}  // namespace kestrav::test
