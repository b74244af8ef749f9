#include "support/test_platform.h"

namespace kestrav::test {

TestPlatform::TestPlatform()
    : system(MakeSystemAdapters()),
      ports{*system.files, registry, dialogs, processes, *system.xml, screen, *system.locale} {}

}  // namespace kestrav::test
