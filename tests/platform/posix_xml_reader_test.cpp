#ifndef _WIN32
#include <gtest/gtest.h>

#include "platform/system_platform.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

std::string Nested(std::size_t depth) {
  std::string open, close;
  for (std::size_t i = 0; i < depth; ++i) {
    open += i == 0 ? "<s ID=\"1\">" : "<s>";
    close += "</s>";
  }
  return open + close;
}

// The end-tag check keeps one name per open element, so nesting is bounded.
TEST(PosixXmlReader, RefusesElementsNestedBeyondItsLimit) {
  test::TempDir dir;
  auto system = MakeSystemAdapters();
  EXPECT_EQ("1", system.xml->ReadRootAttribute(dir.Write("deep.xml", Nested(4096)), "ID"));
  EXPECT_EQ(std::nullopt, system.xml->ReadRootAttribute(dir.Write("deeper.xml", Nested(4097)), "ID"));
}

}  // namespace
}  // namespace kestrav
#endif
