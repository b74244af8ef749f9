#include "log/form_log.h"

#include <algorithm>

#include "environment/settings_store.h"
#include "platform/operation_error.h"
#include "ui/form_manager.h"

namespace kestrav {
namespace {

constexpr const char* kSaveTitle = "Select place for saving log";

}  // namespace

TformLog::TformLog(Platform& platform, LogView& view, TformManager& manager)
    : platform_(platform), view_(view), manager_(manager) {}

void TformLog::FormCreate() {
  int index = kFormatTxt;
  try {
    SettingsStore settings(platform_.registry);
    settings.Open(false);
    if (settings.ValueExists(setting::kOutputFormat)) {
      index = std::clamp(settings.ReadInteger(setting::kOutputFormat), kFormatNone, kFormatHtml);
    }
  } catch (const OperationError& error) {
    // A value of the wrong type must not keep the program from starting: the first format,
    // and the next choice writes a good value.
    platform_.dialogs.ShowMessage(MessageKind::Error, error.what(), MessageButtons::Ok);
  }
  itemIndex_ = index;
  view_.SelectFormat(index);
}

void TformLog::ShowModal(int entryCount) {
  view_.SetProgressMax(entryCount);
  view_.SetProgress(0);
  view_.RunModal();
}

void TformLog::groupFormatClick(int index) {
  itemIndex_ = index;
  SettingsStore settings(platform_.registry);
  settings.Open(true);
  settings.WriteInteger(setting::kOutputFormat, index);
}

void TformLog::Button1Click() {
  if (itemIndex_ == kFormatTxt) TXT();
  if (itemIndex_ == kFormatHtml) HTML();
}

void TformLog::Button2Click() { view_.Close(); }

void TformLog::TXT() { Write(kTxtLog); }
void TformLog::HTML() { Write(kHtmlLog); }

void TformLog::Write(const LogFormat& format) {
  const std::string ttdDir = ReadTtdPath(platform_.registry);
  FileDialogRequest request;
  request.title = kSaveTitle;
  request.filter = format.filter;
  request.defaultExtension = format.extension;
  request.fileName = "Log";
  const auto file = platform_.dialogs.SaveFile(request);
  if (!file) return;
  view_.SetProgress(0);
  LogHeader header;
  header.created = DateAndTime(platform_.locale, platform_.locale.Now());
  header.totalSprites = manager_.spritesTotal;
  header.activeSprites = manager_.ActiveSprites();
  std::string log = format.header(header);
  const auto entries = ReadLogEntries(platform_.files, platform_.locale, ttdDir, manager_.listGrfFiles.Items(),
                                      [this](int done) { view_.SetProgress(done); });
  for (const LogEntry& entry : entries) log += format.entry(entry);
  log += format.footer();
  // Written whole or not at all: a failure leaves no half-written log.
  platform_.files.WriteWholeFile(*file, log);
}

}  // namespace kestrav
