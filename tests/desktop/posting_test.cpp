// What the idler posts into the room, where it goes, and how it copes with a
// client that fails under it: an input that hangs, the client killed in the
// middle of an announcement, a room closed between two lines. The idler keeps
// its clock and its controls, posts the rest where it can and never stops
// answering.
#include "harness.h"

#include <algorithm>
#include <cstdio>

namespace desktop {
namespace {

class Posting : public DesktopTest {};

// Pings hwnd every 100 ms for `over_ms`; the slowest answer, or -1 as soon as
// one does not come within 10 s.
int slowest_answer(HWND hwnd, int over_ms) {
  int worst = 0;
  std::int64_t until = now_ms() + over_ms;
  while (now_ms() < until) {
    int answer = ping_ms(hwnd, 10000);
    if (answer < 0) return -1;
    worst = std::max(worst, answer);
    Sleep(100);
  }
  return worst;
}

// Load posts LineLoaded once, Adv. its three lines one pause apart, each
// into the room on top, and the idler shows beside the chat client. Exit
// inside Adv.'s pause then ends everything: the advert posts nothing once
// the window is gone.
TEST_F(Posting, LoadAndAdvPostIntoTheMostRecentlyActiveRoomAndExitInsideAdvsPauseEndsEverything) {
  ASSERT_NO_FATAL_FAILURE(start_room(L"--rooms 2"));
  ASSERT_NO_FATAL_FAILURE(start_idler());
  std::vector<Record> got = lines();
  ASSERT_EQ(got.size(), 1u);
  expect_line(got[0], lines::kLoaded, "Room 2");  // opened last, so on top
  std::printf("[ timing   ] exe started -> LineLoaded recorded: %lld ms\n",
              static_cast<long long>(got[0].ms - idler_.started_ms()));

  place(idler(), 560, 40);  // the room is 520 wide at 0,0
  int worst_ping = 0;
  ASSERT_TRUE(click(control("Command3")));
  // Ask the idler for attention while it posts, to see what a user would.
  wait_until(
      [&] {
        worst_ping = std::max(worst_ping, ping_ms(idler(), 5000));
        got = lines();
        return got.size() >= 4;
      },
      15000, 50);
  ASSERT_EQ(got.size(), 4u);
  expect_adv(got, 1, "Room 2");
  std::printf("[ timing   ] slowest WM_NULL answer during Adv.: %d ms\n", worst_ping);

  HWND room1 = room_child(L"Room 1");
  ASSERT_NE(room1, nullptr);
  SendMessageW(mdi_client(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(room1), 0);
  // The first chat child of the MDI client is where the idler posts.
  ASSERT_TRUE(wait_until([&] { return room_child(nullptr) == room1; }, 5000))
      << "the practice room did not bring Room 1 to the top";
  ASSERT_NO_FATAL_FAILURE(press_for("Command3", kAdv, "Adv.", "Room 1"));
  expect_no_more_lines(7);

  EXPECT_TRUE(wait_until([&] { return idler_shows_its_picture(); }, 3000)) << "the idler shows no picture";
  std::printf("[ desktop  ] screenshot: %s\n", narrow(screenshot(test_name())).c_str());

  ASSERT_TRUE(click(control("Command3")));
  ASSERT_EQ(wait_lines(8).size(), 8u);  // the banner: Adv. is now in its first pause
  ASSERT_TRUE(click(control("Command4")));
  EXPECT_TRUE(idler_.wait_exit(10000)) << "the process did not end";
  expect_no_more_lines(10);
  got = lines();
  ASSERT_EQ(got.size(), 10u);
  expect_line(got[7], lines::kBanner);
  expect_announcement(got, 8, {lines::kUnloaded, lines::kCredit}, "Exit");
}

// LineLoaded goes to the top window even when it is mail, over typed text.
TEST_F(Posting, GoesToTheTopWindowEvenWhenItIsMailAndReplacesTypedText) {
  for (const auto& [args, room] : {std::pair{L"--non-chat", "Mail"}, {L"--pretype \"half a thought \"", "Room 1"}}) {
    SCOPED_TRACE(narrow(args));
    const size_t before = lines().size();
    ASSERT_NO_FATAL_FAILURE(start_room(args));
    ASSERT_NO_FATAL_FAILURE(start_idler(false));
    std::vector<Record> got = wait_lines(before + 1);
    ASSERT_EQ(got.size(), before + 1);
    expect_line(got.back(), lines::kLoaded, room);
  }
}

// A room that hangs on a line: the idler keeps answering, the line is never
// sent, and Exit still ends the idler.
TEST_F(Posting, HungRoomNeitherHangsTheIdlerNorGetsTheLine) {
  struct Case {
    const wchar_t* room_args;
    size_t posted;  // before the hang
    int watch_ms;
    std::vector<std::string> after;  // the lines that follow Adv.'s banner
  } cases[] = {
      // The first line, LineLoaded, hangs it while the main window loads.
      {L"--hung", 0, 4000, {}},
      // It records LineLoaded, then hangs on Adv.'s banner: three lines
      // that each may wait up to 2 s, with 0.7 s between them.
      {L"--hang-on-line 2", 1, 9000, {}},
      // The banner's text reaches the input 3 s late, after the idler gave
      // up on it at 2 s: it gets no Enter, and the next lines go through.
      {L"--hang-on-line 2 --hang-seconds 3", 1, 4500, {lines::kCredit, lines::kTeam}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(narrow(c.room_args));
    const size_t before = lines().size();
    ASSERT_NO_FATAL_FAILURE(start_room(c.room_args));
    ASSERT_NO_FATAL_FAILURE(start_idler(false));
    if (c.posted > 0) {
      ASSERT_EQ(wait_lines(before + c.posted).size(), before + c.posted);
      ASSERT_TRUE(click(control("Command3")));
    }
    int worst = slowest_answer(idler(), c.watch_ms);
    ASSERT_GE(worst, 0) << "the idler did not answer WM_NULL within 10 s";
    std::printf("[ timing   ] slowest WM_NULL answer while the room hangs: %d ms\n", worst);
    EXPECT_LE(worst, 2500) << "the idler was unresponsive while the room hung";
    const size_t total = before + c.posted + c.after.size();
    std::vector<Record> got = wait_lines(total);
    ASSERT_EQ(got.size(), total) << "a line reached the hung room, or one after it did not";
    for (size_t i = 0; i < c.after.size(); ++i) expect_line(got[before + c.posted + i], c.after[i]);
    expect_idling(false);

    std::int64_t exit_clicked = now_ms();
    ASSERT_TRUE(click(control("Command4")));
    EXPECT_TRUE(idler_.wait_exit(30000)) << "Exit did not end the idler while the room hangs";
    std::printf("[ timing   ] Exit with a hung room -> process ended: %lld ms\n",
                static_cast<long long>(now_ms() - exit_clicked));
    // Nothing more, but Exit's own two lines where the room answers again.
    EXPECT_EQ(lines().size(), total + (c.after.empty() ? 0 : 2));
  }
}

// Adv.'s two pauses as Windows 7 and earlier would run them: the running
// idler's wait is given those Windows' rules (a wake mask with a flag they do
// not know is refused) and every wait is counted. A refused wait must never
// turn a pause into a spin: two 0.7 s pauses take a handful of waits, or
// slices of 15 ms where every wait fails.
TEST_F(Posting, PausesOnOldWindowsSleepThroughAdv) {
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_NO_FATAL_FAILURE(start_idler());
  ASSERT_TRUE(load_probe());
  ASSERT_EQ(probe_long("windows7_wait_installed"), 1) << "the idler does not import MsgWaitForMultipleObjectsEx";
  // Pressed without the mouse, and the pointer kept off the window: resting
  // on a button it wakes the pauses for the button's hover effects, and
  // those waits are not the pauses' own.
  const RECT window = screen_rect(idler());
  move_mouse(POINT{window.left - 20, window.bottom + 20});
  struct Rules {
    const char* name;
    bool refuse_all;  // every wait fails, as if for a reason of its own
    LONG most_waits;
  };
  for (const Rules& rules : {Rules{"Windows 7", false, 20}, Rules{"every wait refused", true, 200}}) {
    SCOPED_TRACE(rules.name);
    ASSERT_TRUE(set_probe_long("windows7_wait_refuse_all", rules.refuse_all) &&
                set_probe_long("windows7_wait_count", 0) && set_probe_long("windows7_wait_refused", 0));
    const size_t before = lines().size();
    PostMessageW(control("Command3"), BM_CLICK, 0, 0);
    std::vector<Record> got = wait_lines(before + 3);
    ASSERT_EQ(got.size(), before + 3);
    expect_adv(got, before);
    const LONG waits = probe_long("windows7_wait_count").value_or(-1);
    const LONG refusals = probe_long("windows7_wait_refused").value_or(-1);
    std::printf("[ waits    ] %s: %ld waits in Adv.'s pauses, %ld refused\n", rules.name, static_cast<long>(waits),
                static_cast<long>(refusals));
    ASSERT_GE(waits, 0) << "cannot read the count in the idler";
    EXPECT_TRUE(rules.refuse_all || refusals == 0) << "the wake mask has a flag that Windows 7 does not know";
    EXPECT_LE(waits, rules.most_waits) << "the pauses spun instead of sleeping";
  }
}

TEST_F(Posting, ClientKilledInTheMiddleOfAPost) {
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

TEST_F(Posting, RoomClosedAndReopenedBetweenTwoLines) {
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
