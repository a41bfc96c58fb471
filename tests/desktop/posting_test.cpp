// What the idler posts into the room, where it goes, and how it copes with a
// client that does not answer.
#include "tests/golden/expected.h"
#include "harness.h"

#include <algorithm>
#include <cstdio>

namespace desktop {
namespace {

class Posting : public DesktopTest {
 protected:
  // The first chat child of the MDI client: where the idler posts.
  HWND top_child() const { return room_child(nullptr); }
};

TEST_F(Posting, AdvPostsBannerCreditAndTeamInTurn) {
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_NO_FATAL_FAILURE(start_idler());
  int worst_ping = 0;
  ASSERT_TRUE(click(control("Command3")));
  std::vector<Record> got;
  // Ask the idler for attention while it posts, to see what a user would.
  wait_until(
      [&] {
        worst_ping = std::max(worst_ping, ping_ms(idler(), 5000));
        got = lines();
        return got.size() >= 4;
      },
      15000, 50);
  ASSERT_EQ(got.size(), 4u);
  expect_adv(got, 1);
  std::printf("[ timing   ] slowest WM_NULL answer during Adv.: %d ms\n", worst_ping);
  expect_no_more_lines(4, 2000);
}

TEST_F(Posting, ExitPostsUnloadedAndCreditThenEnds) {
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_NO_FATAL_FAILURE(start_idler());
  ASSERT_TRUE(click(control("Command4")));
  std::vector<Record> got = wait_lines(3);
  ASSERT_EQ(got.size(), 3u);
  expect_line(got[1], lines::kUnloaded, "Room 1");
  expect_line(got[2], lines::kCredit, "Room 1");
  expect_gap(got[1], got[2], "Exit unloaded -> credit");
  HWND window = idler();
  EXPECT_TRUE(wait_until([&] { return !IsWindow(window); }, 20000)) << "the window did not close";
  std::printf("[ timing   ] credit recorded -> window gone: %lld ms\n", static_cast<long long>(now_ms() - got[2].ms));
  ASSERT_TRUE(idler_.wait_exit(20000)) << "the idler's process did not end after Exit";
  std::printf("[ timing   ] credit recorded -> process ended: %lld ms\n", static_cast<long long>(now_ms() - got[2].ms));
  EXPECT_EQ(lines().size(), 3u);
}

TEST_F(Posting, GoesToTheMostRecentlyActiveRoom) {
  ASSERT_NO_FATAL_FAILURE(start_room(L"--rooms 2"));
  ASSERT_NO_FATAL_FAILURE(start_idler());
  std::vector<Record> got = lines();
  ASSERT_EQ(got.size(), 1u);
  expect_line(got[0], lines::kLoaded, "Room 2");  // opened last, so on top

  ASSERT_TRUE(click(control("Command3")));
  got = wait_lines(4);
  ASSERT_EQ(got.size(), 4u);
  for (int i = 1; i < 4; ++i) EXPECT_EQ(got[i].room, "Room 2");

  HWND room1 = room_child(L"Room 1");
  ASSERT_NE(room1, nullptr);
  SendMessageW(mdi_client(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(room1), 0);
  ASSERT_TRUE(wait_until([&] { return top_child() == room1; }, 5000))
      << "the practice room did not bring Room 1 to the top";

  ASSERT_TRUE(click(control("Command3")));
  got = wait_lines(7);
  ASSERT_EQ(got.size(), 7u);
  expect_line(got[4], lines::kBanner, "Room 1");
  expect_line(got[5], lines::kCredit, "Room 1");
  expect_line(got[6], lines::kTeam, "Room 1");
}

TEST_F(Posting, GoesToTheTopWindowEvenWhenItIsMail) {
  ASSERT_NO_FATAL_FAILURE(start_room(L"--non-chat"));
  ASSERT_NO_FATAL_FAILURE(start_idler());
  std::vector<Record> got = lines();
  ASSERT_EQ(got.size(), 1u);
  expect_line(got[0], lines::kLoaded, "Mail");
}

TEST_F(Posting, ReplacesTextTheUserHadTyped) {
  ASSERT_NO_FATAL_FAILURE(start_room(L"--pretype \"half a thought \""));
  ASSERT_NO_FATAL_FAILURE(start_idler());
  std::vector<Record> got = lines();
  ASSERT_EQ(got.size(), 1u);
  expect_line(got[0], lines::kLoaded, "Room 1");
}

TEST_F(Posting, HungRoomNeitherHangsTheIdlerNorGetsTheLine) {
  // The room records LineLoaded, then hangs on the next line it is sent.
  ASSERT_NO_FATAL_FAILURE(start_room(L"--hang-on-line 2"));
  ASSERT_NO_FATAL_FAILURE(start_idler());
  ASSERT_EQ(lines().size(), 1u);

  ASSERT_TRUE(click(control("Command3")));
  // Three lines that each may wait up to 2 s, with 0.7 s between them.
  int worst = slowest_answer(idler(), 9000);
  ASSERT_GE(worst, 0) << "the idler did not answer WM_NULL within 10 s";
  std::printf("[ timing   ] slowest WM_NULL answer while the room hangs: %d ms\n", worst);
  EXPECT_LE(worst, 2500) << "the idler was unresponsive while the room hung";
  EXPECT_EQ(lines().size(), 1u) << "a line reached the hung room";

  std::int64_t exit_clicked = now_ms();
  ASSERT_TRUE(click(control("Command4")));
  EXPECT_TRUE(idler_.wait_exit(30000)) << "Exit did not end the idler while the room hangs";
  std::printf("[ timing   ] Exit with a hung room -> process ended: %lld ms\n",
              static_cast<long long>(now_ms() - exit_clicked));
  EXPECT_EQ(lines().size(), 1u);
}

TEST_F(Posting, StartsAndExitsWhenTheRoomHangsOnTheFirstLine) {
  ASSERT_NO_FATAL_FAILURE(start_room(L"--hung"));
  ASSERT_NO_FATAL_FAILURE(start_idler(false));
  int worst = slowest_answer(idler(), 4000);
  ASSERT_GE(worst, 0) << "the idler did not answer WM_NULL within 10 s";
  std::printf("[ timing   ] slowest WM_NULL answer after start, room hung: %d ms\n", worst);
  EXPECT_LE(worst, 2500);
  EXPECT_TRUE(lines().empty()) << "a line reached the hung room";
  ASSERT_TRUE(click(control("Command4")));
  EXPECT_TRUE(idler_.wait_exit(30000)) << "Exit did not end the idler while the room hangs";
  EXPECT_TRUE(lines().empty());
}

// Adv.'s two pauses as Windows 7 and earlier would run them: the running
// idler's wait is given those Windows' rules (a wake mask with a flag they do
// not know is refused) and every wait is counted. A refused wait must never
// turn a pause into a spin.
struct OldWindowsWait {
  const char* name;
  bool refuse_all;  // every wait fails, as if for a reason of its own
  DWORD most_waits;
};

void PrintTo(const OldWindowsWait& rules, std::ostream* os) { *os << rules.name; }

class PausesOnOldWindows : public Posting, public ::testing::WithParamInterface<OldWindowsWait> {};

TEST_P(PausesOnOldWindows, AdvSleepsThroughItsPauses) {
  const OldWindowsWait& rules = GetParam();
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_NO_FATAL_FAILURE(start_idler());
  const std::wstring dll = staged_copy(DESKTOP_WINDOWS7_WAIT_DLL, run_dir_);
  const HANDLE idler_process = idler_.handle();
  ASSERT_TRUE(load_library_in(idler_process, dll));
  const std::uintptr_t installed = exported_in(idler_process, dll, "windows7_wait_installed");
  const std::uintptr_t refuse_all = exported_in(idler_process, dll, "windows7_wait_refuse_all");
  const std::uintptr_t count = exported_in(idler_process, dll, "windows7_wait_count");
  const std::uintptr_t refused = exported_in(idler_process, dll, "windows7_wait_refused");
  ASSERT_TRUE(installed && refuse_all && count && refused) << "the wait did not load in the idler";
  ASSERT_EQ(read_long_in(idler_process, installed), 1) << "the idler does not import MsgWaitForMultipleObjectsEx";
  ASSERT_TRUE(write_long_in(idler_process, refuse_all, rules.refuse_all ? 1 : 0));

  // Pressed without the mouse, and the pointer kept off the window: resting
  // on a button it wakes the pauses for the button's hover effects, and
  // those waits are not the pauses' own.
  const RECT window = screen_rect(idler());
  move_mouse(POINT{window.left - 20, window.bottom + 20});
  ASSERT_TRUE(write_long_in(idler_process, count, 0) && write_long_in(idler_process, refused, 0));
  PostMessageW(control("Command3"), BM_CLICK, 0, 0);
  std::vector<Record> got = wait_lines(4);
  ASSERT_EQ(got.size(), 4u);
  expect_adv(got, 1);
  const LONG waits = read_long_in(idler_process, count).value_or(-1);
  const LONG refusals = read_long_in(idler_process, refused).value_or(-1);
  std::printf("[ waits    ] %s: %ld waits in Adv.'s pauses, %ld refused\n", rules.name, static_cast<long>(waits),
              static_cast<long>(refusals));
  ASSERT_GE(waits, 0) << "cannot read the count in the idler";
  if (!rules.refuse_all) {
    EXPECT_EQ(refusals, 0) << "the wake mask has a flag that Windows 7 does not know";
  }
  EXPECT_LE(static_cast<DWORD>(waits), rules.most_waits) << "the pauses spun instead of sleeping";
}

// Two 0.7 s pauses: a handful of waits, or slices of 15 ms where every
// wait fails.
INSTANTIATE_TEST_SUITE_P(Rules, PausesOnOldWindows,
                         ::testing::Values(OldWindowsWait{"Windows7", false, 20},
                                           OldWindowsWait{"EveryWaitRefused", true, 200}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace desktop
