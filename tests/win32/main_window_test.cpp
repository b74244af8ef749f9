// The real main window under Wine: what only the window shows (menu, shortcuts, the owner-
// drawn list, status bar, close), driven by the messages the system would send, on a TTD
// directory of its own and the settings in the real registry of the test prefix. The
// decisions behind them are the controller's and are tested with it in tests/ui.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "environment/settings_store.h"
#include "platform/system_platform.h"
#include "platform/win32/win32_handles.h"
#include "support/grf_builder.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"
#include "ui/win32/main_menu.h"
#include "ui/win32/manager_window.h"

namespace kestrav {
namespace {

constexpr const char* kReplace = "File 'newgrf.cfg' or 'newgrfw.cfg' exists.\nDo you want to replace it ?";
constexpr const char* kConfig = "newgrf/b.grf !\r\nnewgrf/a.grf\r\n#DISABLED#newgrf/c.grf\r\n";
constexpr int kItemHeight = 13;

using ItemList = std::vector<std::pair<std::string, GrfState>>;  // each text, the state drawn

// The bar's items each followed by its drop-down's, indented: "-" for a separator, "~"
// before a disabled caption.
void AddLines(HMENU menu, const std::string& indent, std::vector<std::string>& lines) {
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    char caption[128] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
    info.dwTypeData = caption;
    info.cch = sizeof caption;
    EXPECT_TRUE(::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info));
    const char* mark = info.fType & MFT_SEPARATOR ? "-" : (info.fState & MFS_DISABLED) ? "~" : "";
    lines.push_back(indent + mark + (info.fType & MFT_SEPARATOR ? "" : caption));
    if (info.hSubMenu) AddLines(info.hSubMenu, indent + "  ", lines);
  }
}

void ExpectMenu(HMENU bar) {
  std::vector<std::string> lines;
  AddLines(bar, "", lines);
  EXPECT_EQ((std::vector<std::string>{
                "&File", "  &Save\tCtrl+S", "  -", "  &Add\tCtrl+A", "  ~&Delete\tCtrl+D", "  -", "  &Quit\tCtrl+X",
                "&Options", "  &Settings\tF9", "  -", "  ~File &Information\tF5", "  ~Set &Parameter\tF6",
                "  Open in &Notepad\tF10", "  Create a &Log\tF12", "&Help", "  Hel&p\tF1", "  -",
                "  &About Kestrav\tF2", "~|", "&Run Game"}),
            lines);
}

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearSettings();
    ttd.Write("GameGFX.exe", "");
    for (const auto& [name, sprites] : {std::pair{"a", 1}, {"b", 2}, {"c", 4}}) {
      test::GrfBuilder grf;
      for (int i = 0; i < sprites; ++i) grf.Stored(4);
      ttd.Write("newgrf/" + std::string(name) + ".grf", grf.Terminator().bytes());
    }
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
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, type, data.data(),
                                               static_cast<DWORD>(data.size())));
  }
  static DWORD StoredNumber(const char* name) {
    DWORD value = 0, size = sizeof value;
    ::RegGetValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
  }

  void Open() {
    window = std::make_unique<win32::ManagerWindow>(ports);
    window->Create();
    window->Show(SW_SHOW);
    Pump();
  }
  // Handles what is queued; whether the application was told to end.
  static bool Pump() {
    bool quit = false;
    for (MSG message; ::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) {
      quit = quit || message.message == WM_QUIT;
      if (message.message != WM_QUIT) ::DispatchMessageA(&message);
    }
    return quit;
  }

  LRESULT ToList(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageA(window->list(), message, wParam, lParam);
  }
  // A press and release at x of the item's row, as the mouse gives them.
  void Click(int index, int x) {
    ToList(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, index * kItemHeight + 6));
    ToList(WM_LBUTTONUP, 0, MAKELPARAM(x, index * kItemHeight + 6));
  }
  ItemList Items() {
    ItemList items;
    for (WPARAM i = 0; i < static_cast<WPARAM>(ToList(LB_GETCOUNT, 0, 0)); ++i) {
      char text[256] = {};
      ToList(LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      items.emplace_back(text, static_cast<GrfState>(ToList(LB_GETITEMDATA, i, 0)));
    }
    return items;
  }
  std::string Status() {
    char texts[2][64] = {};
    for (WPARAM panel : {0, 1}) {
      ::SendMessageA(window->statusBar(), SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(texts[panel]));
    }
    return std::string(texts[0]) + " | " + texts[1];
  }
  bool Enabled(Command command) {
    return !(::GetMenuState(::GetMenu(window->handle()), win32::CommandId(command), MF_BYCOMMAND) & MF_GRAYED);
  }

  test::TempDir ttd;
  SystemAdapters system = MakeSystemAdapters();  // the real file system and registry
  test::ScriptedDialogs dialogs;
  test::FakeProcessRunner processes;
  test::FakeScreen screen;
  test::RecordingShell shell;
  Platform ports{*system.files, *system.registry, dialogs, processes, *system.xml, screen, *system.locale, shell};
  std::unique_ptr<win32::ManagerWindow> window;
};

TEST_F(MainWindow, MenuCaptionShortcutsAndTheButtonsTexts) {
  ExpectMenu(win32::CreateMainMenu().get());
  Open();
  char caption[64] = {}, text[128] = {}, hint[256] = {};
  ::GetWindowTextA(window->handle(), caption, sizeof caption);
  EXPECT_STREQ("Kestrav", caption);
  ExpectMenu(::GetMenu(window->handle()));  // nothing selected yet

  ACCEL table[32];
  std::vector<std::tuple<BYTE, WORD, Command>> shortcuts;
  for (int i = 0; i < ::CopyAcceleratorTableA(window->accelerators(), table, 32); ++i) {
    shortcuts.emplace_back(table[i].fVirt, table[i].key, *win32::CommandOfId(table[i].cmd));
  }
  constexpr BYTE kCtrl = FVIRTKEY | FCONTROL, kKey = FVIRTKEY;
  EXPECT_EQ((std::vector<std::tuple<BYTE, WORD, Command>>{
                {kCtrl, 'S', Command::Save}, {kCtrl, 'A', Command::Add}, {kCtrl, 'D', Command::Delete},
                {kCtrl, 'X', Command::Quit}, {kKey, VK_F9, Command::Settings}, {kKey, VK_F5, Command::FileInfo},
                {kKey, VK_F6, Command::Parameter}, {kKey, VK_F10, Command::Notepad}, {kKey, VK_F12, Command::MakeLog},
                {kKey, VK_F1, Command::Help}, {kKey, VK_F2, Command::About}, {kCtrl, 'R', Command::Run}}),
            shortcuts);
  // A shortcut's command reaches the controller: the save asks before it replaces the file.
  dialogs.Expect(MessageKind::Confirmation, kReplace, MessageButtons::YesNo, Answer::No);
  ::SendMessageA(window->handle(), WM_COMMAND, MAKEWPARAM(win32::CommandId(Command::Save), 1), 0);
  EXPECT_TRUE(dialogs.Done());

  // The button over the list, hidden while there is a directory, and its tool tip, which
  // hands out no more than the first 80 characters of its text.
  EXPECT_FALSE(::IsWindowVisible(window->selectDirectoryButton()));
  ::GetWindowTextA(window->selectDirectoryButton(), text, sizeof text);
  EXPECT_STREQ("Select TTD Directory", text);
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = window->handle();
  tool.uId = reinterpret_cast<UINT_PTR>(window->selectDirectoryButton());
  tool.lpszText = hint;
  ::SendMessageA(window->toolTip(), TTM_GETTEXTA, sizeof hint, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ("To work with this tool you need to select your TTD directory (with TTDPatch in i", hint);
}

TEST_F(MainWindow, OwnerDrawnListTakesClicksInTheBoxAndTheSpaceKey) {
  Open();
  EXPECT_TRUE(::GetWindowLongA(window->list(), GWL_STYLE) & LBS_OWNERDRAWFIXED);
  EXPECT_EQ(kItemHeight, ToList(LB_GETITEMHEIGHT, 0, 0));
  EXPECT_EQ((ItemList{{"newgrf/b.grf", GrfState::Inactive}, {"newgrf/a.grf", GrfState::Active},
                      {"newgrf/c.grf", GrfState::Off}}),
            Items());
  EXPECT_EQ("Total Sprites: 3 | Active Sprites: 1", Status());
  EXPECT_FALSE(Enabled(Command::Delete));

  Click(2, 5);
  EXPECT_EQ(GrfState::Inactive, Items()[2].second);
  EXPECT_EQ("Total Sprites: 7 | Active Sprites: 1", Status());
  EXPECT_EQ(2, ToList(LB_GETCURSEL, 0, 0));
  EXPECT_TRUE(Enabled(Command::Delete) && Enabled(Command::FileInfo) && Enabled(Command::Parameter));

  Click(0, 60);  // on the text: selects only
  EXPECT_EQ(GrfState::Inactive, Items()[0].second);
  ToList(WM_KEYDOWN, VK_SPACE, 0);
  ToList(WM_CHAR, ' ', 0);
  ToList(WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(GrfState::Active, Items()[0].second);
  EXPECT_EQ("Total Sprites: 7 | Active Sprites: 3", Status());
  ToList(WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(1, window->manager().listGrfFiles.Selected());
}

TEST_F(MainWindow, DragMovesAnItemOnlyFromFivePixelsOn) {
  // The pointer's move from the press with the button held, where it goes up, the order then.
  for (const auto& [dy, dropY, order] : {std::tuple{4, 10, "bac"}, {5, 2 * kItemHeight + 6, "acb"}}) {
    Open();
    ToList(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 6));
    ToList(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 6 + dy));
    EXPECT_EQ(dy >= 5, ::GetCapture() == window->list()) << dy;
    ToList(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, dropY));
    ToList(WM_LBUTTONUP, 0, MAKELPARAM(60, dropY));
    EXPECT_EQ(nullptr, ::GetCapture());
    std::string names;
    for (const auto& item : Items()) names += item.first.substr(7, 1);
    EXPECT_EQ(order, names) << dy;
    EXPECT_EQ(dy >= 5, window->manager().fileChanged);
  }
}

TEST_F(MainWindow, CloseWithChangesFollowsTheAnswerAndStoresThePlace) {
  const std::tuple<Answer, bool, std::string> cases[] = {
      {Answer::Yes, true, "newgrf/b.grf !\r\nnewgrf/a.grf\r\nnewgrf/c.grf !\r\n"},
      {Answer::No, true, kConfig},
      {Answer::Cancel, false, kConfig},
  };
  for (const auto& [answer, ends, saved] : cases) {
    Open();
    Click(2, 5);
    ::SetWindowPos(window->handle(), nullptr, 50, 60, 400, 350, SWP_NOZORDER);
    dialogs.Expect(MessageKind::Confirmation,
                   "File changed.\nDo you want to save it?\nPress 'Yes' to save and exit,\n'No' to exit without "
                   "saving,\nor 'Cancel' to not exit.",
                   MessageButtons::YesNoCancel, answer);
    if (answer == Answer::Yes) {
      dialogs.Expect(MessageKind::Confirmation, kReplace, MessageButtons::YesNo, Answer::Yes);
      dialogs.Expect(MessageKind::Information, "'newgrfw.cfg' saved");
    }
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, setting::kLeft);
    ::SendMessageA(window->handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(dialogs.Done());
    EXPECT_TRUE(::IsWindow(window->handle())) << "the close itself is refused";
    EXPECT_EQ(ends, Pump());
    EXPECT_EQ(saved, ttd.Read("newgrfw.cfg"));
    EXPECT_EQ(std::make_tuple(50u, 60u, 400u, 350u),
              std::make_tuple(StoredNumber(setting::kLeft), StoredNumber(setting::kTop),
                              StoredNumber(setting::kWidth), StoredNumber(setting::kHeight)));
    ttd.Write("newgrfw.cfg", kConfig);
  }
}

// The configuration cannot be read while another program holds it open without sharing:
// the list shows what the load read, and nothing writes the file until a load succeeds.
TEST_F(MainWindow, AFailedLoadIsShownAndLeavesTheConfigurationAsItWas) {
  {
    const win32::UniqueHandle holder(win32::OrNull(::CreateFileA(
        ttd.Join("newgrfw.cfg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    ASSERT_TRUE(holder);
    dialogs.Expect(MessageKind::Error, "Cannot open file " + ttd.Join("newgrfw.cfg"));
    Open();
  }
  EXPECT_TRUE(dialogs.Done());
  EXPECT_TRUE(::IsWindowVisible(window->handle()));
  EXPECT_EQ((ItemList{{"newgrf/a.grf", GrfState::Off}, {"newgrf/b.grf", GrfState::Off},
                      {"newgrf/c.grf", GrfState::Off}}),
            Items());
  EXPECT_FALSE(Enabled(Command::Save));
  ::SendMessageA(window->handle(), WM_COMMAND, MAKEWPARAM(win32::CommandId(Command::Save), 1), 0);  // Ctrl+S

  // A failing handler is shown and the window goes on: a double click reads
  // "DoubleClickAction", here a text where a number belongs.
  PutSetting(setting::kDoubleClickAction, REG_SZ, std::string("1\0", 2));
  Click(0, 60);
  dialogs.Expect(MessageKind::Error, "Invalid data type for 'DoubleClickAction'");
  ToList(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(60, 6));
  EXPECT_TRUE(dialogs.Done());
  Click(1, 5);
  EXPECT_EQ(GrfState::Inactive, Items()[1].second);
  // Changed, yet there is nothing of the player's to save: the window closes unasked.
  ::SendMessageA(window->handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(Pump());
  EXPECT_EQ(kConfig, ttd.Read("newgrfw.cfg"));
}

TEST_F(MainWindow, TheFirstPanelFollowsTheRealWidthAlsoMaximised) {
  Open();
  for (const int show : {SW_MAXIMIZE, SW_RESTORE}) {
    ::ShowWindow(window->handle(), show);
    Pump();
    RECT outer{};
    ::GetWindowRect(window->handle(), &outer);
    int edges[2] = {};
    ::SendMessageA(window->statusBar(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ((outer.right - outer.left - 20) / 2, edges[0]) << show;
    EXPECT_EQ(show == SW_MAXIMIZE, outer.right - outer.left > 320) << show;
  }
}

}  // namespace
}  // namespace kestrav
