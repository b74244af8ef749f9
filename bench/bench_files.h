#pragma once
// What the benchmark programs share: generated files in a temporary directory, the plain
// read of a set of files, the main window's controller on a TTD directory, and a reporter
// that keeps the median times.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/unseen_view.h"
#include "environment/settings_store.h"
#include "platform/dialogs.h"
#include "platform/memory_registry.h"
#include "platform/screen.h"
#include "platform/system_platform.h"
#include "ui/form_manager.h"

namespace kestrav::bench {

namespace fs = std::filesystem;

class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed * 2654435761u + 7) {}
  int Between(int low, int high) {  // inclusive
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return low + static_cast<int>((state_ >> 33) % static_cast<std::uint64_t>(high - low + 1));
  }

 private:
  std::uint64_t state_;
};

inline void WriteFile(const fs::path& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::exit(1);
  }
}

struct FileSet {
  std::vector<std::string> paths;
  std::size_t bytes = 0;
  std::size_t largest = 0;

  void Add(const fs::path& path, const std::string& content) {
    WriteFile(path, content);
    paths.push_back(path.string());
    bytes += content.size();
    largest = std::max(largest, content.size());
  }
};

// A temporary directory, removed with the generated files when the program ends.
struct Workspace {
  Workspace() {
    std::string pattern = (fs::temp_directory_path() / "kestrav-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
      std::perror("mkdtemp");
      std::exit(1);
    }
    root = pattern;
  }
  ~Workspace() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;
  fs::path root;
};

// The floor for any reader of the whole file: one read per file into a buffer that is
// already there.
inline void PlainReadSet(benchmark::State& state, const FileSet* set) {
  auto adapters = MakeSystemAdapters();
  std::vector<char> buffer(set->largest + 1, 1);
  for (auto _ : state) {
    std::size_t total = 0;
    for (const auto& path : set->paths) {
      const auto file = adapters.files->OpenForRead(path);
      total += file->Read(buffer.data(), static_cast<std::size_t>(file->Size()));
    }
    benchmark::DoNotOptimize(total);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * set->bytes));
}

// A screen of a common size: nothing is shown.
class NullScreen : public Screen {
 public:
  ScreenSize PrimaryScreen() override { return {1024, 768}; }
  ScreenSize WorkArea() override { return {1024, 738}; }
};

// No dialog is shown: the save dialog answers saveFile, and a message box is answered Ok
// when messages are expected, otherwise it ends the run (it would falsify the figures).
class BenchDialogs : public Dialogs {
 public:
  explicit BenchDialogs(bool messagesExpected) : messagesExpected_(messagesExpected) {}
  Answer ShowMessage(MessageKind, const std::string& text, MessageButtons) override {
    if (messagesExpected_) return Answer::Ok;
    std::fprintf(stderr, "unexpected message box: %s\n", text.c_str());
    std::abort();
  }
  std::optional<std::string> BrowseForFolder(const std::string&, const std::string&,
                                             const std::function<bool(const std::string&)>&) override {
    return std::nullopt;
  }
  std::optional<std::string> SaveFile(const FileDialogRequest&) override { return saveFile; }

  std::string saveFile;

 private:
  bool messagesExpected_;
};

// The main window's controller on ttdDir, its settings in memory, as the console runs it.
struct BenchManager {
  BenchManager(const std::string& ttdDir, bool messagesExpected) : dialogs(messagesExpected) {
    SettingsStore settings(registry);
    settings.Open(true);
    settings.WriteString(setting::kTtdPath, ttdDir);
  }
  SystemAdapters adapters = MakeSystemAdapters();
  MemoryRegistry registry;
  BenchDialogs dialogs;
  NullScreen screen;
  Platform platform{*adapters.files, registry,         dialogs,          *adapters.processes,
                    *adapters.xml,   screen,           *adapters.locale, *adapters.shell};
  UnseenView view;
  TformManager manager{platform, view};
};

// Keeps the median real and CPU time of every benchmark while printing as usual.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  MedianReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        medians[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  struct Times {
    double real, cpu;
  };
  std::map<std::string, Times> medians;
};

}  // namespace kestrav::bench
