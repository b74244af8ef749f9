#include "ui/win32/main_menu.h"

#include <string>
#include <vector>

#include "platform/operation_error.h"

namespace kestrav::win32 {
namespace {

constexpr UINT kFirstCommandId = 100;

struct Shortcut {
  WORD key = 0;  // a virtual key; 0 for none
  bool control = false;
  const char* text = "";
};

// One line of a submenu: a command item, or a separator when command is empty.
struct MenuItem {
  std::optional<Command> command;
  const char* caption = nullptr;
  Shortcut shortcut;
  bool enabled = true;
};

const MenuItem kSeparator{};

const std::vector<MenuItem> kFileMenu = {
    {Command::Save, "&Save", {'S', true, "Ctrl+S"}},
    kSeparator,
    {Command::Add, "&Add", {'A', true, "Ctrl+A"}},
    {Command::Delete, "&Delete", {'D', true, "Ctrl+D"}, false},
    kSeparator,
    {Command::Quit, "&Quit", {'X', true, "Ctrl+X"}},
};

const std::vector<MenuItem> kOptionsMenu = {
    {Command::Settings, "&Settings", {VK_F9, false, "F9"}},
    kSeparator,
    {Command::FileInfo, "File &Information", {VK_F5, false, "F5"}, false},
    {Command::Parameter, "Set &Parameter", {VK_F6, false, "F6"}, false},
    {Command::Notepad, "Open in &Notepad", {VK_F10, false, "F10"}},
    {Command::MakeLog, "Create a &Log", {VK_F12, false, "F12"}},
};

const std::vector<MenuItem> kHelpMenu = {
    {Command::Help, "Hel&p", {VK_F1, false, "F1"}},
    kSeparator,
    {Command::About, "&About Kestrav", {VK_F2, false, "F2"}},
};

// Run Game stands on the bar; its shortcut is not shown there, as on any bar item.
const MenuItem kRunItem{Command::Run, "&Run Game", {'R', true, "Ctrl+R"}};

void Check(BOOL done) {
  if (!done) throw OperationError("Cannot create the main menu");
}

HMENU CreateSubmenu(const std::vector<MenuItem>& items) {
  HMENU menu = ::CreatePopupMenu();
  Check(menu != nullptr);
  for (const MenuItem& item : items) {
    if (!item.command) {
      Check(::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr));
      continue;
    }
    std::string caption = item.caption;
    if (item.shortcut.key) caption += std::string("\t") + item.shortcut.text;
    Check(::AppendMenuA(menu, MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), CommandId(*item.command),
                        caption.c_str()));
  }
  return menu;
}

void AppendSubmenu(HMENU bar, const char* caption, const std::vector<MenuItem>& items) {
  HMENU submenu = CreateSubmenu(items);
  if (!::AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu), caption)) {
    ::DestroyMenu(submenu);
    Check(FALSE);
  }
}

}  // namespace

UINT CommandId(Command command) { return kFirstCommandId + static_cast<UINT>(command); }

std::optional<Command> CommandOfId(UINT id) {
  if (id < kFirstCommandId || id > CommandId(Command::SelectTtdDirectory)) return std::nullopt;
  return static_cast<Command>(id - kFirstCommandId);
}

bool OnMenuBar(Command command) { return command == Command::Run; }

UniqueMenu CreateMainMenu() {
  UniqueMenu bar(::CreateMenu());
  Check(bar != nullptr);
  AppendSubmenu(bar.get(), "&File", kFileMenu);
  AppendSubmenu(bar.get(), "&Options", kOptionsMenu);
  AppendSubmenu(bar.get(), "&Help", kHelpMenu);
  Check(::AppendMenuA(bar.get(), MF_STRING | MF_GRAYED, kSeparatorBarId, "|"));
  Check(::AppendMenuA(bar.get(), MF_STRING, CommandId(*kRunItem.command), kRunItem.caption));
  return bar;
}

UniqueAccelerators CreateMainAccelerators() {
  std::vector<ACCEL> table;
  for (const auto* items : {&kFileMenu, &kOptionsMenu, &kHelpMenu}) {
    for (const MenuItem& item : *items) {
      if (!item.command || !item.shortcut.key) continue;
      const BYTE flags = FVIRTKEY | (item.shortcut.control ? FCONTROL : 0);
      table.push_back(ACCEL{flags, item.shortcut.key, static_cast<WORD>(CommandId(*item.command))});
    }
  }
  table.push_back(ACCEL{FVIRTKEY | FCONTROL, kRunItem.shortcut.key, static_cast<WORD>(CommandId(*kRunItem.command))});
  UniqueAccelerators accelerators(::CreateAcceleratorTableA(table.data(), static_cast<int>(table.size())));
  Check(accelerators != nullptr);
  return accelerators;
}

}  // namespace kestrav::win32
