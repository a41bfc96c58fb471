// The pause between lines: ends on time, keeps handling events, nests, and
// never loses the application's end.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "bridge/tallow_idler.h"
#include "tests/stubs/sim_desktop.h"

namespace tallow {
namespace {

// The module on a desktop of its own.
struct WaitSeconds : ::testing::Test {
  sim::SimDesktop desk;
  Tallow_Idler module{desk.platform()};
};

TEST_F(WaitSeconds, EndsAtTheFirstTestPastItsTimeWithoutSpinning) {
  desk.At(5, [] {});
  module.WaitSeconds(0.7);
  EXPECT_DOUBLE_EQ(desk.Now(), 0.7);
  // Nothing to do during the pause: one blocking wait covers it.
  EXPECT_EQ(desk.pumpCalls, 1);
}

TEST_F(WaitSeconds, ZeroNegativeAndNanReturnWithoutHandlingEvents) {
  bool ran = false;
  desk.At(0, [&] { ran = true; });
  module.WaitSeconds(0);
  module.WaitSeconds(-1);
  module.WaitSeconds(std::numeric_limits<double>::quiet_NaN());
  EXPECT_FALSE(ran);
  EXPECT_EQ(desk.pumpCalls, 0);
}

TEST_F(WaitSeconds, HandlesEventsThatFallInsideAndNests) {
  double innerEnd = -1;
  desk.At(0.5, [&] {
    module.WaitSeconds(0.7);  // inner pause runs to its end first
    innerEnd = desk.Now();
  });
  module.WaitSeconds(0.7);
  EXPECT_DOUBLE_EQ(innerEnd, 1.2);
  // The outer pause returns at its next test, after the inner one.
  EXPECT_DOUBLE_EQ(desk.Now(), 1.2);
}

TEST_F(WaitSeconds, LongPauseIsExactOverManyEvents) {
  int handled = 0;
  for (int i = 0; i < 1000; ++i) desk.At(i * 0.01, [&] { ++handled; });
  module.WaitSeconds(86400.5);  // across what would be a midnight
  EXPECT_EQ(handled, 1000);
  EXPECT_DOUBLE_EQ(desk.Now(), 86400.5);
}

TEST_F(WaitSeconds, ReturnsOnceTheApplicationIsEnding) {
  desk.At(0.2, [&] { desk.RequestQuit(); });
  module.WaitSeconds(0.7);
  EXPECT_DOUBLE_EQ(desk.Now(), 0.2);
  EXPECT_TRUE(desk.QuitRequested());
}

}  // namespace
}  // namespace tallow
