#include "support/temp_dir.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kestrav::test {
namespace fs = std::filesystem;

namespace {

fs::path Native(const std::string& path) {
  std::string text = path;
  for (char& c : text) {
    if (c == '\\' || c == '/') c = static_cast<char>(fs::path::preferred_separator);
  }
  return fs::path(text);
}

}  // namespace

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  std::ostringstream name;
  name << "kestrav-test-" << stamp << "-" << counter++;
  const fs::path dir = fs::temp_directory_path() / name.str();
  fs::create_directories(dir);
  path_ = dir.string();
#ifdef _WIN32
  for (char& c : path_) {
    if (c == '/') c = '\\';
  }
#endif
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Read-only files and directories left by a test must not keep the tree alive.
  for (auto it = fs::recursive_directory_iterator(Native(path_), ignored); it != fs::recursive_directory_iterator();
       it.increment(ignored)) {
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::permissions(Native(path_), fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(Native(path_), ignored);
}

std::string TempDir::Join(const std::string& relative) const {
  std::string joined = path_ + "\\" + relative;
  for (std::size_t i = path_.size(); i < joined.size(); ++i) {
    if (joined[i] == '/') joined[i] = '\\';
  }
  return joined;
}

std::string TempDir::Write(const std::string& relative, const std::string& content) const {
  const fs::path file = Native(Join(relative));
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write test file " + file.string());
  return Join(relative);
}

std::string TempDir::Read(const std::string& relative) const {
  std::ifstream in(Native(Join(relative)), std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool TempDir::Exists(const std::string& relative) const { return fs::exists(Native(Join(relative))); }

void TempDir::MakeDirectory(const std::string& relative) const { fs::create_directories(Native(Join(relative))); }

}  // namespace kestrav::test
