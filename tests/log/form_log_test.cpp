#include <gtest/gtest.h>

#include "log/form_log.h"
#include "ui/manager_fixture.h"

namespace kestrav {
namespace {

// The present is 16 July 2004, 09:08:07; any other time is a file's.
class FixedLocale : public Locale {
 public:
  int CompareIgnoringCase(const std::string& a, const std::string& b) override { return a.compare(b); }
  std::string ShortDate(const DosDateTime& when) override { return when == Now() ? "16.07.2004" : "file-date"; }
  std::string LongTime(const DosDateTime& when) override { return when == Now() ? "09:08:07" : "file-time"; }
  DosDateTime Now() override { return {2004, 7, 16, 9, 8, 7}; }
};

struct LogRecorder : LogView {
  void SelectFormat(int index) override { selected = index; }
  void SetProgress(int position) override { progress.push_back(position); }
  void SetProgressMax(int) override {}
  void RunModal() override {}
  void Close() override {}
  int selected = -2;
  std::vector<int> progress;
};

struct LogTest : ::testing::Test, test::ManagerFixture {
  LogTest() { UseTtdDirectory(); }
  std::string Log(int format, const std::string& name) {
    platform.dialogs.ExpectFileDialog(ttd.Join(name));
    form.groupFormatClick(format);
    form.Button1Click();
    return ttd.Read(name);
  }

  FixedLocale locale;
  Platform ports{*platform.system.files, platform.registry, platform.dialogs, platform.processes,
                 platform.xml,           platform.screen,   locale,           platform.shell};
  LogRecorder logView;
  TformLog form{ports, logView, manager};
};

const std::string kTxtHeader =
    "Kestrav Log File: ver. 2.1 (2004-07-16)\r\nKestrav Homepage: https://kestrav.example/\r\n"
    "Created: 16.07.2004, 09:08:07\r\nTotal Sprites Count: 1500\r\nActive Sprites Count: 1300\r\n\r\n";
const std::string kHtmlHeader =
    "<html><head><title>TTDPatch Graphics Log</title></head><body><table align=\"center\">\r\n"
    "<tr><td><b><a name=\"top\"></a><center>KESTRAV LOG FILE</center></b></TD></TR>\r\n"
    "<tr><td><center>Created: 16.07.2004, 09:08:07</center></TD></TR>\r\n"
    "<tr><td><center>Total Sprites Count: 1500</center></TD></TR>\r\n"
    "<tr><td><center>Active Sprites Count: 1300</center></TD></TR>\r\n</TABLE><table border=\"1\">\r\n";
const std::string kHtmlFooter =
    "</table><hr><center>created by <a name=\"bottom\" target=\"_blank\" href=\"https://kestrav.example/\">"
    "Kestrav</a> ver. 2.1 (2004-07-16)</center></body></html>\r\n";
const std::string D = "<tr><td>&nbsp;</td><td>";
const std::string kLinks =
    "<tr><td colspan=\"3\"><a href=\"#top\">Top</a> || <a href=\"#bottom\">Bottom</a></TD></TR>\r\n";

// The test's list: one entry of each state, without an Action 8 record, with two (the last one's
// empty description filled in), and a missing one.
const std::string kTxtList =
    "newgrf/a.grf 1 2 (Active)\r\n\tModified: file-date, file-time\r\n\tSprites: 2 total, 1 normal, 1 pseudo\r\n"
    "\tVersion: \r\n\tID: \r\n\tInfo:  - no info found - \r\n\tDescription:  - no description found - \r\n\r\n"
    "newgrf/b.grf (Inactive)\r\n\tModified: file-date, file-time\r\n\tSprites: 3 total, 1 normal, 2 pseudo\r\n"
    "\tVersion: -1\r\n\tID: 01020304\r\n\tInfo: <b>\xE9</b> & \"q\"\r\n\tDescription:  - no description found - "
    "\r\n\r\nnewgrf/gone.grf (Off)\r\n\tModified:  - file not found - \r\n";
const std::string kHtmlList =
    "<tr><td><b>newgrf/a.grf 1 2</b></TD><td bgcolor=\"#00CC00\"><i><b>(Active)</b></i></td><td>Sprites, Total: 2, "
    "Normal: 1, Pseudo: 1</td></tr>\r\n" + D + "Modified:</TD><td>file-date, file-time</td></tr>\r\n" + D +
    "Version:</TD><td></TD></tr>\r\n" + D + "ID:</TD><td></td></tr>\r\n" + D + "Info:</TD><td> - no info found - "
    "</td></tr>\r\n" + D + "Description:</TD><td> - no description found - </td></tr>\r\n" + kLinks +
    "<tr><td><b>newgrf/b.grf</b></TD><td bgcolor=\"#CCCC00\"><i><b>(Inactive)</b></i></td><td>Sprites, Total: 3, "
    "Normal: 1, Pseudo: 2</td></tr>\r\n" + D + "Modified:</TD><td>file-date, file-time</td></tr>\r\n" + D +
    "Version:</TD><td>-1</TD></tr>\r\n" + D + "ID:</TD><td>01020304</td></tr>\r\n" + D +
    "Info:</TD><td>&lt;b&gt;\xE9&lt;/b&gt; &amp; &quot;q&quot;</td></tr>\r\n" + D +
    "Description:</TD><td> - no description found - </td></tr>\r\n" + kLinks +
    "<tr><td><b>newgrf/gone.grf</b></TD><td bgcolor=\"#DD8888\"><i><b>(Off)</b></i></td><td>Sprites, Total: 0, "
    "Normal: 0, Pseudo: 0</td></tr>\r\n" + D + "Modified:</TD><td> - file not found - </td></tr>\r\n" + D +
    "Version:</TD><td></TD></tr>\r\n" + D + "ID:</TD><td></td></tr>\r\n" + D + "Info:</TD><td></td></tr>\r\n" + D +
    "Description:</TD><td></td></tr>\r\n" + kLinks;

TEST_F(LogTest, BothLogsByteForByte) {
  manager.spritesTotal = 1500;
  manager.spritesInactive = 200;
  test::GrfBuilder a, b;
  ttd.Write("newgrf/a.grf", a.Stored(1).Pseudo("\x01\x02").Terminator().bytes());
  b.Action8(1, "AAAA", "first", "first").Action8(0xFF, "\x01\x02\x03\x04", "<b>\xE9</b> & \"q\"", "");
  ttd.Write("newgrf/b.grf", b.Stored(3).bytes());  // no terminator: the file's end ends it
  Add({{"newgrf/a.grf 1 2", GrfState::Active}, {"newgrf/b.grf", GrfState::Inactive},
       {"newgrf/gone.grf", GrfState::Off}});
  EXPECT_EQ(kTxtHeader + kTxtList, Log(kFormatTxt, "Log.txt"));
  EXPECT_EQ(kHtmlHeader + kHtmlList + kHtmlFooter, Log(kFormatHtml, "Log.html"));
  EXPECT_EQ((std::vector{0, 1, 2, 3, 0, 1, 2, 3}), logView.progress);
  std::string dialogs;  // what the two save dialogs offered
  for (const auto& [request, save] : platform.dialogs.fileDialogsShown) {
    dialogs += request.title + "|" + request.filter + "|" + request.defaultExtension + "|" + request.fileName + "\n";
  }
  EXPECT_EQ("Select place for saving log|Text File (*.txt)|*.txt|All Files (*.*)|*.*|txt|Log\nSelect place for saving "
            "log|HTML File (*.html, *.htm)|*.html;*.htm|All Files (*.*)|*.*|html|Log\n", dialogs);
}

TEST_F(LogTest, TheStoredFormatIsReadOnceAndEachChoiceWritten) {
  // Absent, then as stored (99: absent); a value that is no number is reported and reads as TXT.
  const std::pair<int, int> cases[] = {{99, 0}, {0, 0}, {1, 1}, {7, 1}, {-3, -1}, {-1, -1}};
  for (const auto& [stored, selected] : cases) {
    if (stored != 99) Put(setting::kOutputFormat, stored);
    form.FormCreate();
    EXPECT_EQ(selected, logView.selected) << stored;
  }
  Put(setting::kOutputFormat, "1");
  platform.dialogs.Expect(MessageKind::Error, "Invalid data type for 'OutputFormat'");
  form.FormCreate();
  EXPECT_EQ(0, logView.selected);
  form.groupFormatClick(1);
  EXPECT_EQ(1, Settings().ReadInteger(setting::kOutputFormat));
}

TEST_F(LogTest, NothingWithoutAFormatAndAFailedWriteNamesTheFile) {
  manager.listGrfFiles.Add("newgrf/a.grf", GrfState::Active);
  form.groupFormatClick(kFormatNone);
  form.Button1Click();  // no dialog either
  EXPECT_TRUE(logView.progress.empty());
  ttd.MakeDirectory("taken");
  EXPECT_EQ("Cannot create file " + ttd.Join("taken"), test::ErrorOf([&] { Log(kFormatTxt, "taken"); }));
}

}  // namespace
}  // namespace kestrav
