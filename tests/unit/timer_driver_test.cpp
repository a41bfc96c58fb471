#include "runtime/timer_driver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "tests/stubs/sim_desktop.h"

namespace tallow {
namespace {

using sim::SimDesktop;
using Delivery = TimerDriver::Delivery;

TEST(TimerDriver, TicksFallDueAgainstTheMomentItWasSwitchedOn) {
  SimDesktop desk;
  std::vector<double> at;
  TimerDriver timer(desk, 1.0, Delivery::kEveryTick, [&] { at.push_back(desk.Now()); });
  desk.AddTimer(timer);
  desk.At(0.25, [&] { timer.SetEnabled(true); });
  desk.RunUntil(3.5);
  EXPECT_EQ(at, (std::vector<double>{1.25, 2.25, 3.25}));
  // Switching on again changes nothing; off and on starts a new schedule.
  desk.At(3.6, [&] { timer.SetEnabled(true); });
  desk.At(3.7, [&] { timer.SetEnabled(false); });
  desk.At(3.9, [&] { timer.SetEnabled(true); });
  desk.RunUntil(5.0);
  EXPECT_EQ(at, (std::vector<double>{1.25, 2.25, 3.25, 4.9}));
}

TEST(TimerDriver, LateTicksAreDeliveredAfterTheHandlerReturnsNeverInside) {
  SimDesktop desk;
  int depth = 0, maxDepth = 0;
  std::vector<double> at;
  TimerDriver timer(desk, 1.0, Delivery::kEveryTick, [&] {
    ++depth;
    maxDepth = std::max(maxDepth, depth);
    at.push_back(desk.Now());
    if (at.size() == 1) {
      // A 2.5 s stall inside the first tick, handling events meanwhile.
      const double end = desk.Now() + 2.5;
      while (desk.Now() < end) desk.PumpEvents(end - desk.Now());
    }
    --depth;
  });
  desk.AddTimer(timer);
  timer.SetEnabled(true);
  desk.RunUntil(5.0);
  EXPECT_EQ(maxDepth, 1);
  // Ticks 2 and 3 fell due during the stall and come at once after it.
  EXPECT_EQ(at, (std::vector<double>{1.0, 3.5, 3.5, 4.0, 5.0}));
  EXPECT_EQ(timer.TicksDelivered(), 5u);
}

TEST(TimerDriver, ReentrantTimerRunsInsideItselfAndMergesMissedTicks) {
  SimDesktop desk;
  int depth = 0, maxDepth = 0, ticks = 0;
  TimerDriver timer(desk, 0.5, Delivery::kReentrant, [&] {
    ++depth;
    ++ticks;
    maxDepth = std::max(maxDepth, depth);
    if (ticks == 1) {
      const double end = desk.Now() + 2.0;  // a message box held open for 2 s
      while (desk.Now() < end) desk.PumpEvents(end - desk.Now());
    }
    --depth;
  });
  desk.AddTimer(timer);
  timer.SetEnabled(true);
  desk.RunUntil(3.0);
  EXPECT_EQ(maxDepth, 2);
  EXPECT_EQ(ticks, 6);  // 0.5 (holds to 2.5), 1.0, 1.5, 2.0, 2.5, 3.0
}

TEST(TimerDriver, NoDriftOverADayOfLateDeliveries) {
  SimDesktop desk;
  std::mt19937 random(7);
  std::uniform_real_distribution<double> late(0, 0.016);
  desk.timerLateness = [&] { return late(random); };
  TimerDriver timer(desk, 1.0, Delivery::kEveryTick, [] {});
  desk.AddTimer(timer);
  timer.SetEnabled(true);
  desk.RunUntil(86400.5);
  EXPECT_EQ(timer.TicksDelivered(), 86400u);
}

}  // namespace
}  // namespace tallow
