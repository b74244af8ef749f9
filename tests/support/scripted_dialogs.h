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
  ~ScriptedDialogs() override {  // fails the test when expected dialogs were never shown
    for (const auto& left : messages_) ADD_FAILURE() << "expected message box never shown: " << left.first.text;
    if (browses_.size() + files_.size() + inputs_.size() > 0) ADD_FAILURE() << "expected dialogs never shown";
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
    return Next(browses_, "folder browser: " + title);
  }
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override { return File(request, false); }
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override { return File(request, true); }
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& text) override {
    inputsShown.push_back(ShownInput{caption, prompt, text});
    return Next(inputs_, "input box: " + prompt);
  }

  bool Done() const { return messages_.empty() && browses_.empty() && files_.empty() && inputs_.empty(); }

  std::vector<ShownMessage> shown;  // every box shown, in order
  struct ShownFileDialog {
    FileDialogRequest request;
    bool save;
  };
  std::vector<ShownFileDialog> fileDialogsShown;
  struct ShownInput {
    std::string caption, prompt, text;
  };
  std::vector<ShownInput> inputsShown;
  // What the last browser was opened with; browseLastDirectory is the folder it preselected.
  std::string browseTitle, browseLastDirectory;
  std::function<bool(const std::string&)> browseAccept;
  int browseCount = 0;

 private:
  using Script = std::deque<std::optional<std::string>>;
  std::optional<std::string> File(const FileDialogRequest& request, bool save) {
    fileDialogsShown.push_back(ShownFileDialog{request, save});
    return Next(files_, "file dialog: " + request.title);
  }
  static std::optional<std::string> Next(Script& script, const std::string& what) {
    if (script.empty()) {
      ADD_FAILURE() << "unexpected " << what;
      return std::nullopt;
    }
    const auto next = script.front();
    script.pop_front();
    return next;
  }

  std::deque<std::pair<ShownMessage, Answer>> messages_;
  Script browses_, files_, inputs_;
};

}  // namespace kestrav::test
