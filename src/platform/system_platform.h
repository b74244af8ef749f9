#pragma once
// The operating system's own adapters: implemented once in win32/ and once in posix/.
#include <memory>

#include "platform/platform.h"

namespace kestrav {

struct SystemAdapters {
  std::unique_ptr<FileSystem> files;
  std::unique_ptr<Registry> registry;  // on POSIX an in-memory registry
  std::unique_ptr<ProcessRunner> processes;
  std::unique_ptr<XmlReader> xml;
  std::unique_ptr<Screen> screen;
  std::unique_ptr<Locale> locale;
  std::unique_ptr<Shell> shell;
};

SystemAdapters MakeSystemAdapters();

}  // namespace kestrav
