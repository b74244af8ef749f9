#pragma once
// The one error type of the program: a failed file or registry operation, carrying the
// exact text the user sees in the error box. The window's message dispatch catches it,
// shows the text and lets the program go on; the command that raised it stops there.
#include <stdexcept>
#include <string>

namespace kestrav {

class OperationError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Fills the first "%s" of pattern with argument ("Cannot open file %s").
std::string FillPattern(const std::string& pattern, const std::string& argument);

}  // namespace kestrav
