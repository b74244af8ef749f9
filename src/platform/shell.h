#pragma once
// Starting a program or opening a document or address the way the desktop shell does.
#include <string>

namespace kestrav {

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens file (a program, a document, an address) with parameters, in directory when it is
  // not empty, in a normal window. Whether it started is not reported: the shell shows its
  // own message when it cannot.
  virtual void Open(const std::string& file, const std::string& parameters, const std::string& directory) = 0;
};

}  // namespace kestrav
