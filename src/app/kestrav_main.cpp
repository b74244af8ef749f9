// The program: the main window, the three forms that live beside it, and the message loop.
#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <string>

#include "platform/system_platform.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/win32_dialogs.h"
#include "ui/win32/about_window.h"
#include "ui/win32/log_window.h"
#include "ui/win32/manager_window.h"
#include "ui/win32/settings_window.h"

namespace {

using namespace kestrav;

void InitialiseCommonControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
  ::InitCommonControlsEx(&controls);
}

int RunMessageLoop(HWND mainWindow, HACCEL accelerators) {
  MSG message{};
  for (;;) {
    const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return 1;
    if (::IsWindow(mainWindow) && ::TranslateAcceleratorA(mainWindow, accelerators, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

int Run(HINSTANCE /*instance*/, int showCommand, Win32Dialogs& dialogs) {
  SystemAdapters system = MakeSystemAdapters();
  Platform platform{*system.files, *system.registry, dialogs, *system.processes,
                    *system.xml,   *system.screen,   *system.locale, *system.shell};

  win32::ManagerWindow formManager(platform);
  formManager.Create();
  win32::AboutWindow formAbout(platform, formManager.handle());
  win32::SettingsWindow formSettings(platform, formManager.manager(), formManager.handle());
  win32::LogWindow formLog(platform, formManager.handle(), formManager.manager());
  formManager.manager().formAbout = &formAbout.form();
  formManager.manager().formSettings = &formSettings.form();
  formManager.manager().formLog = &formLog.form();

  formManager.Show(showCommand);
  // From now on the boxes belong to the window in sight.
  dialogs.SetOwner(formManager.handle());
  RunMessageLoop(formManager.handle(), formManager.accelerators());
  dialogs.SetOwner(nullptr);
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int showCommand) {
  // The folder browser's new style needs COM on this thread.
  const win32::ComApartment com;
  InitialiseCommonControls();
  Win32Dialogs dialogs;
  std::string failure;
  try {
    return Run(instance, showCommand, dialogs);
  } catch (const std::exception& error) {
    failure = error.what();
  }
  dialogs.SetOwner(nullptr);
  dialogs.ShowMessage(MessageKind::Error, failure, MessageButtons::Ok);
  return 1;
}
