// The chat client failing under the idler: killed in the middle of an
// announcement, a room closed between two lines (an input that hangs is in
// posting_test.cpp). The idler keeps its clock and its controls, posts the
// rest where it can and never stops answering.
#include "tests/golden/expected.h"
#include "harness.h"

#include <cstdio>

namespace desktop {
namespace {

class Faults : public DesktopTest {};

TEST_F(Faults, ClientKilledInTheMiddleOfAPost) {
  // The reason line, third, hangs the room: the idler is waiting on it
  // when the room dies.
  ASSERT_NO_FATAL_FAILURE(start_room(L"--hang-on-line 3"));
  ASSERT_NO_FATAL_FAILURE(start_idler());
  set_reason(L"back soon");
  ASSERT_TRUE(click(control("Command1")));
  std::vector<Record> got = wait_lines(2);
  ASSERT_EQ(got.size(), 2u);
  expect_line(got[1], lines::kStarted, "Room 1");
  // The room stops answering as the reason's text reaches it: the idler then waits on it, 2 s at most.
  ASSERT_TRUE(wait_until([&] { return ping_ms(room_frame(), 250) < 0; }, 10000))
      << "the room never hung on the reason line";
  // The idler's wait began after Start's pause, at the earliest.
  const std::int64_t into_wait = now_ms() - (got[1].ms + 700);
  room_.kill();
  std::printf("[ timing   ] room killed at most %lld ms into the idler's wait\n", static_cast<long long>(into_wait));
  ASSERT_GE(into_wait, 0) << "the room was killed before the idler could have been waiting on it";
  ASSERT_LT(into_wait, 2000) << "the room was killed after the idler had given up on it";

  int worst = slowest_answer(idler(), 3000);
  std::printf("[ timing   ] slowest WM_NULL answer after the room was killed: %d ms\n", worst);
  ASSERT_GE(worst, 0) << "the idler stopped answering";
  EXPECT_LE(worst, 2500);
  expect_idling();
  EXPECT_GE(_wtoi(text_of(control("Label4")).c_str()), 3) << "the idle clock stopped";

  // A new client: Stop's lines reach it.
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_NO_FATAL_FAILURE(stop_idling("00", "00"));
  expect_no_more_lines(4);
}

TEST_F(Faults, RoomClosedAndReopenedBetweenTwoLines) {
  // Room 1 closes as soon as it has recorded the fourth line, the banner
  // of Adv.; Room 2 opens a second later, between the credit and the team.
  ASSERT_NO_FATAL_FAILURE(start_room(L"--close-after-line 4 --reopen-after-ms 1000"));
  ASSERT_NO_FATAL_FAILURE(start_idler());
  set_reason(L"lunch");
  ASSERT_NO_FATAL_FAILURE(start_idling("lunch"));
  ASSERT_TRUE(click(control("Command3")));
  std::vector<Record> got = wait_lines(5);
  ASSERT_EQ(got.size(), 5u);
  expect_line(got[3], lines::kBanner, "Room 1");
  // The credit went nowhere: there was no room to take it.
  expect_line(got[4], lines::kTeam, "Room 2");
  expect_gap(got[3], got[4], "banner -> team across the closed room", 2, 200);

  expect_idling();
  // The clock starts once Start's lines are out: Adv. took 1.4 s of it.
  EXPECT_GE(_wtoi(text_of(control("Label4")).c_str()), 1) << "the idle clock stopped";
  ASSERT_NO_FATAL_FAILURE(stop_idling("00", "00", "Room 2"));
}

}  // namespace
}  // namespace desktop
