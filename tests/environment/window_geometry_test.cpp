#include "environment/window_geometry.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/memory_registry.h"

namespace kestrav {
namespace {

class FixedScreen : public Screen {
 public:
  FixedScreen(ScreenSize full, ScreenSize work) : full_(full), work_(work) {}
  ScreenSize PrimaryScreen() override { return full_; }
  ScreenSize WorkArea() override { return work_; }

 private:
  ScreenSize full_, work_;
};

struct GeometryCase {
  const char* what;
  std::optional<int> width, height, top, left;
  ScreenSize screen, work;
  WindowBounds expected;
};

TEST(InitialWindowBounds, FollowsStoredValuesDefaultsAndClamps) {
  const GeometryCase cases[] = {
      {"first start centres", {}, {}, {}, {}, {1024, 768}, {1024, 738}, {352, 184, 320, 400}},
      {"odd screen and odd size", 321, 401, {}, {}, {1023, 767}, {1023, 767}, {511 - 160, 383 - 200, 321, 401}},
      {"stored bounds", 500, 600, 10, 20, {1024, 768}, {1024, 738}, {20, 10, 500, 600}},
      {"width below the minimum", 200, 100, {}, {}, {1024, 768}, {1024, 738}, {352, 234, 320, 300}},
      {"negative edges move to 0", {}, {}, -50, -50, {1024, 768}, {1024, 738}, {0, 0, 320, 400}},
      {"larger than the work area", 5000, 5000, 0, 0, {1024, 768}, {1024, 738}, {0, 0, 1024, 738}},
      {"past the right edge stays", {}, {}, 700, 900, {1024, 768}, {1024, 738}, {900, 700, 320, 400}},
      {"screen smaller than the minimum", {}, {}, {}, {}, {200, 200}, {200, 200}, {0, 0, 320, 300}},
      {"centring an oversized window", 2000, {}, {}, {}, {1024, 768}, {1024, 738}, {0, 184, 1024, 400}},
  };
  for (const auto& c : cases) {
    MemoryRegistry registry;
    SettingsStore settings(registry);
    settings.Open(true);
    if (c.width) settings.WriteInteger(setting::kWidth, *c.width);
    if (c.height) settings.WriteInteger(setting::kHeight, *c.height);
    if (c.top) settings.WriteInteger(setting::kTop, *c.top);
    if (c.left) settings.WriteInteger(setting::kLeft, *c.left);
    FixedScreen screen(c.screen, c.work);
    const WindowBounds b = InitialWindowBounds(settings, screen);
    const WindowBounds& e = c.expected;
    EXPECT_EQ(std::tuple(e.left, e.top, e.width, e.height), std::tuple(b.left, b.top, b.width, b.height)) << c.what;
  }
}

TEST(StoreWindowBounds, WritesAllFourValues) {
  MemoryRegistry registry;
  SettingsStore settings(registry);
  settings.Open(true);
  StoreWindowBounds(settings, {-3, 7, 320, 480});
  EXPECT_EQ(std::tuple(7, -3, 320, 480),
            std::tuple(settings.ReadInteger(setting::kTop), settings.ReadInteger(setting::kLeft),
                       settings.ReadInteger(setting::kWidth), settings.ReadInteger(setting::kHeight)));
}

}  // namespace
}  // namespace kestrav
