// The commands on the selected entry: its file's information, its parameters, deleting
// its file.
#include <algorithm>

#include "environment/settings_store.h"
#include "grf/file_info_report.h"
#include "grf/grf_reader.h"
#include "ui/form_manager.h"

namespace kestrav {
namespace {

constexpr const char* kWrongParameters =
    "Entered value must be number.\n"
    "Multiple parameters have to be separated by space.";

// Every run of blanks made one blank, at the ends too. Only the space is a blank.
std::string CollapseBlanks(const std::string& text) {
  std::string collapsed;
  collapsed.reserve(text.size());
  for (const char c : text) {
    if (c != ' ' || collapsed.empty() || collapsed.back() != ' ') collapsed += c;
  }
  return collapsed;
}

bool IsParameterText(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || c == '-' || c == ' '; });
}

// name alone, or name, one blank and parameters.
std::string WithParameters(const std::string& name, const std::string& parameters) {
  return parameters.empty() ? name : name + " " + parameters;
}

}  // namespace

FileInformation TformManager::FileInformationOf(int index) {
  const std::string file = EntryFile(ReadTtdPath(platform_.registry, true), listGrfFiles.Item(index).text);
  if (!platform_.files.FileExists(file)) return {false, "Cannot find file:\n" + file};
  const GrfInfo info = AnalyzeGrf(platform_.files, file, GrfDetail::Counts);
  if (!info.opened) return {false, "Cannot find any data in this file"};
  return {true, FileInfoReport(info, file, platform_.locale)};
}

void TformManager::butnFileInfoClick() {
  const int selected = listGrfFiles.Selected();
  if (selected < 0) return;  // the command stays enabled after a deletion
  const FileInformation information = FileInformationOf(selected);
  platform_.dialogs.ShowMessage(information.found ? MessageKind::Information : MessageKind::Error, information.text,
                                MessageButtons::Ok);
}

void TformManager::butnParameterClick() {
  // A refused input asks again with the entry's earlier parameters, for as long as the
  // command is enabled: a loop, so that no number of wrong inputs can exhaust the stack.
  for (;;) {
    const int selected = listGrfFiles.Selected();
    if (selected < 0) return;
    const std::string text = listGrfFiles.Item(selected).text;
    const auto blank = text.find(' ');
    const std::string name = text.substr(0, blank);
    const std::string previous = blank == std::string::npos ? std::string() : Trim(text.substr(blank));
    const auto entered = platform_.dialogs.InputBox("Parameters", name + " parameters:", previous);
    if (!entered) return;
    const std::string parameters = CollapseBlanks(*entered);
    const bool accepted = IsParameterText(parameters);
    if (!accepted) platform_.dialogs.ShowMessage(MessageKind::Error, kWrongParameters, MessageButtons::Ok);
    listGrfFiles.SetText(selected, WithParameters(name, accepted ? parameters : previous));
    UpdateMarkers();
    view_.ListChanged();
    // New parameters are a change of the list like any other: the close asks before they are lost.
    if (accepted && Trim(parameters) != previous) fileChanged = true;
    if (accepted || !view_.IsCommandEnabled(Command::Parameter)) return;
  }
}

void TformManager::butnDeleteClick() {
  const int selected = listGrfFiles.Selected();
  if (selected < 0) return;
  const std::string text = listGrfFiles.Item(selected).text;
  // Only the path: the parameters after the first blank name no part of the file.
  const std::string path = ReplaceAll(EntryPath(text), '/', '\\');
  const std::string file = EntryFile(ReadTtdPath(platform_.registry, true), text);
  Dialogs& dialogs = platform_.dialogs;
  const std::string question =
      "Do you want to delete " + path + " file?\n\nWarning: Deleting may not work with Windows XP.";
  if (dialogs.Ask(Question::DeleteGrfFile, MessageKind::Warning, question, MessageButtons::YesNo) != Answer::Yes) {
    return;
  }
  // To the recycle bin, so that a deleted set can be had back; a file the bin cannot take
  // stays, and the failure box tells of it.
  if (platform_.files.RecycleFile(file)) {
    RemoveItem(selected);
    UpdateMarkers();
    view_.ListChanged();
    dialogs.ShowMessage(MessageKind::Information, "File:\n" + file + "\ndeleted.", MessageButtons::Ok);
    fileChanged = true;
  } else {
    dialogs.ShowMessage(MessageKind::Error, "Program cannot delete file:\n" + file, MessageButtons::Ok);
  }
  listGrfFiles.Select(-1);
  view_.SetCommandEnabled(Command::Delete, false);
  view_.ListChanged();
}

}  // namespace kestrav
