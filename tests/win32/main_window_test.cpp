// The real main window under Wine: its menu, shortcuts, list, status bar and close, driven
// by the messages the system would send, on a TTD directory of its own and the settings in
// the real registry of the test prefix. Message boxes are scripted.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "environment/settings_store.h"
#include "grf/sprite_totals.h"
#include "platform/system_platform.h"
#include "support/grf_builder.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"
#include "ui/win32/main_menu.h"
#include "ui/win32/manager_window.h"

namespace kestrav {
namespace {

using win32::ManagerWindow;

constexpr const char* kCloseQuestion =
    "File changed.\nDo you want to save it?\nPress 'Yes' to save and exit,\n'No' to exit without saving,\n"
    "or 'Cancel' to not exit.";
constexpr const char* kReplace = "File 'newgrf.cfg' or 'newgrfw.cfg' exists.\nDo you want to replace it ?";
constexpr const char* kConfig = "newgrf/b.grf !\r\nnewgrf/a.grf\r\n#DISABLED#newgrf/c.grf\r\n";
constexpr int kItemHeight = 13;

std::string GrfWithSprites(int normalSprites) {
  test::GrfBuilder grf;
  for (int i = 0; i < normalSprites; ++i) grf.Stored(4);
  return grf.Terminator().bytes();
}

struct Item {
  std::string text;
  GrfState state;
  bool operator==(const Item&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Item& item) {
  return out << "{" << item.text << ", " << static_cast<int>(item.state) << "}";
}

struct MenuLine {
  std::string caption;  // "" for a separator
  bool enabled = true;
  bool operator==(const MenuLine&) const = default;
};

std::ostream& operator<<(std::ostream& out, const MenuLine& line) {
  return out << "{\"" << line.caption << "\", " << (line.enabled ? "enabled" : "disabled") << "}";
}

std::vector<MenuLine> LinesOf(HMENU menu) {
  std::vector<MenuLine> lines;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    char caption[128] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    info.dwTypeData = caption;
    info.cch = sizeof caption;
    EXPECT_TRUE(::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info));
    if (info.fType & MFT_SEPARATOR) {
      lines.push_back({"", false});
    } else {
      lines.push_back({caption, (info.fState & MFS_DISABLED) == 0});
    }
  }
  return lines;
}

const std::vector<MenuLine> kBar = {{"&File"}, {"&Options"}, {"&Help"}, {"|", false}, {"&Run Game"}};
const std::vector<MenuLine> kFileMenu = {
    {"&Save\tCtrl+S"}, {"", false}, {"&Add\tCtrl+A"}, {"&Delete\tCtrl+D", false}, {"", false}, {"&Quit\tCtrl+X"}};
const std::vector<MenuLine> kOptionsMenu = {{"&Settings\tF9"},
                                            {"", false},
                                            {"File &Information\tF5", false},
                                            {"Set &Parameter\tF6", false},
                                            {"Open in &Notepad\tF10"},
                                            {"Create a &Log\tF12"}};
const std::vector<MenuLine> kHelpMenu = {{"Hel&p\tF1"}, {"", false}, {"&About Kestrav\tF2"}};

void ExpectMenu(HMENU bar) {
  EXPECT_EQ(kBar, LinesOf(bar));
  EXPECT_EQ(kFileMenu, LinesOf(::GetSubMenu(bar, 0)));
  EXPECT_EQ(kOptionsMenu, LinesOf(::GetSubMenu(bar, 1)));
  EXPECT_EQ(kHelpMenu, LinesOf(::GetSubMenu(bar, 2)));
}

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearSettings();
    ttd.Write("GameGFX.exe", "");
    ttd.Write("newgrf/a.grf", GrfWithSprites(1));
    ttd.Write("newgrf/b.grf", GrfWithSprites(2));
    ttd.Write("newgrf/c.grf", GrfWithSprites(4));
    ttd.Write("newgrfw.cfg", kConfig);
    processes.onRun = [](const std::string&) { return ProcessOutcome::Exited; };
    PutSetting(setting::kTtdPath, REG_SZ, ttd.path() + '\0');
  }
  void TearDown() override {
    window.reset();
    Pump();
    ClearSettings();
  }

  static void ClearSettings() {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Dravelin Technologies");  // only when empty
  }
  static void PutSetting(const char* name, DWORD type, const std::string& data) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                                               nullptr, &key, nullptr));
    ::RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
    ::RegCloseKey(key);
  }
  static std::optional<DWORD> StoredNumber(const char* name) {
    DWORD value = 0, size = sizeof value, type = 0;
    if (::RegGetValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, RRF_RT_ANY, &type, &value, &size) != ERROR_SUCCESS ||
        type != REG_DWORD) {
      return std::nullopt;
    }
    return value;
  }

  void Open() {
    window = std::make_unique<ManagerWindow>(ports);
    window->Create();
    window->Show(SW_SHOW);
    Pump();
  }

  // Handles what is queued; whether the application was told to end.
  static bool Pump() {
    bool quit = false;
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = true;
        continue;
      }
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    return quit;
  }

  LRESULT ToList(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(window->list(), message, wParam, lParam);
  }
  // A press and release at x of the item's row, as the mouse gives them.
  void Click(int index, int x) {
    ToList(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, index * kItemHeight + 6));
    ToList(WM_LBUTTONUP, 0, MAKELPARAM(x, index * kItemHeight + 6));
  }

  std::vector<Item> ListItems() {
    std::vector<Item> items;
    const auto count = ToList(LB_GETCOUNT);
    for (int i = 0; i < count; ++i) {
      char text[256] = {};
      ToList(LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      items.push_back({text, static_cast<GrfState>(ToList(LB_GETITEMDATA, static_cast<WPARAM>(i)))});
    }
    return items;
  }
  std::string StatusText(int panel) {
    char text[256] = {};
    ::SendMessageA(window->statusBar(), SB_GETTEXTA, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text));
    return text;
  }
  std::pair<std::string, std::string> Status() { return {StatusText(0), StatusText(1)}; }
  static std::pair<std::string, std::string> Totals(int total, int active) {
    return {TotalSpritesText(total), ActiveSpritesText(active)};
  }
  bool Enabled(Command command) {
    const UINT state = ::GetMenuState(::GetMenu(window->handle()), win32::CommandId(command), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & MF_GRAYED);
  }
  bool SelectionCommandsEnabled() {
    return Enabled(Command::Delete) && Enabled(Command::FileInfo) && Enabled(Command::Parameter);
  }
  bool SelectionCommandsDisabled() {
    return !Enabled(Command::Delete) && !Enabled(Command::FileInfo) && !Enabled(Command::Parameter);
  }

  test::TempDir ttd;
  SystemAdapters system = MakeSystemAdapters();  // the real file system and registry
  test::ScriptedDialogs dialogs;
  test::FakeProcessRunner processes;
  test::FakeScreen screen;
  Platform ports{*system.files, *system.registry, dialogs, processes, *system.xml, screen, *system.locale};
  std::unique_ptr<ManagerWindow> window;
};

const std::vector<Item> kLoaded = {
    {"newgrf/b.grf", GrfState::Inactive}, {"newgrf/a.grf", GrfState::Active}, {"newgrf/c.grf", GrfState::Off}};

TEST_F(MainWindow, MenuBeforeAndAfterTheLoadOfADirectory) {
  const win32::UniqueMenu fresh = win32::CreateMainMenu();
  ExpectMenu(fresh.get());
  Open();
  char caption[64] = {};
  ::GetWindowTextA(window->handle(), caption, sizeof caption);
  EXPECT_STREQ("Kestrav", caption);
  ExpectMenu(::GetMenu(window->handle()));
  EXPECT_FALSE(::IsWindowVisible(window->selectDirectoryButton()));
  EXPECT_TRUE(::IsWindowEnabled(window->list()));
}

TEST_F(MainWindow, WithoutDirectoryTheButtonShowsAndTheCommandsForTheListAreOff) {
  PutSetting(setting::kTtdPath, REG_SZ, std::string(1, '\0'));
  Open();
  EXPECT_TRUE(::IsWindowVisible(window->selectDirectoryButton()));
  EXPECT_FALSE(::IsWindowEnabled(window->list()));
  RECT button{};
  ::GetWindowRect(window->selectDirectoryButton(), &button);
  ::MapWindowPoints(nullptr, window->handle(), reinterpret_cast<POINT*>(&button), 2);
  EXPECT_EQ(std::make_tuple(72L, 144L, 161L, 25L),
            std::make_tuple(button.left, button.top, button.right - button.left, button.bottom - button.top));
  char text[128] = {};
  ::GetWindowTextA(window->selectDirectoryButton(), text, sizeof text);
  EXPECT_STREQ("Select TTD Directory", text);

  char hint[256] = {};
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = window->handle();
  tool.uId = reinterpret_cast<UINT_PTR>(window->selectDirectoryButton());
  tool.lpszText = hint;
  ::SendMessageA(window->toolTip(), TTM_GETTEXTA, sizeof hint, reinterpret_cast<LPARAM>(&tool));
  // The tool tip hands out no more than the first 80 characters of its text.
  EXPECT_EQ(std::string(win32::kSelectDirectoryHint).substr(0, 80), hint);

  for (const Command command : {Command::Save, Command::Add, Command::Delete, Command::FileInfo, Command::Parameter,
                                Command::Notepad, Command::MakeLog, Command::Run}) {
    EXPECT_FALSE(Enabled(command)) << static_cast<int>(command);
  }
  for (const Command command : {Command::Quit, Command::Settings, Command::Help, Command::About}) {
    EXPECT_TRUE(Enabled(command)) << static_cast<int>(command);
  }
}

TEST_F(MainWindow, ShortcutsAreTheMenusAndReachTheirCommands) {
  Open();
  std::vector<ACCEL> table(32);
  table.resize(static_cast<std::size_t>(
      ::CopyAcceleratorTableA(window->accelerators(), table.data(), static_cast<int>(table.size()))));
  std::vector<std::tuple<bool, WORD, Command>> shortcuts;
  for (const ACCEL& entry : table) {
    ASSERT_TRUE(entry.fVirt & FVIRTKEY);
    shortcuts.emplace_back((entry.fVirt & FCONTROL) != 0, entry.key, *win32::CommandOfId(entry.cmd));
  }
  const std::vector<std::tuple<bool, WORD, Command>> expected = {
      {true, 'S', Command::Save},         {true, 'A', Command::Add},         {true, 'D', Command::Delete},
      {true, 'X', Command::Quit},         {false, VK_F9, Command::Settings}, {false, VK_F5, Command::FileInfo},
      {false, VK_F6, Command::Parameter}, {false, VK_F10, Command::Notepad}, {false, VK_F12, Command::MakeLog},
      {false, VK_F1, Command::Help},      {false, VK_F2, Command::About},    {true, 'R', Command::Run}};
  EXPECT_EQ(expected, shortcuts);

  // Ctrl+S through the table: the save asks before it replaces the file.
  BYTE keys[256] = {};
  ASSERT_TRUE(::GetKeyboardState(keys));
  BYTE held[256];
  std::copy(std::begin(keys), std::end(keys), held);
  held[VK_CONTROL] = 0x80;
  ::SetKeyboardState(held);
  dialogs.Expect(MessageKind::Confirmation, kReplace, MessageButtons::YesNo, Answer::No);
  MSG key{window->list(), WM_KEYDOWN, 'S', 1, 0, {}};
  EXPECT_TRUE(::TranslateAcceleratorA(window->handle(), window->accelerators(), &key));
  // Ctrl+X: nothing changed, so the window closes without a question.
  key.wParam = 'X';
  EXPECT_TRUE(::TranslateAcceleratorA(window->handle(), window->accelerators(), &key));
  ::SetKeyboardState(keys);
  EXPECT_TRUE(dialogs.Done());
  EXPECT_FALSE(::IsWindow(window->handle()));
  EXPECT_TRUE(Pump());
  EXPECT_EQ(kConfig, ttd.Read("newgrfw.cfg"));
}

TEST_F(MainWindow, ListShowsTheLoadWithItsStatesAndTotals) {
  Open();
  EXPECT_EQ(kLoaded, ListItems());
  EXPECT_EQ(kItemHeight, ToList(LB_GETITEMHEIGHT));
  EXPECT_EQ(LB_ERR, ToList(LB_GETCURSEL));
  EXPECT_EQ(Totals(3, 1), Status());
  EXPECT_TRUE(SelectionCommandsDisabled());
}

TEST_F(MainWindow, CheckBoxClicksCycleTheStateAndTheTotals) {
  Open();
  struct Step {
    GrfState state;
    int total, active;
  };
  const Step steps[] = {{GrfState::Inactive, 7, 1}, {GrfState::Active, 7, 5}, {GrfState::Off, 3, 1}};
  for (const Step& step : steps) {
    Click(2, 5);
    EXPECT_EQ(step.state, ListItems()[2].state);
    EXPECT_EQ(Totals(step.total, step.active), Status());
  }
  EXPECT_EQ(2, ToList(LB_GETCURSEL));
  EXPECT_TRUE(SelectionCommandsEnabled());
  EXPECT_TRUE(window->manager().fileChanged);
}

TEST_F(MainWindow, ClickOnTheTextSelectsAndChangesNothing) {
  Open();
  Click(1, 60);
  EXPECT_EQ(1, ToList(LB_GETCURSEL));
  EXPECT_TRUE(SelectionCommandsEnabled());
  EXPECT_EQ(kLoaded, ListItems());
  EXPECT_FALSE(window->manager().fileChanged);

  // A right click below the last item keeps the selection.
  ToList(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(60, 3 * kItemHeight + 20));
  EXPECT_EQ(1, ToList(LB_GETCURSEL));
  EXPECT_TRUE(SelectionCommandsEnabled());
}

TEST_F(MainWindow, SpaceTogglesTheSelectedItemAndArrowsMoveTheSelection) {
  Open();
  Click(0, 60);
  ToList(WM_KEYDOWN, VK_SPACE, 0);
  ToList(WM_CHAR, ' ', 0);
  ToList(WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(GrfState::Active, ListItems()[0].state);
  EXPECT_EQ(Totals(3, 3), Status());
  EXPECT_TRUE(window->manager().fileChanged);

  ToList(WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(1, ToList(LB_GETCURSEL));
  EXPECT_EQ(1, window->manager().listGrfFiles.Selected());
}

TEST_F(MainWindow, DragStartsFivePixelsAwayAndDropsOnTheItemBelowThePointer) {
  struct Case {
    int dx, dy;      // the pointer's move from the press, button held
    int dropY;       // where the button goes up
    std::vector<std::string> order;
    bool changed;
  };
  const Case cases[] = {
      {4, 4, 10, {"newgrf/b.grf", "newgrf/a.grf", "newgrf/c.grf"}, false},
      {0, 5, 2 * kItemHeight + 6, {"newgrf/a.grf", "newgrf/c.grf", "newgrf/b.grf"}, true},
      {-5, 0, 1 * kItemHeight + 6, {"newgrf/a.grf", "newgrf/b.grf", "newgrf/c.grf"}, true},
      {0, 5, 3 * kItemHeight + 30, {"newgrf/a.grf", "newgrf/c.grf", "newgrf/b.grf"}, true},  // below the last
      {0, 5, 6, {"newgrf/b.grf", "newgrf/a.grf", "newgrf/c.grf"}, true},                     // on itself
  };
  for (const Case& test : cases) {
    Open();
    const int x = 60, y = 6;
    ToList(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ToList(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + test.dx, y + test.dy));
    EXPECT_EQ(test.changed, ::GetCapture() == window->list()) << test.dy;
    ToList(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, test.dropY));
    ToList(WM_LBUTTONUP, 0, MAKELPARAM(x, test.dropY));
    EXPECT_EQ(nullptr, ::GetCapture());
    std::vector<std::string> order;
    for (const Item& item : ListItems()) order.push_back(item.text);
    EXPECT_EQ(test.order, order) << test.dx << "," << test.dy << " to " << test.dropY;
    EXPECT_EQ(test.changed, window->manager().fileChanged);
    window.reset();
    Pump();
  }
}

TEST_F(MainWindow, StatusPanelFollowsTheWidthAndTheSizeStaysAboveTheMinimum) {
  Open();
  const std::pair<int, int> widths[] = {{320, 150}, {641, 310}, {500, 240}};
  for (const auto& [width, panel] : widths) {
    ::SetWindowPos(window->handle(), nullptr, 0, 0, width, 400, SWP_NOMOVE | SWP_NOZORDER);
    int edges[2] = {};
    ASSERT_EQ(2, ::SendMessageA(window->statusBar(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges)));
    EXPECT_EQ(panel, edges[0]) << width;
    EXPECT_EQ(-1, edges[1]);
  }
  // The list fills the client area above the status bar.
  RECT client{}, list{}, bar{};
  ::GetClientRect(window->handle(), &client);
  ::GetWindowRect(window->list(), &list);
  ::GetWindowRect(window->statusBar(), &bar);
  EXPECT_EQ(client.right, list.right - list.left);
  EXPECT_EQ(client.bottom, (list.bottom - list.top) + (bar.bottom - bar.top));

  MINMAXINFO limits{};
  ::SendMessageA(window->handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(320, limits.ptMinTrackSize.x);
  EXPECT_EQ(300, limits.ptMinTrackSize.y);
}

TEST_F(MainWindow, OpensWhereTheSettingsSayAndStoresItsPlaceOnClose) {
  PutSetting(setting::kLeft, REG_DWORD, std::string("\x28\0\0\0", 4));
  PutSetting(setting::kTop, REG_DWORD, std::string("\x1E\0\0\0", 4));
  PutSetting(setting::kWidth, REG_DWORD, std::string("\xC8\0\0\0", 4));  // 200: raised to the minimum
  Open();
  RECT rect{};
  ::GetWindowRect(window->handle(), &rect);
  EXPECT_EQ(std::make_tuple(40L, 30L, 320L, 400L),
            std::make_tuple(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top));
  ::SendMessageA(window->handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindow(window->handle()));
  EXPECT_TRUE(Pump());
  EXPECT_EQ(320u, StoredNumber(setting::kWidth));
  EXPECT_EQ(40u, StoredNumber(setting::kLeft));
}

TEST_F(MainWindow, CloseWithChangesFollowsTheAnswerAndAlwaysStoresThePlace) {
  struct Case {
    Answer answer;
    bool ends;
    std::string saved;
  };
  const Case cases[] = {
      {Answer::Yes, true, "newgrf/b.grf !\r\nnewgrf/a.grf\r\nnewgrf/c.grf !\r\n"},
      {Answer::No, true, kConfig},
      {Answer::Cancel, false, kConfig},
  };
  for (const Case& test : cases) {
    Open();
    Click(2, 5);
    ::SetWindowPos(window->handle(), nullptr, 50, 60, 400, 350, SWP_NOZORDER);
    dialogs.Expect(MessageKind::Confirmation, kCloseQuestion, MessageButtons::YesNoCancel, test.answer);
    if (test.answer == Answer::Yes) {
      dialogs.Expect(MessageKind::Confirmation, kReplace, MessageButtons::YesNo, Answer::Yes);
      dialogs.Expect(MessageKind::Information, "'newgrfw.cfg' saved");
    }
    ::SendMessageA(window->handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(dialogs.Done());
    EXPECT_TRUE(::IsWindow(window->handle())) << "the close itself is refused";
    EXPECT_EQ(test.ends, Pump());
    EXPECT_EQ(test.saved, ttd.Read("newgrfw.cfg"));
    EXPECT_EQ(60u, StoredNumber(setting::kTop));
    EXPECT_EQ(50u, StoredNumber(setting::kLeft));
    EXPECT_EQ(400u, StoredNumber(setting::kWidth));
    EXPECT_EQ(350u, StoredNumber(setting::kHeight));
    window.reset();
    Pump();
    ttd.Write("newgrfw.cfg", kConfig);
    for (const char* name : {setting::kTop, setting::kLeft, setting::kWidth, setting::kHeight}) {
      ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name);
    }
  }
}

TEST_F(MainWindow, AnErrorInAHandlerIsShownAndTheWindowGoesOn) {
  Open();
  // A double click reads "DoubleClickAction", here a text where a number belongs.
  PutSetting(setting::kDoubleClickAction, REG_SZ, std::string("1\0", 2));
  ToList(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 6));
  ToList(WM_LBUTTONUP, 0, MAKELPARAM(60, 6));
  dialogs.Expect(MessageKind::Error, "Invalid data type for 'DoubleClickAction'");
  ToList(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(60, 6));
  ToList(WM_LBUTTONUP, 0, MAKELPARAM(60, 6));
  EXPECT_TRUE(dialogs.Done());
  EXPECT_TRUE(::IsWindow(window->handle()));
  Click(1, 5);
  EXPECT_EQ(GrfState::Off, ListItems()[1].state);
}

}  // namespace
}  // namespace kestrav
