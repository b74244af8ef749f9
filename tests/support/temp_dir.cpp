#include "support/temp_dir.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kestrav::test {
namespace fs = std::filesystem;

namespace {

// Both systems' file functions take "/" as a separator.
fs::path Native(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

}  // namespace

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = (fs::temp_directory_path() / ("kestrav-test-" + std::to_string(stamp) + "-" + std::to_string(counter++)))
              .string();  // with "\\" on Windows
  fs::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Read-only files and directories left by a test must not keep the tree alive.
  for (auto it = fs::recursive_directory_iterator(Native(path_), ignored); it != fs::recursive_directory_iterator();
       it.increment(ignored)) {
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(Native(path_), ignored);
}

std::string TempDir::Join(const std::string& relative) const {
  std::string joined = relative;
  std::replace(joined.begin(), joined.end(), '/', '\\');
  return path_ + "\\" + joined;
}

std::string TempDir::Write(const std::string& relative, const std::string& content) const {
  const fs::path file = Native(Join(relative));
  fs::create_directories(file.parent_path());
  if (!std::ofstream(file, std::ios::binary).write(content.data(), std::ssize(content))) {
    throw std::runtime_error("cannot write test file " + file.string());
  }
  return Join(relative);
}

std::string TempDir::Read(const std::string& relative) const {
  std::ostringstream content;
  content << std::ifstream(Native(Join(relative)), std::ios::binary).rdbuf();
  return content.str();
}

bool TempDir::Exists(const std::string& relative) const { return fs::exists(Native(Join(relative))); }

void TempDir::MakeDirectory(const std::string& relative) const { fs::create_directories(Native(Join(relative))); }

}  // namespace kestrav::test
