// The log creator's controller: both logs over one table of lists, compared whole and byte
// for byte, with the dates fixed through the locale; the stored format; the dialog's frame.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "environment/settings_store.h"
#include "log/form_log.h"
#include "support/grf_builder.h"
#include "support/recording_view.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"
#include "ui/form_manager.h"

namespace kestrav {
namespace {

using test::GrfBuilder;

// Dates as day.month.year and times as hours:minutes:seconds; the present is fixed.
class FixedLocale : public Locale {
 public:
  int CompareIgnoringCase(const std::string& a, const std::string& b) override { return a.compare(b); }
  std::string ShortDate(const DosDateTime& when) override { return Format("%02d.%02d.%04d", when.day, when.month, when.year); }
  std::string LongTime(const DosDateTime& when) override { return Format("%02d:%02d:%02d", when.hour, when.minute, when.second); }
  DosDateTime Now() override { return {2004, 7, 16, 9, 8, 7}; }

 private:
  static std::string Format(const char* pattern, int a, int b, int c) {
    char text[32];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
  }
};

// The real file system, except that files named "locked.grf" exist but cannot be opened.
class LockingFileSystem : public FileSystem {
 public:
  explicit LockingFileSystem(FileSystem& real) : real_(real) {}
  bool FileExists(const std::string& path) override { return real_.FileExists(path); }
  bool DirectoryExists(const std::string& path) override { return real_.DirectoryExists(path); }
  std::vector<std::string> ListFiles(const std::string& dir, const std::string& pattern) override {
    return real_.ListFiles(dir, pattern);
  }
  std::optional<DosDateTime> LastWriteTime(const std::string& path) override { return real_.LastWriteTime(path); }
  void CreateDirectories(const std::string& dir) override { real_.CreateDirectories(dir); }
  std::unique_ptr<InputFile> OpenForRead(const std::string& path) override {
    return path.ends_with("locked.grf") ? nullptr : real_.OpenForRead(path);
  }
  void WriteWholeFile(const std::string& path, const std::string& content) override {
    real_.WriteWholeFile(path, content);
  }
  bool CopyFileOver(const std::string& source, const std::string& target) override {
    return real_.CopyFileOver(source, target);
  }
  bool RemoveFile(const std::string& path) override { return real_.RemoveFile(path); }

 private:
  FileSystem& real_;
};

class LogRecorder : public LogView {
 public:
  void SelectFormat(int index) override { selected = index; }
  void SetProgressMax(int value) override { max = value; }
  void SetProgress(int position) override { progress.push_back(position); }
  void RunModal() override { ++modalRuns; }
  void Close() override { ++closes; }
  int selected = -2, max = -1, modalRuns = 0, closes = 0;
  std::vector<int> progress;
};

struct LogFixture : ::testing::Test {
  LogFixture() {
    SettingsStore settings(platform.registry);
    settings.Open(true);
    settings.WriteString(setting::kTtdPath, ttd.path());
  }
  // Writes newgrf/name, last written on day of February 2003 at 10:20:30 local time.
  void WriteGrf(const std::string& name, const std::string& bytes, int day) {
    ttd.Write("newgrf/" + name, bytes);
    std::tm local{};
    local.tm_year = 103, local.tm_mon = 1, local.tm_mday = day, local.tm_hour = 10, local.tm_min = 20;
    local.tm_sec = 30, local.tm_isdst = -1;
    std::filesystem::last_write_time(std::filesystem::path(ttd.path()) / "newgrf" / name,
                                     std::filesystem::file_time_type::clock::from_sys(
                                         std::chrono::system_clock::from_time_t(std::mktime(&local))));
  }
  // The log the controller writes in format (kFormatTxt or kFormatHtml).
  std::string Log(int format) {
    const std::string out = ttd.Join(format == kFormatTxt ? "Log.txt" : "Log.html");
    platform.dialogs.ExpectFileDialog(out);
    form.groupFormatClick(format);
    form.Button1Click();
    return ttd.Read(format == kFormatTxt ? "Log.txt" : "Log.html");
  }

  test::TempDir ttd;
  test::TestPlatform platform;
  LockingFileSystem files{*platform.system.files};
  FixedLocale locale;
  Platform ports{files, platform.registry, platform.dialogs, platform.processes, *platform.system.xml,
                 platform.screen, locale, platform.shell};
  test::RecordingView managerView;
  TformManager manager{ports, managerView};
  LogRecorder view;
  TformLog form{ports, view, manager};
};

// One entry of the list: its text and state, its file (none: missing) and the lines each log
// gives it.
struct LogRow {
  std::string text;
  GrfState state;
  std::optional<std::string> file;
  std::string txt, html;
};

std::vector<LogRow> Rows() {
  GrfBuilder one;
  one.Stored(4).Action8(7, std::string("\x12\xAB\x00\xFF", 4), "Abc set", "").Stored(2).Stored(9).Terminator();
  GrfBuilder none;
  none.Stored(1).Pseudo("\x01\x02").Terminator();
  GrfBuilder two;
  two.Action8(1, "AAAA", "first", "first").Action8(0xFF, "\x01\x02\x03\x04", "<b>Bold</b> & \"q\"",
                                                   "\xE9t\xE9 > <script>x</script>");
  const std::string row = "<tr><td>&nbsp;</td><td>";
  const std::string links =
      "<tr><td colspan=\"3\"><a href=\"#top\">Top</a> || <a href=\"#bottom\">Bottom</a></TD></TR>\r\n";
  return {
      {"newgrf/one.grf 1 2", GrfState::Active, one.bytes(),
       "newgrf/one.grf 1 2 (Active)\r\n\tModified: 01.02.2003, 10:20:30\r\n"
       "\tSprites: 4 total, 3 normal, 1 pseudo\r\n\tVersion: 7\r\n\tID: 12AB00FF\r\n\tInfo: Abc set\r\n"
       "\tDescription:  - no description found - \r\n\r\n",
       "<tr><td><b>newgrf/one.grf 1 2</b></TD><td bgcolor=\"#00CC00\"><i><b>(Active)</b></i></td>"
       "<td>Sprites, Total: 4, Normal: 3, Pseudo: 1</td></tr>\r\n" +
           row + "Modified:</TD><td>01.02.2003, 10:20:30</td></tr>\r\n" + row + "Version:</TD><td>7</TD></tr>\r\n" +
           row + "ID:</TD><td>12AB00FF</td></tr>\r\n" + row + "Info:</TD><td>Abc set</td></tr>\r\n" + row +
           "Description:</TD><td> - no description found - </td></tr>\r\n" + links},
      {"newgrf/none.grf", GrfState::Inactive, none.bytes(),
       "newgrf/none.grf (Inactive)\r\n\tModified: 02.02.2003, 10:20:30\r\n"
       "\tSprites: 2 total, 1 normal, 1 pseudo\r\n\tVersion: \r\n\tID: \r\n\tInfo:  - no info found - \r\n"
       "\tDescription:  - no description found - \r\n\r\n",
       "<tr><td><b>newgrf/none.grf</b></TD><td bgcolor=\"#CCCC00\"><i><b>(Inactive)</b></i></td>"
       "<td>Sprites, Total: 2, Normal: 1, Pseudo: 1</td></tr>\r\n" +
           row + "Modified:</TD><td>02.02.2003, 10:20:30</td></tr>\r\n" + row + "Version:</TD><td></TD></tr>\r\n" +
           row + "ID:</TD><td></td></tr>\r\n" + row + "Info:</TD><td> - no info found - </td></tr>\r\n" + row +
           "Description:</TD><td> - no description found - </td></tr>\r\n" + links},
      // No terminator: the file's end ends it.
      {"newgrf/two.grf", GrfState::Off, two.bytes(),
       "newgrf/two.grf (Off)\r\n\tModified: 03.02.2003, 10:20:30\r\n"
       "\tSprites: 2 total, 0 normal, 2 pseudo\r\n\tVersion: -1\r\n\tID: 01020304\r\n"
       "\tInfo: <b>Bold</b> & \"q\"\r\n\tDescription: \xE9t\xE9 > <script>x</script>\r\n\r\n",
       "<tr><td><b>newgrf/two.grf</b></TD><td bgcolor=\"#DD8888\"><i><b>(Off)</b></i></td>"
       "<td>Sprites, Total: 2, Normal: 0, Pseudo: 2</td></tr>\r\n" +
           row + "Modified:</TD><td>03.02.2003, 10:20:30</td></tr>\r\n" + row + "Version:</TD><td>-1</TD></tr>\r\n" +
           row + "ID:</TD><td>01020304</td></tr>\r\n" + row +
           "Info:</TD><td>&lt;b&gt;Bold&lt;/b&gt; &amp; &quot;q&quot;</td></tr>\r\n" + row +
           "Description:</TD><td>\xE9t\xE9 &gt; &lt;script&gt;x&lt;/script&gt;</td></tr>\r\n" + links},
      {"newgrf/gone.grf", GrfState::Active, std::nullopt,
       "newgrf/gone.grf (Active)\r\n\tModified:  - file not found - \r\n",
       "<tr><td><b>newgrf/gone.grf</b></TD><td bgcolor=\"#00CC00\"><i><b>(Active)</b></i></td>"
       "<td>Sprites, Total: 0, Normal: 0, Pseudo: 0</td></tr>\r\n" +
           row + "Modified:</TD><td> - file not found - </td></tr>\r\n" + row + "Version:</TD><td></TD></tr>\r\n" +
           row + "ID:</TD><td></td></tr>\r\n" + row + "Info:</TD><td></td></tr>\r\n" + row +
           "Description:</TD><td></td></tr>\r\n" + links},
      {"newgrf/locked.grf <&>", GrfState::Inactive, one.bytes(),
       "newgrf/locked.grf <&> (Inactive)\r\n\tModified: 05.02.2003, 10:20:30\r\n"
       "\tSprites: 0 total, 0 normal, 0 pseudo\r\n\tVersion: \r\n\tID: \r\n\tInfo: \r\n\tDescription: \r\n\r\n",
       "<tr><td><b>newgrf/locked.grf &lt;&amp;&gt;</b></TD><td bgcolor=\"#CCCC00\"><i><b>(Inactive)</b></i></td>"
       "<td>Sprites, Total: 0, Normal: 0, Pseudo: 0</td></tr>\r\n" +
           row + "Modified:</TD><td>05.02.2003, 10:20:30</td></tr>\r\n" + row + "Version:</TD><td></TD></tr>\r\n" +
           row + "ID:</TD><td></td></tr>\r\n" + row + "Info:</TD><td></td></tr>\r\n" + row +
           "Description:</TD><td></td></tr>\r\n" + links},
  };
}

const std::string kTxtHeader =
    "Kestrav Log File: ver. 2.1 (2004-07-16)\r\nKestrav Homepage: https://kestrav.example.org/\r\n"
    "Created: 16.07.2004, 09:08:07\r\nTotal Sprites Count: 1500\r\nActive Sprites Count: 1300\r\n\r\n";
const std::string kHtmlHeader =
    "<html><head><title>TTDPatch Graphics Log</title></head><body><table align=\"center\">\r\n"
    "<tr><td><b><a name=\"top\"></a><center>KESTRAV LOG FILE</center></b></TD></TR>\r\n"
    "<tr><td><center>Created: 16.07.2004, 09:08:07</center></TD></TR>\r\n"
    "<tr><td><center>Total Sprites Count: 1500</center></TD></TR>\r\n"
    "<tr><td><center>Active Sprites Count: 1300</center></TD></TR>\r\n</TABLE><table border=\"1\">\r\n";
const std::string kHtmlFooter =
    "</table><hr><center>created by <a name=\"bottom\" target=\"_blank\" href=\"https://kestrav.example.org/\">"
    "Kestrav</a> ver. 2.1 (2004-07-16)</center></body></html>\r\n";

TEST_F(LogFixture, BothLogsOfEachListByteForByte) {
  const std::vector<LogRow> rows = Rows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].file) WriteGrf(rows[i].text.substr(7, rows[i].text.find(' ') - 7), *rows[i].file, int(i) + 1);
  }
  // Each row alone, all of them, and none.
  std::vector<std::vector<LogRow>> lists;
  for (const LogRow& row : rows) lists.push_back({row});
  lists.push_back(rows);
  lists.push_back({});
  manager.spritesTotal = 1500;
  manager.spritesInactive = 200;
  for (const auto& list : lists) {
    manager.listGrfFiles.Clear();
    std::string txt = kTxtHeader, html = kHtmlHeader;
    for (const LogRow& row : list) {
      manager.listGrfFiles.Add(row.text, row.state);
      txt += row.txt;
      html += row.html;
    }
    const std::string label = list.size() == 1 ? list[0].text : std::to_string(list.size()) + " entries";
    view.progress.clear();
    EXPECT_EQ(txt, Log(kFormatTxt)) << label;
    EXPECT_EQ(html + kHtmlFooter, Log(kFormatHtml)) << label;
    std::vector<int> steps(list.size() + 1);
    for (std::size_t step = 0; step < steps.size(); ++step) steps[step] = int(step);
    steps.insert(steps.end(), steps.begin(), steps.end());  // both logs
    EXPECT_EQ(steps, view.progress) << label;
  }
  const auto& shown = platform.dialogs.fileDialogsShown;
  ASSERT_EQ(2 * lists.size(), shown.size());
  for (std::size_t i = 0; i < 2; ++i) {
    const FileDialogRequest& request = shown[i].request;
    EXPECT_TRUE(shown[i].save);
    EXPECT_EQ("Select place for saving log", request.title);
    EXPECT_EQ(i == 0 ? "Text File (*.txt)|*.txt|All Files (*.*)|*.*"
                     : "HTML File (*.html, *.htm)|*.html;*.htm|All Files (*.*)|*.*",
              request.filter);
    EXPECT_EQ(i == 0 ? "txt" : "html", request.defaultExtension);
    EXPECT_EQ("Log", request.fileName);
  }
}

TEST_F(LogFixture, TheStoredFormatIsReadOnceAndEachChoiceWritten) {
  const struct {
    std::optional<RegistryValue> stored;
    int selected;
  } cases[] = {
      {std::nullopt, 0},
      {RegistryValue{kRegDword, std::string("\0\0\0\0", 4)}, 0},
      {RegistryValue{kRegDword, std::string("\1\0\0\0", 4)}, 1},
      {RegistryValue{kRegDword, std::string("\7\0\0\0", 4)}, 1},
      {RegistryValue{kRegDword, std::string("\xFD\xFF\xFF\xFF", 4)}, -1},
      {RegistryValue{kRegDword, std::string("\xFF\xFF\xFF\xFF", 4)}, -1},
  };
  for (const auto& c : cases) {
    if (c.stored) platform.registry.Put(kSettingsKeyPath, setting::kOutputFormat, *c.stored);
    form.FormCreate();
    EXPECT_EQ(c.selected, form.selectedFormat());
    EXPECT_EQ(c.selected, view.selected);
  }
  // A value that is no number: the box, and TXT.
  platform.registry.Put(kSettingsKeyPath, setting::kOutputFormat, RegistryValue{kRegSz, std::string("1\0", 2)});
  platform.dialogs.Expect(MessageKind::Error, "Invalid data type for 'OutputFormat'");
  form.FormCreate();
  EXPECT_EQ(0, view.selected);
  for (const int index : {1, 0}) {
    form.groupFormatClick(index);
    SettingsStore settings(platform.registry);
    settings.Open(false);
    EXPECT_EQ(index, settings.ReadInteger(setting::kOutputFormat));
  }
}

TEST_F(LogFixture, NothingWithoutAFormatOrAFileAndAFailedWriteTellsTheFile) {
  manager.listGrfFiles.Add("newgrf/a.grf", GrfState::Active);
  form.groupFormatClick(kFormatNone);
  form.Button1Click();  // no dialog either
  form.groupFormatClick(kFormatTxt);
  platform.dialogs.ExpectFileDialog(std::nullopt);
  form.Button1Click();
  EXPECT_TRUE(view.progress.empty());
  ttd.MakeDirectory("taken");
  platform.dialogs.ExpectFileDialog(ttd.Join("taken"));
  EXPECT_THAT([&] { form.Button1Click(); }, testing::ThrowsMessage<OperationError>("Cannot create file " + ttd.Join("taken")));
  EXPECT_TRUE(ttd.Exists("taken"));
  // F12 opens the dialog on the list as it is now.
  manager.formLog = &form;
  manager.RunCommand(Command::MakeLog);
  EXPECT_EQ(1, view.max);
  EXPECT_EQ(0, view.progress.back());
  EXPECT_EQ(1, view.modalRuns);
  form.Button2Click();
  EXPECT_EQ(1, view.closes);
}

}  // namespace
}  // namespace kestrav
