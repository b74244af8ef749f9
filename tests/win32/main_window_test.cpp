// The real main window under Wine: what only the window shows (menu, shortcuts, the owner-
// drawn list, status bar, close), driven by the messages the system would send, on a TTD
// directory of its own and the settings in the real registry of the test prefix. The
// decisions behind them are the controller's and are tested with it in tests/ui.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "environment/settings_store.h"
#include "grf/sprite_totals.h"
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

using win32::ManagerWindow;
using Item = std::pair<std::string, GrfState>;
using MenuLine = std::pair<std::string, bool>;  // caption ("" for a separator), enabled

constexpr const char* kReplace = "File 'newgrf.cfg' or 'newgrfw.cfg' exists.\nDo you want to replace it ?";
constexpr const char* kConfig = "newgrf/b.grf !\r\nnewgrf/a.grf\r\n#DISABLED#newgrf/c.grf\r\n";
constexpr int kItemHeight = 13;

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
    const bool separator = info.fType & MFT_SEPARATOR;
    lines.emplace_back(separator ? "" : caption, !separator && (info.fState & MFS_DISABLED) == 0);
  }
  return lines;
}

void ExpectMenu(HMENU bar) {
  EXPECT_EQ((std::vector<MenuLine>{{"&File", true}, {"&Options", true}, {"&Help", true}, {"|", false},
                                   {"&Run Game", true}}),
            LinesOf(bar));
  EXPECT_EQ((std::vector<MenuLine>{{"&Save\tCtrl+S", true}, {"", false}, {"&Add\tCtrl+A", true},
                                   {"&Delete\tCtrl+D", false}, {"", false}, {"&Quit\tCtrl+X", true}}),
            LinesOf(::GetSubMenu(bar, 0)));
  EXPECT_EQ((std::vector<MenuLine>{{"&Settings\tF9", true}, {"", false}, {"File &Information\tF5", false},
                                   {"Set &Parameter\tF6", false}, {"Open in &Notepad\tF10", true},
                                   {"Create a &Log\tF12", true}}),
            LinesOf(::GetSubMenu(bar, 1)));
  EXPECT_EQ((std::vector<MenuLine>{{"Hel&p\tF1", true}, {"", false}, {"&About Kestrav\tF2", true}}),
            LinesOf(::GetSubMenu(bar, 2)));
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
  static std::optional<DWORD> StoredNumber(const char* name) {
    DWORD value = 0, size = sizeof value;
    if (::RegGetValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, RRF_RT_REG_DWORD, nullptr, &value, &size)) return {};
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
      items.emplace_back(text, static_cast<GrfState>(ToList(LB_GETITEMDATA, static_cast<WPARAM>(i))));
    }
    return items;
  }
  std::pair<std::string, std::string> Status() {
    char texts[2][256] = {};
    for (WPARAM panel : {0, 1}) {
      ::SendMessageA(window->statusBar(), SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(texts[panel]));
    }
    return {texts[0], texts[1]};
  }
  static std::pair<std::string, std::string> Totals(int total, int active) {
    return {TotalSpritesText(total), ActiveSpritesText(active)};
  }
  bool Enabled(Command command) {
    const UINT state = ::GetMenuState(::GetMenu(window->handle()), win32::CommandId(command), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & MF_GRAYED);
  }

  test::TempDir ttd;
  SystemAdapters system = MakeSystemAdapters();  // the real file system and registry
  test::ScriptedDialogs dialogs;
  test::FakeProcessRunner processes;
  test::FakeScreen screen;
  Platform ports{*system.files, *system.registry, dialogs, processes, *system.xml, screen, *system.locale};
  std::unique_ptr<ManagerWindow> window;
};

TEST_F(MainWindow, MenuCaptionShortcutsAndTheButtonsTexts) {
  const win32::UniqueMenu fresh = win32::CreateMainMenu();
  ExpectMenu(fresh.get());
  Open();
  char caption[64] = {}, text[128] = {}, hint[256] = {};
  ::GetWindowTextA(window->handle(), caption, sizeof caption);
  EXPECT_STREQ("Kestrav", caption);
  ExpectMenu(::GetMenu(window->handle()));  // nothing selected yet

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
  // A shortcut's command reaches the controller: the save asks before it replaces the file.
  dialogs.Expect(MessageKind::Confirmation, kReplace, MessageButtons::YesNo, Answer::No);
  ::SendMessageA(window->handle(), WM_COMMAND, MAKEWPARAM(win32::CommandId(Command::Save), 1), 0);
  EXPECT_TRUE(dialogs.Done());

  // The button over the list, hidden while there is a directory.
  EXPECT_FALSE(::IsWindowVisible(window->selectDirectoryButton()));
  ::GetWindowTextA(window->selectDirectoryButton(), text, sizeof text);
  EXPECT_STREQ("Select TTD Directory", text);
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = window->handle();
  tool.uId = reinterpret_cast<UINT_PTR>(window->selectDirectoryButton());
  tool.lpszText = hint;
  ::SendMessageA(window->toolTip(), TTM_GETTEXTA, sizeof hint, reinterpret_cast<LPARAM>(&tool));
  // The tool tip hands out no more than the first 80 characters of its text.
  EXPECT_EQ(std::string(win32::kSelectDirectoryHint).substr(0, 80), hint);
}

TEST_F(MainWindow, OwnerDrawnListTakesClicksInTheBoxAndTheSpaceKey) {
  Open();
  EXPECT_TRUE(::GetWindowLongA(window->list(), GWL_STYLE) & LBS_OWNERDRAWFIXED);
  EXPECT_EQ(kItemHeight, ToList(LB_GETITEMHEIGHT));
  EXPECT_EQ((std::vector<Item>{{"newgrf/b.grf", GrfState::Inactive}, {"newgrf/a.grf", GrfState::Active},
                               {"newgrf/c.grf", GrfState::Off}}),
            ListItems());
  EXPECT_EQ(Totals(3, 1), Status());

  Click(2, 5);
  EXPECT_EQ(GrfState::Inactive, ListItems()[2].second);
  EXPECT_EQ(Totals(7, 1), Status());
  EXPECT_EQ(2, ToList(LB_GETCURSEL));
  EXPECT_TRUE(Enabled(Command::Delete) && Enabled(Command::FileInfo) && Enabled(Command::Parameter));

  Click(0, 60);  // on the text: selects only
  EXPECT_EQ(GrfState::Inactive, ListItems()[0].second);
  ToList(WM_KEYDOWN, VK_SPACE, 0);
  ToList(WM_CHAR, ' ', 0);
  ToList(WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(GrfState::Active, ListItems()[0].second);
  EXPECT_EQ(Totals(7, 3), Status());
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
    for (const Item& item : ListItems()) names += item.first.substr(7, 1);
    EXPECT_EQ(order, names) << dy;
    EXPECT_EQ(dy >= 5, window->manager().fileChanged);
    window.reset();
    Pump();
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
    ::SendMessageA(window->handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(dialogs.Done());
    EXPECT_TRUE(::IsWindow(window->handle())) << "the close itself is refused";
    EXPECT_EQ(ends, Pump());
    EXPECT_EQ(saved, ttd.Read("newgrfw.cfg"));
    EXPECT_EQ(std::make_tuple(50u, 60u, 400u, 350u),
              std::make_tuple(StoredNumber(setting::kLeft), StoredNumber(setting::kTop),
                              StoredNumber(setting::kWidth), StoredNumber(setting::kHeight)));
    window.reset();
    Pump();
    ttd.Write("newgrfw.cfg", kConfig);
    ClearSettings();
    PutSetting(setting::kTtdPath, REG_SZ, ttd.path() + '\0');
  }
}

TEST_F(MainWindow, AFailedFirstLoadAndAFailedHandlerAreShownAndTheWindowGoesOn) {
  {
    // A configuration file held open by another program cannot be read.
    const win32::UniqueHandle holder(win32::OrNull(::CreateFileA(
        ttd.Join("newgrfw.cfg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    ASSERT_TRUE(holder);
    dialogs.Expect(MessageKind::Error, "Cannot open file " + ttd.Join("newgrfw.cfg"));
    Open();
  }
  EXPECT_TRUE(dialogs.Done());
  EXPECT_TRUE(::IsWindowVisible(window->handle()));
  EXPECT_EQ(3, ToList(LB_GETCOUNT)) << "the installed files, as far as the load came";

  // A double click reads "DoubleClickAction", here a text where a number belongs.
  PutSetting(setting::kDoubleClickAction, REG_SZ, std::string("1\0", 2));
  Click(0, 60);
  dialogs.Expect(MessageKind::Error, "Invalid data type for 'DoubleClickAction'");
  ToList(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(60, 6));
  ToList(WM_LBUTTONUP, 0, MAKELPARAM(60, 6));
  EXPECT_TRUE(dialogs.Done());
  Click(1, 5);
  EXPECT_EQ(GrfState::Inactive, ListItems()[1].second);
}

}  // namespace
}  // namespace kestrav
