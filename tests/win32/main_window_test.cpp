// The real main window under Wine: what only the window shows (menu, shortcuts, the owner-
// drawn list, status bar, close), driven by the messages the system would send; the
// decisions behind them are tested with the controller.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/win32/win32_handles.h"
#include "support/win32_dialog_answerer.h"
#include "ui/manager_fixture.h"
#include "ui/win32/main_menu.h"
#include "ui/win32/manager_window.h"
#include "ui/win32/window_handles.h"

namespace kestrav {
namespace {

using C = Command;
constexpr const char* kConfig = "newgrf/b.grf !\r\nnewgrf/a.grf\r\n#DISABLED#newgrf/c.grf\r\n";

// The bar's items each followed by its drop-down's, indented: "-" for a separator, "~"
// before a disabled caption, then " =" and each key bound to the item's command ("^": Ctrl).
void AddLines(HMENU menu, HACCEL keys, const std::string& indent, std::vector<std::string>& lines) {
  ACCEL table[32];
  const int count = ::CopyAcceleratorTableA(keys, table, 32);
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    char caption[128] = {};
    MENUITEMINFOA info{sizeof info, MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU | MIIM_ID, 0, 0, 0, nullptr,
                       nullptr, nullptr, 0, caption, sizeof caption, nullptr};
    EXPECT_TRUE(::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info));
    const bool separator = info.fType & MFT_SEPARATOR;
    std::string line = indent + (separator ? "-" : (info.fState & MFS_DISABLED) ? "~" : "");
    line += separator ? "" : caption;
    for (const ACCEL& key : std::span(table, count)) {
      if (key.cmd != info.wID || info.hSubMenu) continue;
      const bool ctrl = key.fVirt == (FVIRTKEY | FCONTROL), function = key.key >= VK_F1 && key.key <= VK_F12;
      line += std::string(" =") + (ctrl ? "^" : key.fVirt == FVIRTKEY ? "" : "?");
      line += function ? "F" + std::to_string(key.key - VK_F1 + 1) : std::string(1, static_cast<char>(key.key));
    }
    lines.push_back(line);
    if (info.hSubMenu) AddLines(info.hSubMenu, keys, indent + "  ", lines);
  }
}

class MainWindow : public ::testing::Test, protected test::ManagerFixture {
 protected:
  void SetUp() override {
    UseTtdDirectory();
    ttd.Write("GameGFX.exe", "");
    for (const auto& [name, sprites] : {std::pair{"a", 1}, {"b", 2}, {"c", 4}}) {
      ttd.Write("newgrf/" + std::string(name) + ".grf", test::GrfOf(sprites));
    }
    ttd.Write("newgrfw.cfg", kConfig);
  }
  void TearDown() override {
    window.reset();
    Pump();
  }
  void Open() {
    window = std::make_unique<win32::ManagerWindow>(platform.ports);
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
  LRESULT ToList(UINT message, WPARAM wParam, int x = 0, int y = 0) {
    return ::SendMessageA(window->list(), message, wParam, MAKELPARAM(x, y));
  }
  void Run(C command) { ::SendMessageA(window->handle(), WM_COMMAND, win32::CommandId(command), 0); }
  void Click(int index, int x) {
    ToList(WM_LBUTTONDOWN, MK_LBUTTON, x, index * 13 + 6);
    ToList(WM_LBUTTONUP, 0, x, index * 13 + 6);
  }
  // Each item's text and drawn state, then the two panels' texts.
  std::string Shown() {
    std::string shown;
    char text[256] = {};
    for (WPARAM i = 0; i < static_cast<WPARAM>(ToList(LB_GETCOUNT, 0)); ++i) {
      ::SendMessageA(window->list(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      shown += std::string(text) + " " + "AIO"[ToList(LB_GETITEMDATA, i)] + ", ";
    }
    for (WPARAM panel : {0, 1}) {
      ::SendMessageA(window->statusBar(), SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(text));
      shown += std::string(panel ? " | " : "") + text;
    }
    return shown;
  }

  std::unique_ptr<win32::ManagerWindow> window;
};

TEST_F(MainWindow, MenuShortcutsAndTheButtonOverTheList) {
  Open();
  EXPECT_EQ("Kestrav", test::TextOf(window->handle()));
  std::vector<std::string> lines;
  AddLines(::GetMenu(window->handle()), window->accelerators(), "", lines);
  EXPECT_EQ((std::vector<std::string>{
                "&File", "  &Save\tCtrl+S =^S", "  -", "  &Add\tCtrl+A =^A", "  ~&Delete\tCtrl+D =^D", "  -",
                "  &Quit\tCtrl+X =^X", "&Options", "  &Settings\tF9 =F9", "  -", "  ~File &Information\tF5 =F5",
                "  ~Set &Parameter\tF6 =F6", "  Open in &Notepad\tF10 =F10", "  Create a &Log\tF12 =F12", "&Help",
                "  Hel&p\tF1 =F1", "  -", "  &About Kestrav\tF2 =F2", "~|", "&Run Game =^R"}),
            lines);
  EXPECT_EQ(12, ::CopyAcceleratorTableA(window->accelerators(), nullptr, 0)) << "each key on an item";
  Run(C::Notepad);  // reaches the controller
  EXPECT_EQ(ttd.Join("newgrfw.cfg"), platform.shell.starts.at(0).parameters);
  // The button over the list, hidden while there is a directory.
  EXPECT_FALSE(::IsWindowVisible(window->selectDirectoryButton()));
  EXPECT_EQ("Select TTD Directory", test::TextOf(window->selectDirectoryButton()));
}

TEST_F(MainWindow, OwnerDrawnListTakesAClickInTheBoxTheSpaceKeyAndADrag) {
  Open();
  EXPECT_TRUE(::GetWindowLongA(window->list(), GWL_STYLE) & LBS_OWNERDRAWFIXED);
  EXPECT_EQ(13, ToList(LB_GETITEMHEIGHT, 0));
  EXPECT_EQ("newgrf/b.grf I, newgrf/a.grf A, newgrf/c.grf O, Total Sprites: 3 | Active Sprites: 1", Shown());
  Click(2, 5);
  for (const UINT message : {WM_KEYDOWN, WM_CHAR, WM_KEYUP}) ToList(message, VK_SPACE);
  EXPECT_EQ("newgrf/b.grf I, newgrf/a.grf A, newgrf/c.grf A, Total Sprites: 7 | Active Sprites: 5", Shown());
  // The list holds the pointer from the drag's start until the button goes up.
  ToList(WM_LBUTTONDOWN, MK_LBUTTON, 60, 6);
  ToList(WM_MOUSEMOVE, MK_LBUTTON, 60, 11);
  EXPECT_EQ(window->list(), ::GetCapture());
  ToList(WM_MOUSEMOVE, MK_LBUTTON, 60, 32);
  ToList(WM_LBUTTONUP, 0, 60, 32);
  EXPECT_EQ(std::pair(HWND{}, std::string("newgrf/a")), std::pair(::GetCapture(), Shown().substr(0, 8)));
}

// Inactive is the help text's grey mark: where its box, drawn by the window into a bitmap,
// differs from an empty box the pixels are grey, and it differs from a checked one (rows wide
// enough that a marker at their right end stays clear of the box).
TEST_F(MainWindow, AnInactiveItemsBoxShowsAGreyMark) {
  Open();
  const win32::WindowDc screen(nullptr);
  const win32::UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
  const win32::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), 200, 39));
  const win32::SelectedObject selected(dc.get(), bitmap.get());
  for (const int i : {0, 1, 2}) {  // Inactive, Active and Off, one below the other
    DRAWITEMSTRUCT item{ODT_LISTBOX, win32::kListId, UINT(i), ODA_DRAWENTIRE, 0, window->list(), dc.get(),
                        {0, 13 * i, 200, 13 * i + 13}, static_cast<ULONG_PTR>(ToList(LB_GETITEMDATA, i))};
    ::SendMessageA(window->handle(), WM_DRAWITEM, win32::kListId, reinterpret_cast<LPARAM>(&item));
  }
  int grey = 0, notGrey = 0, unlikeChecked = 0;
  for (int p = 0; p < 16 * 13; ++p) {
    const COLORREF inactive = ::GetPixel(dc.get(), p % 16, p / 16), off = ::GetPixel(dc.get(), p % 16, p / 16 + 26);
    const int red = GetRValue(inactive);
    const int spread = std::abs(red - GetGValue(inactive)) + std::abs(red - GetBValue(inactive));
    grey += inactive != off && spread <= 24 && red >= 64 && red <= 208;
    notGrey += inactive != off && spread > 24;
    unlikeChecked += inactive != ::GetPixel(dc.get(), p % 16, p / 16 + 13);
  }
  EXPECT_EQ(std::tuple(true, 0, true), std::tuple(grey >= 5, notGrey, unlikeChecked > 0));
}

// Two files dropped from the file manager: the one that is no GRF file is refused by name,
// the other goes through Add's questions into newgrf and onto the list, which it joins only
// once copied.
TEST_F(MainWindow, FilesDroppedFromTheFileManagerAreInstalledAsAddDoes) {
  Open();
  const test::TempDir downloads;
  const std::string notes = downloads.Write("notes.txt", "");
  const std::string names = notes + '\0' + downloads.Write("d.grf", "d") + '\0';
  auto* drop = static_cast<DROPFILES*>(::GlobalAlloc(GPTR, sizeof(DROPFILES) + names.size() + 1));
  drop->pFiles = sizeof(DROPFILES);
  names.copy(reinterpret_cast<char*>(drop + 1), names.size());
  platform.dialogs.Expect(MessageKind::Warning, notes + "\nis not a GRF file (*.grf).\nIt is not installed.");
  platform.dialogs.Expect(MessageKind::Confirmation, "File Installed.\nDo you want to delete source file?",
                          MessageButtons::YesNo, Answer::No);
  platform.dialogs.Expect(MessageKind::Information, "File Installed.\nSource file not deleted.");
  ::PostMessageA(window->handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  Pump();
  EXPECT_EQ("newgrf/b.grf I, newgrf/a.grf A, newgrf/c.grf O, newgrf/d.grf O, ", Shown().substr(0, 64));
}

// Closed while maximised, the window stores the place it is restored to.
TEST_F(MainWindow, ThePlaceStoredAtTheCloseIsTheRestoredOne) {
  Open();
  ::SetWindowPos(window->handle(), nullptr, 50, 60, 400, 350, SWP_NOZORDER);
  Pump();
  ::ShowWindow(window->handle(), SW_MAXIMIZE);
  Pump();
  ::SendMessageA(window->handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(Pump());
  auto stored = Settings();
  EXPECT_EQ(std::vector<int>({50, 60, 400, 350}),
            std::vector<int>({stored.ReadInteger(setting::kLeft), stored.ReadInteger(setting::kTop),
                              stored.ReadInteger(setting::kWidth), stored.ReadInteger(setting::kHeight)}));
}

// The configuration cannot be read while another program holds it open without sharing:
// the list shows what the load read, and nothing writes the file until a load succeeds.
TEST_F(MainWindow, FileInformationOnAFileAnotherProgramHoldsOpenFindsNoData) {
  Open();
  const win32::UniqueHandle held(win32::OrNull(
      ::CreateFileA(ttd.Join("newgrf/a.grf").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
  Click(1, 60);
  platform.dialogs.Expect(MessageKind::Error, "Cannot find any data in this file");
  Run(C::FileInfo);
}

TEST_F(MainWindow, AFailedLoadIsShownAndLeavesTheConfigurationAsItWas) {
  {
    const win32::UniqueHandle holder(win32::OrNull(::CreateFileA(
        ttd.Join("newgrfw.cfg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    ASSERT_TRUE(holder);
    platform.dialogs.Expect(MessageKind::Error, "Cannot open file " + ttd.Join("newgrfw.cfg"));
    Open();
  }
  EXPECT_TRUE(::IsWindowVisible(window->handle()));
  EXPECT_EQ("newgrf/a.grf O, newgrf/b.grf O, newgrf/c.grf O, Total Sprites: | Active Sprites:", Shown());
  EXPECT_TRUE(::GetMenuState(::GetMenu(window->handle()), win32::CommandId(C::Save), MF_BYCOMMAND) & MF_GRAYED);
  Run(C::Save);  // asks nothing, writes nothing
  // A failing handler is shown and the window goes on: a double click reads
  // "DoubleClickAction", here a text where a number belongs.
  Settings().WriteString(setting::kDoubleClickAction, "1");
  Click(0, 60);
  platform.dialogs.Expect(MessageKind::Error, "Invalid data type for 'DoubleClickAction'");
  ToList(WM_LBUTTONDBLCLK, MK_LBUTTON, 60, 6);
  EXPECT_TRUE(platform.dialogs.Done());
  Click(1, 5);
  // Changed, yet there is nothing of the player's to save: the window closes unasked.
  ::SendMessageA(window->handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(Pump());
  EXPECT_EQ(kConfig, ttd.Read("newgrfw.cfg"));
}

// b.grf and a.grf are no graphics files the patch reads: red markers, drawn beside the rest of
// the row as it is without one; c.grf (Off) has none. The mouse over one shows its findings.
TEST_F(MainWindow, AMarkerLeavesTheRowAsItWasAndShowsTheFindingsUnderTheMouse) {
  Open();
  RECT client{};
  ::GetClientRect(window->list(), &client);
  const auto drawn = [&] {  // the three rows' pixels
    const HDC dc = ::CreateCompatibleDC(nullptr);
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), client.right, -3 * 13, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    const HGDIOBJ previous = ::SelectObject(dc, ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ::SendMessageA(window->list(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ::GdiFlush();
    const auto* begin = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(begin, begin + 3 * 13 * client.right);
    ::DeleteObject(::SelectObject(dc, previous));
    ::DeleteDC(dc);
    return pixels;
  };
  const std::vector<std::uint32_t> marked = drawn();
  const std::vector<ItemMarker> markers = window->manager().Markers();
  window->SetMarkers(std::vector<ItemMarker>(3));
  const std::vector<std::uint32_t> plain = drawn();
  int red = 0, changed = 0;
  for (std::size_t i = 0; i < marked.size(); ++i) {
    const bool inMarker = i < 26u * client.right && long(i % client.right) >= client.right - win32::kMarkerColumnWidth;
    changed += !inMarker && marked[i] != plain[i];
    red += inMarker && (marked[i] >> 16 & 0xFF) > 150 && (marked[i] >> 8 & 0xFF) < 80;  // BGRA
  }
  EXPECT_EQ(0, changed) << "the check box and the entry text as without a marker";
  EXPECT_GT(red, 2 * 9) << "a red disc on each of the two rows";
  window->SetMarkers(markers);
  POINT point{client.right - 6, 13 + 6};  // a.grf's marker
  ::ClientToScreen(window->list(), &point);
  ::SetCursorPos(point.x, point.y);
  for (int wait = 0; wait < 60 && !::IsWindowVisible(window->markerTip()); ++wait) Pump(), ::Sleep(50);
  EXPECT_TRUE(::IsWindowVisible(window->markerTip()));
  EXPECT_EQ(markers.at(1).tip, test::TextOf(window->markerTip()));
}

}  // namespace
}  // namespace kestrav
