#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace kestrav::test {

ScriptedDialogs::~ScriptedDialogs() {
  for (const auto& left : messages_) ADD_FAILURE() << "expected message box never shown: " << left.text;
  if (!browses_.empty()) ADD_FAILURE() << browses_.size() << " expected folder browser(s) never shown";
}

void ScriptedDialogs::Expect(MessageKind kind, const std::string& text, MessageButtons buttons, Answer answer) {
  messages_.push_back(ExpectedMessage{kind, text, buttons, answer});
}

void ScriptedDialogs::ExpectBrowse(std::optional<std::string> folder) { browses_.push_back(std::move(folder)); }

Answer ScriptedDialogs::ShowMessage(MessageKind kind, const std::string& text, MessageButtons buttons) {
  shown.push_back(ShownMessage{kind, text, buttons});
  if (messages_.empty()) {
    ADD_FAILURE() << "unexpected " << CaptionOf(kind) << " box: " << text;
    return buttons == MessageButtons::Ok ? Answer::Ok : Answer::Cancel;
  }
  const ExpectedMessage expected = messages_.front();
  messages_.pop_front();
  EXPECT_EQ(CaptionOf(expected.kind), std::string(CaptionOf(kind))) << text;
  EXPECT_EQ(expected.text, text);
  EXPECT_EQ(static_cast<int>(expected.buttons), static_cast<int>(buttons)) << text;
  return expected.answer;
}

std::optional<std::string> ScriptedDialogs::BrowseForFolder(const std::string& title, const std::string& lastDirectory,
                                                            const std::function<bool(const std::string&)>& accept) {
  ++browseCount;
  browseTitle = title;
  browseLastDirectory = lastDirectory;
  browseAccept = accept;
  if (browses_.empty()) {
    ADD_FAILURE() << "unexpected folder browser: " << title;
    return std::nullopt;
  }
  auto folder = browses_.front();
  browses_.pop_front();
  return folder;
}

}  // namespace kestrav::test
