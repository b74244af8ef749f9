#pragma once
// A dialogs port that plays a script: each message box must be the next expected one
// (kind, text, buttons), and gets the scripted answer. An unexpected box fails the test.
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"

namespace kestrav::test {

struct ShownMessage {
  MessageKind kind;
  std::string text;
  MessageButtons buttons;
};

class ScriptedDialogs : public Dialogs {
 public:
  ~ScriptedDialogs() override {  // fails the test when expected boxes were never shown
    for (const auto& left : messages_) ADD_FAILURE() << "expected message box never shown: " << left.first.text;
    if (!browses_.empty()) ADD_FAILURE() << browses_.size() << " expected folder browser(s) never shown";
    if (!files_.empty()) ADD_FAILURE() << files_.size() << " expected file dialog(s) never shown";
    if (!inputs_.empty()) ADD_FAILURE() << inputs_.size() << " expected input box(es) never shown";
  }

  void Expect(MessageKind kind, const std::string& text, MessageButtons buttons = MessageButtons::Ok,
              Answer answer = Answer::Ok) {
    messages_.push_back({ShownMessage{kind, text, buttons}, answer});
  }
  // The next folder browser returns folder (nothing: the user cancels).
  void ExpectBrowse(std::optional<std::string> folder) { browses_.push_back(std::move(folder)); }
  // The next open or save dialog returns path (nothing: cancelled).
  void ExpectFileDialog(std::optional<std::string> path) { files_.push_back(std::move(path)); }
  // The next input box returns text (nothing: cancelled).
  void ExpectInput(std::optional<std::string> text) { inputs_.push_back(std::move(text)); }

  Answer ShowMessage(MessageKind kind, const std::string& text, MessageButtons buttons) override {
    shown.push_back(ShownMessage{kind, text, buttons});
    if (messages_.empty()) {
      ADD_FAILURE() << "unexpected " << CaptionOf(kind) << " box: " << text;
      return buttons == MessageButtons::Ok ? Answer::Ok : Answer::Cancel;
    }
    const auto [expected, answer] = messages_.front();
    messages_.pop_front();
    EXPECT_EQ(CaptionOf(expected.kind), std::string(CaptionOf(kind))) << text;
    EXPECT_EQ(expected.text, text);
    EXPECT_EQ(static_cast<int>(expected.buttons), static_cast<int>(buttons)) << text;
    return answer;
  }

  std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& lastDirectory,
                                             const std::function<bool(const std::string&)>& accept) override {
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

  std::optional<std::string> OpenFile(const FileDialogRequest& request) override {
    return NextFile(request, false);
  }
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override { return NextFile(request, true); }

  struct ShownInput {
    std::string caption, prompt, text;
  };
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& text) override {
    inputsShown.push_back(ShownInput{caption, prompt, text});
    if (inputs_.empty()) {
      ADD_FAILURE() << "unexpected input box: " << prompt;
      return std::nullopt;
    }
    auto entered = inputs_.front();
    inputs_.pop_front();
    return entered;
  }

  std::vector<ShownMessage> shown;  // every box shown, in order
  struct ShownFileDialog {
    FileDialogRequest request;
    bool save;
  };
  std::vector<ShownFileDialog> fileDialogsShown;
  std::vector<ShownInput> inputsShown;
  // What the last browser was opened with.
  std::string browseTitle;
  std::string browseLastDirectory;  // the folder it preselected
  std::function<bool(const std::string&)> browseAccept;
  int browseCount = 0;

  bool Done() const { return messages_.empty() && browses_.empty() && files_.empty() && inputs_.empty(); }

 private:
  std::optional<std::string> NextFile(const FileDialogRequest& request, bool save) {
    fileDialogsShown.push_back(ShownFileDialog{request, save});
    if (files_.empty()) {
      ADD_FAILURE() << "unexpected file dialog: " << request.title;
      return std::nullopt;
    }
    auto path = files_.front();
    files_.pop_front();
    return path;
  }

  std::deque<std::optional<std::string>> files_;
  std::deque<std::optional<std::string>> inputs_;
  std::deque<std::pair<ShownMessage, Answer>> messages_;
  std::deque<std::optional<std::string>> browses_;
};

}  // namespace kestrav::test
