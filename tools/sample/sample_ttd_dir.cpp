#include "sample/sample_ttd_dir.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/config_file.h"
#include "platform/system_platform.h"
#include "sample/sample_grf.h"

namespace kestrav::sample {
namespace {

struct SampleSet {
  const char* file;
  const char* info;
  int normalSprites;
  kestrav::GrfState state;
  const char* parameters;
  std::uint32_t idOf = 0;  // the seed of the set whose GRF ID it shares; 0: its own
  std::vector<std::string> actions = {};
};

// Action 0 for trains (feature 00), one property of one vehicle from ID 0x14: its speed
// (property 09, a word). Vehicle IDs are shared by all files, so a later file that sets
// the same ID changes the same train.
std::string TrainSpeed(unsigned speed) {
  return std::string("\x00\x00\x01\x01\x14\x09", 6) + static_cast<char>(speed & 0xFF) + static_cast<char>(speed >> 8);
}

// In the order of the configuration file; the rest of newgrf follows alphabetically.
const SampleSet kSets[] = {
    {"landscape.grf", "Sample landscape: temperate ground tiles", 180, kestrav::GrfState::Active, ""},
    {"trains.grf", "Sample trains: steam, diesel and electric engines", 420, kestrav::GrfState::Active, "1 2", 0,
     {TrainSpeed(80)}},
    {"wagons.grf", "Sample wagons for every cargo", 260, kestrav::GrfState::Active, ""},
    {"stations.grf", "Sample stations: platforms and roofs", 340, kestrav::GrfState::Inactive, ""},
    {"signals.grf", "Sample signals: semaphores before 1950", 64, kestrav::GrfState::Active, "0"},
    {"road_vehicles.grf", "Sample road vehicles: buses and lorries", 300, kestrav::GrfState::Off, "3"},
    {"town_houses.grf", "Sample town houses", 510, kestrav::GrfState::Inactive, ""},
    {"bridges.grf", "Sample bridges", 90, kestrav::GrfState::Off, ""},
    {"ships.grf", "Sample ships: ferries and tankers", 120, kestrav::GrfState::Active, ""},
    {"aircraft.grf", "Sample aircraft", 150, kestrav::GrfState::Off, "-1 4"},
    // A second edition of the signals under the same GRF ID: kestrav-cli check tells of it.
    {"signals_colour.grf", "Sample signals: colour lights after 1950", 64, kestrav::GrfState::Active, "", 5},
    // A faster engine for the first train of trains.grf: the patch takes the later file's.
    {"express_trains.grf", "Sample express train: a faster first engine", 40, kestrav::GrfState::Active, "", 0,
     {TrainSpeed(160)}},
};
// In newgrf, but not named in the configuration file: they appear Off at the end.
const SampleSet kUnlisted[] = {
    {"canals.grf", "Sample canals and locks", 70, kestrav::GrfState::Off, ""},
    {"trees.grf", "Sample trees for all climates", 110, kestrav::GrfState::Off, ""},
};

void WriteSet(const std::string& dir, const SampleSet& set, std::uint32_t seed) {
  kestrav::sample::SampleGrfOptions options;
  options.seed = seed;
  options.normalSprites = set.normalSprites;
  options.pseudoSprites = set.normalSprites / 10 + 2;
  options.info = set.info;
  options.description = std::string("Made-up graphics for trying Kestrav out (") + set.file + ")";
  options.grfId = std::string("KS\x10", 3) + static_cast<char>(set.idOf ? set.idOf : seed);
  options.actions = set.actions;
  kestrav::sample::WriteSampleGrf(dir + "/newgrf/" + set.file, options);
}

}  // namespace

void WriteSampleTtd(const std::string& dir, const std::string& patchExe) {
  namespace fs = std::filesystem;
  fs::create_directories(fs::path(dir) / "newgrf");
  std::FILE* marker = std::fopen((fs::path(dir) / "GameGFX.exe").string().c_str(), "wb");
  if (!marker) throw std::runtime_error("cannot write GameGFX.exe");
  std::fclose(marker);
  fs::copy_file(patchExe, fs::path(dir) / "ttdpatchw.exe", fs::copy_options::overwrite_existing);

  std::vector<kestrav::GrfEntry> entries;
  std::uint32_t seed = 1;
  for (const auto& set : kSets) {
    WriteSet(dir, set, seed++);
    entries.push_back({std::string("newgrf/") + set.file, set.state, set.parameters});
  }
  for (const auto& set : kUnlisted) WriteSet(dir, set, seed++);

  auto adapters = kestrav::MakeSystemAdapters();
  kestrav::WriteConfigFile(*adapters.files, dir + "/" + kestrav::kWindowsConfigName, entries);
}

}  // namespace kestrav::sample
