#include "model/list_validation.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <map>
#include <numeric>

#include "model/config_file.h"
#include "model/item_order.h"
#include "platform/operation_error.h"

namespace kestrav {
namespace {

GrfState ShownState(GrfState state, bool inactiveAvailable) {
  if (state == GrfState::Inactive && !inactiveAvailable) return GrfState::Active;
  return state;
}

bool HoldsGrfFiles(FileSystem& files, const std::string& dir) {
  try {
    return !files.ListFiles(dir, "*.grf").empty();
  } catch (const OperationError&) {
    // A directory that cannot be read shows no GRF file, as an empty one would.
    return false;
  }
}

std::string DirectoryOf(const std::string& path) {
  const auto cut = path.find_last_of('\\');
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

// The items a configuration path can name, ordered by the system's comparison without
// regard to letter case, so that a look-up is a binary search. Each keeps the text it had
// when the merge began; an item whose text has grown parameters is retired, since a path
// (which holds no blank) no longer equals it.
class ItemIndex {
 public:
  ItemIndex(const std::vector<GrfItem>& items, Locale& locale) : locale_(locale), retired_(items.size()) {
    for (const auto& item : items) keys_.push_back(item.text);
    ids_.resize(items.size());
    std::iota(ids_.begin(), ids_.end(), 0);
    std::stable_sort(ids_.begin(), ids_.end(), [this](int a, int b) { return Less(Key(a), Key(b)); });
  }

  // The item among those path names that stands first in order now; -1 when there is none.
  int FirstNamed(const std::string& path, const ItemOrder& order) const {
    const auto below = std::partition_point(ids_.begin(), ids_.end(), [&](int id) { return Less(Key(id), path); });
    int first = -1, firstPosition = INT_MAX;
    for (auto it = below; it != ids_.end() && !Less(path, Key(*it)); ++it) {
      if (retired_[static_cast<std::size_t>(*it)]) continue;
      const int position = order.PositionOf(*it);
      if (position < firstPosition) {
        first = *it;
        firstPosition = position;
      }
    }
    return first;
  }
  void Retire(int id) { retired_[static_cast<std::size_t>(id)] = true; }

 private:
  const std::string& Key(int id) const { return keys_[static_cast<std::size_t>(id)]; }
  bool Less(const std::string& a, const std::string& b) const { return locale_.CompareIgnoringCase(a, b) < 0; }

  Locale& locale_;
  std::vector<std::string> keys_;
  std::vector<int> ids_;
  std::vector<bool> retired_;
};

// Fills list with items in the merged order; the selection stays on its item.
void Rebuild(GrfCheckList& list, const std::vector<GrfItem>& items, const std::vector<int>& order) {
  const int selected = list.Selected();
  int selectedAt = -1;
  list.Clear();
  for (const int id : order) {
    if (id == selected) selectedAt = list.Count();
    const GrfItem& item = items[static_cast<std::size_t>(id)];
    list.Add(item.text, item.state);
  }
  list.Select(selectedAt);
}

}  // namespace

bool IsMainGraphicFile(const std::string& fileName) {
  return std::find(MainGraphicFiles.begin(), MainGraphicFiles.end(), fileName) != MainGraphicFiles.end();
}

bool IsListableGrfName(const std::string& fileName) { return fileName.find(' ') == std::string::npos; }

void MergeConfigLines(FileSystem& files, Dialogs& dialogs, Locale& locale, const std::string& ttdDir,
                      std::vector<std::string>& lines, GrfCheckList& list) {
  if (!lines.empty()) CleanConfigLines(lines);
  if (lines.empty()) return;

  std::vector<GrfItem> items = list.Items();
  ItemIndex index(items, locale);
  ItemOrder order(list.Count());
  std::string missing;
  bool mainGraphics = false;
  std::map<std::string, bool> holdsGrfFiles;  // by directory: each is listed at most once
  for (std::size_t i = 0; i < lines.size(); ++i) {
    GrfEntry entry = ParseConfigLine(lines[i]);
    const std::string path = ReplaceAll(entry.path, '/', '\\');
    if (IsMainGraphicFile(FileNameOf(path))) {
      entry.state = GrfState::Off;
      mainGraphics = true;
    }
    const std::string file = ttdDir + "\\" + path;
    if (!files.FileExists(file)) {
      missing += file + "\n";
      continue;
    }
    const int found = index.FirstNamed(entry.path, order);
    if (found < 0) {
      // Files outside newgrf are no items and vanish quietly, except that a file in a
      // directory without any GRF file is named.
      std::string dir = DirectoryOf(file);
      std::transform(dir.begin(), dir.end(), dir.begin(), [](unsigned char c) { return std::tolower(c); });
      const auto [known, first] = holdsGrfFiles.try_emplace(dir, false);
      if (first) known->second = HoldsGrfFiles(files, DirectoryOf(file));
      if (!known->second) {
        dialogs.ShowMessage(MessageKind::Error, "File not exists:\n" + path, MessageButtons::Ok);
      }
      continue;
    }
    GrfItem& item = items[static_cast<std::size_t>(found)];
    item.state = ShownState(entry.state, list.inactiveAvailable);
    // The target is the line's index, not the number of entries placed so far: items no
    // line names fill the places of dropped lines. A target past the end means the end.
    order.Move(found, static_cast<int>(std::min<std::size_t>(i, INT_MAX)));
    if (!entry.parameters.empty()) {
      item.text += " " + entry.parameters;
      index.Retire(found);
    }
  }
  Rebuild(list, items, order.Items());

  if (!missing.empty()) {
    dialogs.ShowMessage(MessageKind::Warning, "Files:\n" + missing + "were not found.", MessageButtons::Ok);
  }
  if (mainGraphics) dialogs.ShowMessage(MessageKind::Warning, kMainGraphicsWarning, MessageButtons::Ok);
}

}  // namespace kestrav
