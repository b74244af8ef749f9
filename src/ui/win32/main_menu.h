#pragma once
// The main window's menu bar, its shortcuts as an accelerator table, and the command ids
// that tie both to the controller's commands.
#include <windows.h>

#include <optional>

#include "ui/manager_view.h"
#include "ui/win32/window_handles.h"

namespace kestrav::win32 {

// The command id of a menu item or of the button over the list.
UINT CommandId(Command command);
// The command a WM_COMMAND id stands for; nothing for ids that are no command (the bar's "|").
std::optional<Command> CommandOfId(UINT id);
// Whether the command's item stands on the menu bar itself (a change needs DrawMenuBar).
bool OnMenuBar(Command command);

// The id of the disabled "|" on the bar.
inline constexpr UINT kSeparatorBarId = 199;

// File, Options, Help, "|" and Run Game, with every item enabled or disabled as it is
// before the first load.
UniqueMenu CreateMainMenu();
UniqueAccelerators CreateMainAccelerators();

}  // namespace kestrav::win32
