#pragma once
// A dialogs port that plays a script: each message box must be the next expected one
// (kind, text, buttons), and gets the scripted answer. An unexpected box fails the test.
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/dialogs.h"

namespace kestrav::test {

class ScriptedDialogs : public Dialogs {
 public:
  ~ScriptedDialogs() override {  // fails the test when expected dialogs were never shown
    for (const auto& left : messages_) ADD_FAILURE() << "expected message box never shown: " << std::get<1>(left);
    if (browses_.size() + files_.size() + inputs_.size() > 0) ADD_FAILURE() << "expected dialogs never shown";
  }

  void Expect(MessageKind kind, const std::string& text, MessageButtons buttons = MessageButtons::Ok,
              Answer answer = Answer::Ok) {
    messages_.emplace_back(kind, text, buttons, answer);
  }
  // The next folder browser, open or save dialog, or input box returns this (nothing: cancelled).
  void ExpectBrowse(std::optional<std::string> folder) { browses_.push_back(std::move(folder)); }
  void ExpectFileDialog(std::optional<std::string> path) { files_.push_back(std::move(path)); }
  void ExpectInput(std::optional<std::string> text) { inputs_.push_back(std::move(text)); }

  Answer ShowMessage(MessageKind kind, const std::string& text, MessageButtons buttons) override {
    if (messages_.empty()) {
      ADD_FAILURE() << "unexpected " << CaptionOf(kind) << " box: " << text;
      return buttons == MessageButtons::Ok ? Answer::Ok : Answer::Cancel;
    }
    const auto [expectedKind, expectedText, expectedButtons, answer] = messages_.front();
    messages_.pop_front();
    EXPECT_EQ(CaptionOf(expectedKind), std::string(CaptionOf(kind))) << text;
    EXPECT_EQ(expectedText, text);
    EXPECT_EQ(static_cast<int>(expectedButtons), static_cast<int>(buttons)) << text;
    return answer;
  }

  std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& lastDirectory,
                                             const std::function<bool(const std::string&)>& accept) override {
    browseTitle = title;
    browseLastDirectory = lastDirectory;
    browseAccept = accept;
    return Next(browses_, "folder browser: " + title);
  }
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override { return File(request, false); }
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override { return File(request, true); }
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& text) override {
    inputsShown.push_back(caption + "|" + prompt + "|" + text);
    return Next(inputs_, "input box: " + prompt);
  }

  bool Done() const { return messages_.empty() && browses_.empty() && files_.empty() && inputs_.empty(); }

  std::vector<std::pair<FileDialogRequest, bool>> fileDialogsShown;  // each request, and whether it saves
  std::vector<std::string> inputsShown;  // each input box as "caption|prompt|text"
  // What the last browser was opened with; browseLastDirectory is the folder it preselected.
  std::string browseTitle, browseLastDirectory;
  std::function<bool(const std::string&)> browseAccept;

 private:
  using Script = std::deque<std::optional<std::string>>;
  std::optional<std::string> File(const FileDialogRequest& request, bool save) {
    fileDialogsShown.emplace_back(request, save);
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

  std::deque<std::tuple<MessageKind, std::string, MessageButtons, Answer>> messages_;
  Script browses_, files_, inputs_;
};

}  // namespace kestrav::test
