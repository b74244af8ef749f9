#pragma once
// A fresh directory for one test, removed with everything in it at the end.
#include <string>

namespace kestrav::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The directory's full path, in the form the program's paths take on this system.
  const std::string& path() const { return path_; }
  // path() + "\\" + relative, with "/" in relative turned into "\\".
  std::string Join(const std::string& relative) const;
  // Writes a file (creating its directories); returns its full path.
  std::string Write(const std::string& relative, const std::string& content) const;
  std::string Read(const std::string& relative) const;
  bool Exists(const std::string& relative) const;
  void MakeDirectory(const std::string& relative) const;

 private:
  std::string path_;
};

}  // namespace kestrav::test
