#pragma once
// A fresh directory for one test, removed with everything in it at the end. Paths are given
// with "\\" as the program's paths are; both systems' file functions take "/".
#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace kestrav::test {

// A local time as a file time, for setting a file's last-write time.
inline std::filesystem::file_time_type LocalFileTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm local{};
  local.tm_year = year - 1900, local.tm_mon = month - 1, local.tm_mday = day;
  local.tm_hour = hour, local.tm_min = minute, local.tm_sec = second, local.tm_isdst = -1;
  return std::filesystem::file_time_type::clock::from_sys(std::chrono::system_clock::from_time_t(std::mktime(&local)));
}

class TempDir {
 public:
  TempDir() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = (std::filesystem::temp_directory_path() /
             ("kestrav-test-" + std::to_string(stamp) + "-" + std::to_string(counter++))).string();
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {  // read-only files and directories left by a test must not keep the tree alive
    namespace fs = std::filesystem;
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator(Native(path_), ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored)) {
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(Native(path_), ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string Join(std::string relative) const {
    std::replace(relative.begin(), relative.end(), '/', '\\');
    return path_ + "\\" + relative;
  }
  std::string Write(const std::string& relative, const std::string& content) const {
    const std::filesystem::path file = Native(Join(relative));
    std::filesystem::create_directories(file.parent_path());
    if (!std::ofstream(file, std::ios::binary).write(content.data(), std::ssize(content))) {
      throw std::runtime_error("cannot write test file " + file.string());
    }
    return Join(relative);
  }
  std::string Read(const std::string& relative) const {
    std::ifstream file(Native(Join(relative)), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
  }
  bool Exists(const std::string& relative) const { return std::filesystem::exists(Native(Join(relative))); }
  void MakeDirectory(const std::string& relative) const { std::filesystem::create_directories(Native(Join(relative))); }

 private:
  static std::filesystem::path Native(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
  }
  std::string path_;
};

}  // namespace kestrav::test
