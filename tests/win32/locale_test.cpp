// The order in which names are shown: the system's collation through CompareStringA.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/system_platform.h"

namespace kestrav {
namespace {

TEST(Win32Locale, OrdersNamesByTheSystemsCollationWithoutRegardToCase) {
  auto system = MakeSystemAdapters();
  Locale& locale = *system.locale;
  std::vector<std::string> names = {"b.grf", "Z.grf", "a-b.grf", "A.grf", "ab.grf", "1.grf", "a_b.grf", "_x.grf"};
  std::sort(names.begin(), names.end(),
            [&](const std::string& a, const std::string& b) { return locale.CompareIgnoringCase(a, b) < 0; });
  // Symbols before digits before letters; a hyphen weighs only where all else is equal.
  EXPECT_EQ((std::vector<std::string>{"_x.grf", "1.grf", "A.grf", "a_b.grf", "ab.grf", "a-b.grf", "b.grf", "Z.grf"}),
            names);

  for (const auto& a : names) {
    for (const auto& b : names) {
      const int forward = locale.CompareIgnoringCase(a, b);
      const int backward = locale.CompareIgnoringCase(b, a);
      EXPECT_EQ(forward < 0, backward > 0) << a << " " << b;
      EXPECT_EQ(forward == 0, a == b) << a << " " << b;
    }
  }
  EXPECT_EQ(0, locale.CompareIgnoringCase("NewGRF\\ABC.GRF", "newgrf\\abc.grf"));
  EXPECT_LT(locale.CompareIgnoringCase("", "a"), 0);
}

}  // namespace
}  // namespace kestrav
