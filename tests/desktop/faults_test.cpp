// The chat client failing under the idler: killed in the middle of an
// announcement, a room closed between two lines, an input that hangs. The
// idler keeps its clock and its controls, posts the rest where it can and
// never stops answering.
#include "tests/golden/expected.h"
#include "harness.h"

#include <cstdio>

namespace desktop {
namespace {

class Faults : public DesktopTest {
 protected:
  void set_reason(const std::wstring& text) {
    SendMessageW(control("Text1"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }

  int seconds_on_clock() const { return _wtoi(text_of(control("Label4")).c_str()); }
};

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
  Sleep(700 + 500);  // into the reason line's wait
  room_.kill();

  int worst = slowest_answer(idler(), 3000);
  std::printf("[ timing   ] slowest WM_NULL answer after the room was killed: %d ms\n", worst);
  ASSERT_GE(worst, 0) << "the idler stopped answering";
  EXPECT_LE(worst, 2500);
  expect_idling();
  int seconds = seconds_on_clock();
  EXPECT_GE(seconds, 3) << "the idle clock stopped";

  // A new client: Stop's lines reach it.
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_TRUE(click(control("Command2")));
  got = wait_lines(4);
  ASSERT_EQ(got.size(), 4u);
  expect_line(got[2], lines::kStopped, "Room 1");
  expect_line(got[3], lines::total("00", "00"), "Room 1");
  wait_stopped(5000);
  expect_not_idling();
  EXPECT_EQ(text_of(control("Label4")), L"00");
  expect_no_more_lines(4, 1500);
}

TEST_F(Faults, RoomClosedAndReopenedBetweenTwoLines) {
  // Room 1 closes as soon as it has recorded the fourth line, the banner
  // of Adv.; Room 2 opens a second later, between the credit and the team.
  ASSERT_NO_FATAL_FAILURE(start_room(L"--close-after-line 4 --reopen-after-ms 1000"));
  ASSERT_NO_FATAL_FAILURE(start_idler());
  set_reason(L"lunch");
  ASSERT_TRUE(click(control("Command1")));
  ASSERT_EQ(wait_lines(3).size(), 3u);
  ASSERT_TRUE(click(control("Command3")));
  std::vector<Record> got = wait_lines(5);
  ASSERT_EQ(got.size(), 5u);
  expect_line(got[1], lines::kStarted, "Room 1");
  expect_line(got[2], lines::reason("lunch"), "Room 1");
  expect_line(got[3], lines::kBanner, "Room 1");
  // The credit went nowhere: there was no room to take it.
  expect_line(got[4], lines::kTeam, "Room 2");
  std::printf("[ timing   ] banner -> team across the closed room: %lld ms\n",
              static_cast<long long>(got[4].ms - got[3].ms));
  EXPECT_NEAR(static_cast<double>(got[4].ms - got[3].ms), 1400, 200);

  expect_idling();
  // The clock starts once Start's lines are out: Adv. took 1.4 s of it.
  EXPECT_GE(seconds_on_clock(), 1) << "the idle clock stopped";
  ASSERT_TRUE(click(control("Command2")));
  got = wait_lines(7);
  ASSERT_EQ(got.size(), 7u);
  expect_line(got[5], lines::kStopped, "Room 2");
  expect_line(got[6], lines::total("00", "00"), "Room 2");
  wait_stopped(5000);
  expect_not_idling();
}

TEST_F(Faults, InputHungLongerThanTheIdlerWaitsGetsNoEnter) {
  // The banner's text reaches the input 3 s late, after the idler gave up
  // on it at 2 s: it must not be sent, and the next lines go through.
  ASSERT_NO_FATAL_FAILURE(start_room(L"--hang-on-line 2 --hang-seconds 3"));
  ASSERT_NO_FATAL_FAILURE(start_idler());
  ASSERT_TRUE(click(control("Command3")));
  int worst = slowest_answer(idler(), 4500);
  std::vector<Record> got = wait_lines(3);
  ASSERT_EQ(got.size(), 3u);
  expect_line(got[1], lines::kCredit, "Room 1");
  expect_line(got[2], lines::kTeam, "Room 1");
  std::printf("[ timing   ] slowest WM_NULL answer while the input hung: %d ms\n", worst);
  ASSERT_GE(worst, 0) << "the idler stopped answering";
  EXPECT_LE(worst, 2500);
  expect_no_more_lines(3, 1500);
  expect_not_idling();
}

}  // namespace
}  // namespace desktop
