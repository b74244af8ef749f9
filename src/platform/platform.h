#pragma once
// The set of ports a controller works through. The owner (the program's entry point, a
// test, the console companion) keeps the adapters alive for as long as the controllers.
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/process_runner.h"
#include "platform/registry.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "platform/xml_reader.h"

namespace kestrav {

struct Platform {
  FileSystem& files;
  Registry& registry;
  Dialogs& dialogs;
  ProcessRunner& processes;
  XmlReader& xml;
  Screen& screen;
  Locale& locale;
  Shell& shell;
};

}  // namespace kestrav
