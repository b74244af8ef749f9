// What a file changes, decoded from its pseudo sprites and decided for an entry, and the
// check's rules over a list of such files.
#include <gtest/gtest.h>

#include "grf/fact_conditions.h"
#include "grf/file_info_report.h"
#include "grf/grf_reader.h"
#include "grf/list_check.h"
#include "platform/system_platform.h"
#include "support/grf_builder.h"
#include "support/grf_file_test.h"

namespace kestrav {
namespace {

using test::GrfBuilder;

// Bytes written as a listing does: hex pairs and 'quoted text'.
std::string Hex(const std::string& listing) {
  std::string bytes;
  for (std::size_t i = 0; i < listing.size();) {
    if (listing[i] == ' ') {
      ++i;
    } else if (listing[i] == '\'') {
      const std::size_t end = listing.find('\'', i + 1);
      bytes += listing.substr(i + 1, end - i - 1);
      i = end + 1;
    } else {
      bytes += static_cast<char>(std::stoi(listing.substr(i, 2), nullptr, 16));
      i += 2;
    }
  }
  return bytes;
}

// A graphics file as compilers write it: the count record, Action 8, then the sprites listed.
std::string File(const char* id, const std::vector<std::string>& sprites) {
  GrfBuilder grf;
  grf.Pseudo(Hex("10 00 00 00")).Action8(7, id, "name", "");
  for (const std::string& sprite : sprites) grf.Pseudo(Hex(sprite));
  return grf.Terminator().bytes();
}

using GrfFactsTest = test::GrfFileTest;

// "P00 40-43", "G00 74", "E 41424344", ... and "?why" after an undecided one.
std::string Decided(const GrfInfo& info, std::vector<std::uint32_t> parameters) {
  static constexpr const char* kKinds = "PGLDEBAF";
  GrfEntryContext context{std::move(parameters), {}, {}};
  std::vector<DecidedFact> decided;
  DecideFacts(info.facts, context, decided);
  std::string text;
  for (const DecidedFact& one : decided) {
    const GrfFact& fact = info.facts.facts[one.fact];
    char line[32];
    if (fact.kind == GrfFactKind::GenericGraphics) {
      std::snprintf(line, sizeof line, "D%02X", fact.feature);
    } else if (fact.kind >= GrfFactKind::Deactivates) {
      std::snprintf(line, sizeof line, "%c %s", kKinds[static_cast<int>(fact.kind)], GrfIdText(fact.grfId).c_str());
    } else {
      std::snprintf(line, sizeof line, "%c%02X %02X-%02X", kKinds[static_cast<int>(fact.kind)], fact.feature,
                    fact.first, fact.first + fact.count - 1);
    }
    text += (text.empty() ? "" : "; ") + std::string(line) + (one.certain ? "" : "?" + DoubtText(one.doubt));
  }
  return text;
}

TEST_F(GrfFactsTest, DecodesTheActionsAndFollowsTheirConditionsWithTheEntrysParameters) {
  const char* train = "00 00 01 02 FF 14 00 09 01 00 02 00";  // trains 14-15, first ID as an extended byte
  const char* mode = "0D 7F 00 00 00";                            // parameter 7F = parameter 0
  const struct {
    const char* what;
    std::vector<std::string> sprites;
    std::vector<std::uint32_t> parameters;
    const char* expected;
  } cases[] = {
      {"properties, IDs that touch joined", {train, "00 00 01 01 16 09 01 00"}, {}, "P00 14-16"},
      {"graphics, livery override, generic", {"03 00 01 FF 74 00 01 FF FD 00 F1 00", "03 00 81 05 00 00", "03 01 00 00 00"},
       {}, "G00 74-74; L00 05-05; D01"},
      {"compiled mode test, mode 1", {mode, "07 7F 04 03 01 00 00 00 01", train}, {1}, "P00 14-15"},
      {"compiled mode test, mode 2", {mode, "07 7F 04 03 01 00 00 00 01", train}, {2}, ""},
      {"Action D reads a parameter not given as 0", {mode, "07 7F 04 03 01 00 00 00 01", train}, {}, ""},
      {"a test of a parameter not given skips nothing", {"07 00 04 02 01 00 00 00 01", train}, {}, "P00 14-15"},
      {"the climate through a parameter",
       {"0D 7F 07 83 FF FF 00 00 00", "07 7F 04 03 01 00 00 00 01", "00 02 01 01 01 08 20"}, {},
       "P02 01-01?only in the arctic climate"},
      {"to a label", {"07 00 01 02 05 07", train, "10 07", "00 01 01 01 02 08 20"}, {5}, "P01 02-02"},
      {"to the end of the file", {"07 00 01 02 05 00", train, "10 07", "00 01 01 01 02 08 20"}, {5}, ""},
      {"the edition, not known", {"07 8D 01 02 01 01", train}, {}, "P00 14-15?only in the DOS edition"},
      {"a sprite that Action 6 changes", {"06 00 01 02 FF", train}, {}, "P00 14-15?depending on what the file's "
                                                                           "parameters write into its sprites"},
      {"a certain skip inside an undecided stretch",
       {"07 84 01 02 00 02", "07 00 01 02 00 01", train, "00 01 01 01 02 08 20"}, {0},
       "P00 14-15?depending on the stage of loading; P01 02-02"},
      {"deactivation, messages under a GRF ID test",
       {"0E 02 'ABCD' 'EFGH'", "07 88 04 07 'WXYZ' 01", "0B 03 7F 04 'other' 00", "0B 83 7F 03 00"}, {},
       "E 41424344; E 45464748; B 5758595A?only if GRF ID 5758595A is active before it; F 00000000"},
      {"recolour tables after Action 5 are no actions", {"05 08 02", "00 00 01 04 40", "00 00 01 04 40", train}, {},
       "P00 14-15"},
      {"records cut short", {"00 00 01", "03 00 02 05", "0E 02 'ABCD' 'EF'", "07 88"}, {}, "G00 05-05; E 41424344"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, Decided(Analyze(File("TEST", c.sprites)), c.parameters)) << c.what;
}

TEST_F(GrfFactsTest, KeepsBoundedFactsAndAction8RecordsWithTheLastOneAndTheirNumber) {
  GrfBuilder many;
  many.Action8(7, "MANY", "", "");
  for (int i = 0; i < 60000; ++i) many.Pseudo(Hex(i % 2 ? "00 00 01 01 10 09 01 00" : "00 01 01 01 10 09 01 00"));
  for (int i = 0; i < 300; ++i) many.Action8(7, i == 299 ? "LAST" : "MANY", "", "");
  const GrfInfo info = Analyze(many.Terminator().bytes());
  EXPECT_TRUE(info.facts.capped);
  EXPECT_LE(info.facts.facts.size(), kestrav::GrfFacts::kMaxSteps);
  EXPECT_EQ(std::tuple(std::size_t{256}, 301, std::string("4C415354")),
            std::tuple(info.action8.size(), info.action8Count, LastAction8(info)->grfId));
  EXPECT_NE(std::string::npos, FileInfoReport(info, "many.grf", *system.locale).find("\n... and 45 more Action 8 records\n"));
}

TEST_F(GrfFactsTest, TheCheckTellsWhereTheFilesOfAListClash) {
  const char* info14 =
      "14 'C' 'INFO' 'B' 'NPAR' 01 00 01 'C' 'PARA' 'C' 00 00 00 00 'T' 'NAME' 7F 'Mode' 00 "
      "'B' 'LIMI' 08 00 00 00 00 00 03 00 00 00 00 00 00";
  const struct {
    const char* text;
    std::string bytes;
    std::vector<std::pair<const char*, const char*>> findings;  // code and a piece of its text
  } entries[] = {
      {"newgrf/a.grf", File("AAAA", {"00 00 01 04 40 09 50 00 50 00 50 00 50 00", "00 02 01 01 01 08 10"}), {}},
      {"newgrf/b.grf",
       File("BBBB", {"07 88 04 06 'CCCC' 02", "07 88 04 0A 'CCCC' 01", "0B 03 7F 05 'C' 00",
                     "00 00 01 04 42 09 60 00 60 00 60 00 60 00", "0D 7F 07 83 FF FF 00 00 00",
                     "07 7F 04 03 01 00 00 00 01", "00 02 01 01 01 08 20"}),
       {{"load-order", "move newgrf/b.grf below newgrf/c.grf"},
        {"overrides", "changes trains 42-43 that newgrf/a.grf also changes: the patch uses this file's"},
        {"may-override", "ships 01 that newgrf/a.grf also changes (this file's change applies only in the arctic"}}},
      {"newgrf/c.grf 7 1",
       File("CCCC", {info14, "07 88 04 07 'AAAA' 01", "00 00 01 01 40 09 70 00", "0E 01 'AAAA'"}),
       {{"param-range", "gives 2 parameters, but the file declares only 1"},
        {"param-range", "parameter 1 (\"Mode\") is 7, outside the limits 0-3"},
        {"deactivates", "newgrf/a.grf (GRF ID 41414141)"}}},
      {"newgrf/d.grf", File("\xFF\xFF\xFF\xFF", {}), {}},
      {"newgrf/e.grf", File("\xFF\xFF\xFF\xFF", {"00 00 01 02 50 09 01 00 02 00"}), {}},
      {"newgrf/f.grf", GrfBuilder().Pseudo(Hex("01 00 01 01 00")).Stored(1).Action8(7, "FFFF", "", "")
                           .Action8(7, std::string(4, '\0'), "", "").Terminator().bytes(),
       {{"not-a-grf", ""}, {"action8-rule", "00000000"}, {"action8-rule", "2 Action 8 records"}, {"action8-rule", "Action 01 stands before"}}},
  };
  std::vector<GrfItem> items;
  std::vector<GrfInfo> infos;
  std::string expected, found;
  for (std::size_t i = 0; i < std::size(entries); ++i) {
    items.push_back({entries[i].text, GrfState::Active});
    infos.push_back(Analyze(entries[i].bytes));
    for (const auto& [code, text] : entries[i].findings) expected += std::to_string(i) + " " + code + ": " + text + "\n";
  }
  for (const ListFinding& finding : CheckGrfItems(items, infos, TtdEdition::Windows)) {
    const auto& wanted = entries[finding.entry].findings;
    const auto piece = std::find_if(wanted.begin(), wanted.end(), [&](const auto& w) {
      return finding.code == w.first && finding.text.find(w.second) != std::string::npos;
    });
    found += std::to_string(finding.entry) + " " + finding.code + ": " +
             (piece == wanted.end() ? finding.text : piece->second) + "\n";
  }
  EXPECT_EQ(expected, found);

  // A file capped for its size says so in what is said about it.
  GrfBuilder big;
  big.Pseudo(Hex("10 00 00 00")).Action8(7, "HUGE", "", "");
  for (int i = 0; i < 5000; ++i) big.Pseudo(Hex(i % 2 ? "00 00 01 01 44 09 01 00" : "00 01 01 01 44 09 01 00"));
  items.push_back({"newgrf/huge.grf", GrfState::Active});
  infos.push_back(Analyze(big.Terminator().bytes()));
  const auto last = CheckGrfItems(items, infos).back();
  EXPECT_EQ("overrides", last.code);
  EXPECT_NE(std::string::npos, last.text.find("not all of the file was read")) << last.text;
}

}  // namespace
}  // namespace kestrav
