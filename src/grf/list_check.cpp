#include "grf/list_check.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string>

#include "grf/fact_check.h"
#include "grf/sprite_totals.h"
#include "model/config_file.h"
#include "model/grf_entry.h"

namespace kestrav {
namespace {

constexpr int kHighestGrfVersion = 7;

void CheckFile(int entry, const std::string& path, const GrfInfo& info, std::vector<ListFinding>& findings) {
  const auto add = [&](const char* code, std::string why) {
    findings.push_back({entry, path, code, std::move(why)});
  };
  if (!info.opened) {
    add("missing", "the file cannot be read");
    return;
  }
  if (info.secondContainer) {
    add("not-a-grf",
        "the file is in the second GRF container format, which the patch cannot read at all "
        "(Kestrav sees it as empty)");
    return;  // whatever else would follow from seeing it empty
  }
  if (!info.announcedSprites) {
    add("not-a-grf",
        "the file does not begin with the record that gives its number of sprites, as the patch "
        "expects of every graphics file");
  } else if (static_cast<std::uint32_t>(info.totalSprites - 1) > *info.announcedSprites) {
    add("sprite-count", "the file holds " + std::to_string(info.totalSprites - 1) +
                            " sprites after its first record, which announces only " +
                            std::to_string(*info.announcedSprites));
  }
  const GrfAction8* record = LastAction8(info);
  if (!record) {
    add("no-action8", "the file has no Action 8 record (its GRF ID), without which the patch refuses it");
  } else if (record->version > kHighestGrfVersion) {
    add("grf-version", "the file is of GRF version " + std::to_string(record->version) +
                           ", above 7, the highest the patch reads");
  }
  if (!info.endedCleanly) {
    add("truncated", "the file ends inside a sprite or without its terminating zero size: it is cut short");
  }
}

}  // namespace

std::vector<ListFinding> CheckGrfItems(const std::vector<GrfItem>& items, const std::vector<GrfInfo>& infos,
                                       std::optional<TtdEdition> edition) {
  std::vector<ListFinding> findings;
  std::map<std::string, std::string> firstWithId;
  const GrfInfo unread;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].state == GrfState::Off) continue;
    const int entry = static_cast<int>(i);
    const std::string path = EntryPath(items[i].text);
    const GrfInfo& info = i < infos.size() ? infos[i] : unread;
    CheckFile(entry, path, info, findings);
    const GrfAction8* record = LastAction8(info);
    // Files without an ID of their own all carry FFFFFFFF: the patch loads each of them.
    if (!record || record->grfId == "FFFFFFFF") continue;
    const std::string& id = record->grfId;
    const auto [first, isFirst] = firstWithId.emplace(id, path);
    if (!isFirst) {
      findings.push_back({entry, path, "duplicate-id",
                          "its GRF ID " + id + " is also that of " + first->second +
                              ": the patch loads both, and this one overrides the earlier"});
    }
  }
  CheckGrfFacts(items, infos, edition, findings);
  std::stable_sort(findings.begin(), findings.end(),
                   [](const ListFinding& a, const ListFinding& b) { return a.entry < b.entry; });
  return findings;
}

std::optional<TtdEdition> ConfigEdition(const std::string& configPath) {
  const std::string name = FileNameOf(configPath);
  const auto is = [&](const char* wanted) {
    return std::equal(name.begin(), name.end(), wanted, wanted + std::char_traits<char>::length(wanted),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
  };
  if (is(kWindowsConfigName)) return TtdEdition::Windows;
  if (is(kDosConfigName)) return TtdEdition::Dos;
  return std::nullopt;
}

std::vector<ListFinding> CheckConfigLines(FileSystem& files, const std::string& ttdDir) {
  std::vector<ListFinding> findings;
  auto lines = ReadConfigLines(files, ttdDir);
  if (!lines) return findings;
  CleanConfigLines(*lines);
  for (const std::string& line : *lines) {
    const GrfEntry entry = ParseConfigLine(line);
    if (!files.FileExists(EntryFile(ttdDir, entry.path))) {
      findings.push_back(
          {kNoEntry, entry.path, "missing", "the configuration names this file, but it does not exist"});
    }
  }
  return findings;
}

std::vector<ListFinding> CheckSpriteLimit(std::int64_t activeSprites, const std::string& ttdDir) {
  if (activeSprites <= kActiveSpriteLimit) return {};
  return {{kNoEntry, ttdDir, "sprite-limit",
           "the active GRF files hold " + std::to_string(activeSprites) +
               " sprites, more than the 11483 the patch can load"}};
}

}  // namespace kestrav
