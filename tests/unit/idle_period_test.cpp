// Start, Stop and the one-second tick: the clock's text arithmetic, the
// reports, the two states of the window, and presses inside the pauses.

#include <gtest/gtest.h>

#include <cmath>

#include "idler/catalogue.h"
#include "runtime/text_number.h"
#include "tests/stubs/idler_sim.h"

namespace tallow {
namespace {

using sim::Ansi;
using sim::IdlerSim;
using Lines = std::vector<std::string>;

const std::wstring kReason = L"Reason Idle.........";

// Loads the window and presses Start at 0; the clock starts at 0.7.
struct Period : sim::Loaded {
  Period() { Start(0); }
  // Runs until tick `n` of the period has been handled, reports included.
  void AfterTick(long n) { desk.RunUntil(0.7 + n + 1.5); }
  std::vector<std::string> PostedSince(std::size_t from) const {
    const std::vector<std::string> all = IdlerSim::Lines();
    return {all.begin() + static_cast<long>(from), all.end()};
  }
};

TEST(TextNumber, ConversionsOfTheClock) {
  for (const auto& [text, number] : {std::pair<const wchar_t*, std::uint64_t>{L"00", 0}, {L"59", 59}, {L"x", 0}})
    EXPECT_EQ(TextToNumber(text), number) << "\"" << Ansi(text) << "\"";
  for (const auto& [number, text] : {std::pair<std::uint64_t, const wchar_t*>{0, L"0"},
                                     {1, L"1"},
                                     {60, L"60"},
                                     {100, L"100"},
                                     {123456789012, L"123456789012"}})
    EXPECT_EQ(NumberToText(number), text) << number;
  for (std::uint64_t n : {0ull, 59ull, 999999999999999ull}) EXPECT_EQ(TextToNumber(NumberToText(n)), n);
}

TEST(IdlePeriod, StartPostsStartAndReasonThenSwitchesToIdling) {
  Period p;
  p.Type(0.35, L"lunch <b>break</b>");  // typed during Start's pause
  bool notIdlingDuringPause = false;
  p.Check(0.69, [&] { notIdlingDuringPause = p.NotIdling(); });
  p.desk.RunUntil(0.7);
  EXPECT_TRUE(notIdlingDuringPause);  // controls switch only at the end of Start
  EXPECT_EQ(p.PostedSince(1), (Lines{Ansi(LineStarted), Ansi(LineReason(L"lunch <b>break</b>"))}));
  EXPECT_TRUE(p.Idling());
  EXPECT_EQ(p.Clock(), L"00:00:00");
}

// One period left alone, watched as it runs: each minute's report, the
// hour's roll-over with a tick that falls due inside its report, the clock
// against the table of ticks, and no counter wrapping past a hundred hours.
TEST(IdlePeriod, LeftAloneReportsEachMinuteRollsOverEachHourAndNeverWraps) {
  Period p;
  p.AfterTick(60);
  EXPECT_EQ(p.PostedSince(3), (Lines{Ansi(LineBanner), Ansi(LineReason(kReason)), Ansi(LineIdleFor(L"00", L"1"))}));
  const auto times = p.Times();
  EXPECT_NEAR(times[3], 60.7, 1e-9);
  EXPECT_NEAR(times[4], 61.4, 1e-9);
  EXPECT_NEAR(times[5], 62.1, 1e-9);

  // Tick 3601 falls due at 3601.7, while the report of tick 3600 (3600.7 to
  // 3602.1) is still posting; it is delivered when the report returns.
  p.desk.RunUntil(3603);
  EXPECT_EQ(p.Lines().back(), Ansi(LineIdleFor(L"00", L"60")));
  ASSERT_EQ(p.ticks.size(), 3602u);
  EXPECT_NEAR(p.ticks[3599].endedAt, 3602.1, 1e-6);  // the hour's tick, report included
  EXPECT_NEAR(p.ticks[3600].endedAt, 3602.1, 1e-6);  // tick 3601, late
  EXPECT_EQ(p.ticks[3600].clock, L"1:00:1");
  EXPECT_NEAR(p.ticks[3601].endedAt, 3602.7, 1e-6);  // and back on the schedule
  EXPECT_EQ(p.ticks[3601].clock, L"1:00:2");

  p.AfterTick(3660);
  EXPECT_EQ(p.Lines().back(), Ansi(LineIdleFor(L"1", L"1")));
  p.AfterTick(7200);
  EXPECT_EQ(p.Lines().back(), Ansi(LineIdleFor(L"1", L"60")));
  // One report per minute, never one with minutes "00".
  long reports = 0;
  for (const auto& line : p.Lines())
    if (line.find("Idle For:") != std::string::npos) {
      ++reports;
      EXPECT_EQ(line.find("and 00 Min"), std::string::npos) << line;
    }
  EXPECT_EQ(reports, 120);
  struct Row {
    std::size_t tick;
    const wchar_t* clock;
  };
  ASSERT_GE(p.ticks.size(), 7200u);
  for (Row row : {Row{1, L"00:00:1"}, Row{59, L"00:00:59"}, Row{60, L"00:1:00"}, Row{61, L"00:1:1"},
                  Row{3600, L"1:00:00"}, Row{3660, L"1:1:00"}, Row{7200, L"2:00:00"}})
    EXPECT_EQ(p.ticks[row.tick - 1].clock, row.clock) << "tick " << row.tick;

  p.AfterTick(100 * 3600 + 61);
  EXPECT_EQ(p.ticks[100 * 3600 + 60].clock, L"100:1:1");
  EXPECT_EQ(p.Lines().back(), Ansi(LineIdleFor(L"100", L"1")));
}

TEST(IdlePeriod, StopAfterThirtyTicksPostsZeroTotalAndClears) {
  Period p;
  p.Stop(0.7 + 30 + 0.1);
  p.desk.RunUntil(40);
  EXPECT_EQ(p.PostedSince(3), (Lines{Ansi(LineStopped), Ansi(LineTotal(L"00", L"00"))}));
  EXPECT_EQ(p.Clock(), L"00:00:00");
  EXPECT_TRUE(p.NotIdling());
}

TEST(IdlePeriod, StopAfterOneHourOneMinuteThirtySeconds) {
  Period p;
  p.Stop(0.7 + 3690 + 0.1);
  p.desk.RunUntil(3700);
  EXPECT_EQ(p.Lines().back(), Ansi(LineTotal(L"1", L"1")));
  EXPECT_EQ(p.Clock(), L"00:00:00");
}

TEST(IdlePeriod, StartAfterStopCountsFromZero) {
  Period p;
  p.Stop(10.9);
  p.Start(20);
  p.desk.RunUntil(20.7 + 5.5);
  EXPECT_EQ(p.Clock(), L"00:00:5");
  EXPECT_TRUE(p.Idling());
}

TEST(IdlePeriod, SecondStartInsideStartsPause) {
  Period p;
  p.Start(0.2);
  p.desk.RunUntil(3);
  EXPECT_EQ(p.PostedSince(1),
            (Lines{Ansi(LineStarted), Ansi(LineStarted), Ansi(LineReason(kReason)), Ansi(LineReason(kReason))}));
  EXPECT_TRUE(p.Idling());
  // The timer was switched on once, by the inner Start at 0.9.
  p.desk.RunUntil(0.9 + 10 + 0.05);
  EXPECT_EQ(p.Clock(), L"00:00:10");
}

TEST(IdlePeriod, TicksAndASecondStopInsideStopsPause) {
  Period p;
  p.Stop(60.5);   // tick 60 falls due at 60.7, inside this Stop's pause
  p.Stop(60.55);  // a second Stop, also inside
  p.desk.RunUntil(70);
  // The tick's report runs whole inside the inner Stop's pause; the inner
  // Stop then totals the minute and clears, and the outer totals the cleared
  // clock.
  EXPECT_EQ(p.PostedSince(3),
            (Lines{Ansi(LineStopped), Ansi(LineStopped), Ansi(LineBanner), Ansi(LineReason(kReason)),
                   Ansi(LineIdleFor(L"00", L"1")), Ansi(LineTotal(L"00", L"1")), Ansi(LineTotal(L"00", L"00"))}));
  EXPECT_EQ(p.Clock(), L"00:00:00");
  EXPECT_TRUE(p.NotIdling());
}

TEST(IdlePeriod, TickInsideStopsPauseCountsInTheTotal) {
  Period p;
  p.Stop(60.5);
  p.desk.RunUntil(70);
  EXPECT_EQ(p.PostedSince(3), (Lines{Ansi(LineStopped), Ansi(LineBanner), Ansi(LineReason(kReason)),
                                     Ansi(LineIdleFor(L"00", L"1")), Ansi(LineTotal(L"00", L"1"))}));
  EXPECT_TRUE(p.NotIdling());
}

TEST(IdlePeriod, StopAndAdvInsideTheReportsPauses) {
  Period p;
  p.Adv(61.0);   // inside the first pause of the report at 60.7
  p.Stop(62.5);  // inside the report's second pause (after Adv's lines)
  p.desk.RunUntil(70);
  EXPECT_EQ(p.PostedSince(3),
            (Lines{Ansi(LineBanner), Ansi(LineBanner), Ansi(LineCredit), Ansi(LineTeam), Ansi(LineReason(kReason)),
                   Ansi(LineStopped), Ansi(LineTotal(L"00", L"1")), Ansi(LineIdleFor(L"00", L"00"))}));
  EXPECT_EQ(p.Clock(), L"00:00:00");
  EXPECT_TRUE(p.NotIdling());
}

// The machine asleep (or the process suspended) in the middle of a period:
// the ticks that fell due meanwhile are not made up, a pause that spans the
// gap ends on waking, and the reports go on a minute of awake time apart.
TEST(IdlePeriod, SleepIsNotMadeUpWhileTheClockCountsAwakeTime) {
  struct Row {
    const char* where;
    double at, seconds;
    double firstPost;  // seconds after waking: a pause that spans the sleep ends on waking
    Lines next25;      // posted in the 25 s after waking
  };
  const Lines report2{Ansi(LineBanner), Ansi(LineReason(kReason)), Ansi(LineIdleFor(L"00", L"2"))};
  for (const Row& row :
       {Row{"an hour, idling", 100.2, 3600, 20.7, report2}, Row{"a day, idling", 100.2, 86400, 20.7, report2},
        Row{"an hour in a report's pause", 121.0, 3600, 0, {report2[1], report2[2]}},
        Row{"an hour in Start's pause", 0.3, 3600, 0, {report2[1]}}}) {
    SCOPED_TRACE(row.where);
    Period p;
    p.Check(row.at, [&] { p.desk.Suspend(row.seconds); });
    const double woke = row.at + row.seconds;
    p.desk.RunUntil(woke + 200);
    Lines next25;
    std::vector<double> banners, after;
    for (const auto& [time, bytes] : p.desk.posted) {
      if (time >= woke) after.push_back(time - woke);
      if (time >= woke && time < woke + 25) next25.push_back(bytes);
      if (time >= woke && bytes == Ansi(LineBanner)) banners.push_back(time);
    }
    ASSERT_FALSE(after.empty());
    EXPECT_NEAR(after[0], row.firstPost, 1e-6);
    EXPECT_EQ(next25, row.next25);
    ASSERT_GE(banners.size(), 3u);
    for (std::size_t i = 1; i < banners.size(); ++i) EXPECT_NEAR(banners[i] - banners[i - 1], 60, 1e-6);
    // The clock shows the time awake since it started, to within the half
    // second between two readings of the time.
    const bool asleepBeforeTheClock = row.at < 0.7;
    const double awake = p.desk.Now() - (asleepBeforeTheClock ? woke : 0.7 + row.seconds);
    const double shown = TextToNumber(p.Label3.Text()) * 60 + TextToNumber(p.Label4.Text());
    EXPECT_LE(shown, std::floor(awake));
    EXPECT_GE(shown, std::floor(awake - 0.5));
  }
}

// A chat client that keeps each message waiting the full 2 s it is allowed
// holds every report up for 12 s: late, but no tick of it is lost.
TEST(IdlePeriod, SlowClientDelaysTicksButLosesNone) {
  Period p;
  p.desk.postCost = 4;  // the text and the Enter, 2 s each
  const double clockOn = 4 + 0.7 + 4;
  p.desk.RunUntil(clockOn + 200.5);
  EXPECT_EQ(p.Clock(), L"00:3:20");
  EXPECT_EQ(p.Lines().back(), Ansi(LineIdleFor(L"00", L"3")));
}

TEST(IdlePeriod, NoTickOfAnOldPeriodAfterStop) {
  Period p;
  p.Stop(5.2);
  p.desk.RunUntil(5.95);  // tick 5 was due at 5.7, inside Stop's pause
  EXPECT_EQ(p.Clock(), L"00:00:00");
  p.desk.RunUntil(30);
  EXPECT_EQ(p.Clock(), L"00:00:00");
  EXPECT_EQ(p.Timer1.TicksDelivered(), 5u);
}

}  // namespace
}  // namespace tallow
