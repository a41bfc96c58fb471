// Going idle with Start and coming back with Stop: the lines, the clock on
// the window, and which controls can be used meanwhile.
#include "tests/golden/expected.h"
#include "harness.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace desktop {
namespace {

class IdlePeriod : public DesktopTest {
 protected:
  // Types the reason the way a user does: click in the box, select what is
  // there, type over it.
  void type_reason(const std::wstring& reason) {
    HWND box = control("Text1");
    ASSERT_TRUE(click(box));
    SendMessageW(box, EM_SETSEL, 0, -1);
    type_text(reason);
    ASSERT_TRUE(wait_until([&] { return text_of(box) == reason; }, 5000))
        << "the reason box reads \"" << narrow(text_of(box)) << "\"";
  }

  std::wstring clock_text() const {
    return text_of(control("Label2")) + L" " + text_of(control("Label3")) + L" " + text_of(control("Label4"));
  }

  void expect_controls_restored() const {
    EXPECT_TRUE(wait_stopped(5000));
    expect_not_idling();
  }

  // Clicks Start and waits for LineStarted, LineReason and the switch of
  // the controls; `posted_before` lines were there already.
  void start_idling(size_t posted_before, const std::string& reason_bytes) {
    ASSERT_TRUE(click(control("Command1")));
    std::vector<Record> got = wait_lines(posted_before + 2);
    ASSERT_EQ(got.size(), posted_before + 2);
    expect_line(got[posted_before], lines::kStarted);
    expect_line(got[posted_before + 1], lines::reason(reason_bytes));
    expect_gap(got[posted_before], got[posted_before + 1], "Start started -> reason");
    ASSERT_TRUE(wait_until([&] { return IsWindowEnabled(control("Command2")) != FALSE; }, 5000))
        << "Stop did not become available after Start";
  }

  // Seconds label values in the order they appeared while sampling.
  std::vector<std::wstring> watch_seconds(int duration_ms) const {
    std::vector<std::wstring> seen;
    std::int64_t until = now_ms() + duration_ms;
    while (now_ms() < until) {
      std::wstring s = text_of(control("Label4"));
      if (seen.empty() || seen.back() != s) seen.push_back(s);
      Sleep(50);
    }
    return seen;
  }

  static std::string joined(const std::vector<std::wstring>& seen) {
    std::string all;
    for (const auto& s : seen) all += (all.empty() ? "" : " ") + narrow(s);
    return all;
  }

  // "1","2",...,"59" then "00": each value one second after the one before.
  static void expect_counting(const std::vector<std::wstring>& seen) {
    SCOPED_TRACE("seconds seen: " + joined(seen));
    for (size_t i = 1; i < seen.size(); ++i) {
      const std::wstring& p = seen[i - 1];
      bool digits = !p.empty() && p.find_first_not_of(L"0123456789") == std::wstring::npos;
      ASSERT_TRUE(digits) << "the seconds label read \"" << narrow(p) << "\"";
      int prev = std::stoi(p);
      std::wstring want = (prev + 1) % 60 == 0 ? L"00" : std::to_wstring(prev + 1);
      EXPECT_EQ(seen[i], want) << "after \"" << narrow(seen[i - 1]) << "\"";
    }
  }
};

// Reason typed with a character outside ASCII: the room must get its
// Windows-1252 byte.
const std::wstring kTypedReason = L"brb, caf\u00E9 & tea";
const std::string kReasonBytes = std::string("brb, caf") + "\xE9" + " & tea";

TEST_F(IdlePeriod, StartTicksTheClockAndStopPostsTheTotal) {
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_NO_FATAL_FAILURE(start_idler());
  ASSERT_NO_FATAL_FAILURE(type_reason(kTypedReason));
  ASSERT_NO_FATAL_FAILURE(start_idling(1, kReasonBytes));
  expect_idling();

  std::vector<std::wstring> seen = watch_seconds(4000);
  if (!seen.empty() && seen.front() == L"00") seen.erase(seen.begin());  // before the first tick
  ASSERT_GE(seen.size(), 3u) << "the seconds label did not count";
  EXPECT_EQ(seen.front(), L"1");
  expect_counting(seen);
  EXPECT_EQ(text_of(control("Label2")), L"00");
  EXPECT_EQ(text_of(control("Label3")), L"00");

  // The total is what the clock shows when Stop is pressed.
  std::string hours = narrow(text_of(control("Label2")));
  std::string minutes = narrow(text_of(control("Label3")));
  ASSERT_TRUE(click(control("Command2")));
  std::vector<Record> got = wait_lines(5);
  ASSERT_EQ(got.size(), 5u);
  expect_line(got[3], lines::kStopped);
  expect_line(got[4], lines::total(hours, minutes));
  expect_gap(got[3], got[4], "Stop stopped -> total");
  EXPECT_TRUE(wait_until([&] { return clock_text() == L"00 00 00"; }, 5000))
      << "the clock reads " << narrow(clock_text());
  expect_controls_restored();
  expect_no_more_lines(5, 1500);
}

// The chat client is a 32-bit program and the idler comes in both builds:
// every line crosses bitness as it does between this build and the other
// build's practice room, byte for byte and on time.
TEST_F(IdlePeriod, LinesReachARoomOfTheOtherBitness) {
  if (environment(L"TALLOW_WINE32") == std::optional<std::wstring>(L"no"))
    GTEST_SKIP() << "Wine here has no 32-bit half";
  room_exe_ = DESKTOP_OTHER_ARCH_ROOM_EXE;
  ASSERT_TRUE(exists(windows_path(room_exe_))) << "build the other architecture's practice room first";
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_NO_FATAL_FAILURE(start_idler());
  expect_line(lines()[0], lines::kLoaded);

  ASSERT_TRUE(click(control("Command3")));
  std::vector<Record> got = wait_lines(4);
  ASSERT_EQ(got.size(), 4u);
  expect_adv(got, 1);

  ASSERT_NO_FATAL_FAILURE(type_reason(kTypedReason));
  ASSERT_NO_FATAL_FAILURE(start_idling(4, kReasonBytes));
  Sleep(1500);
  ASSERT_TRUE(click(control("Command2")));
  got = wait_lines(8);
  ASSERT_EQ(got.size(), 8u);
  expect_line(got[6], lines::kStopped);
  expect_line(got[7], lines::total("00", "00"));
  expect_gap(got[6], got[7], "Stop stopped -> total");
  expect_controls_restored();
}

class IdlePeriodSlow : public IdlePeriod {};

TEST_F(IdlePeriodSlow, AMinuteIdlePostsTheIdleTimeAndStopPostsTheTotal) {
  const std::wstring reason = L"gone fishing";
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_NO_FATAL_FAILURE(start_idler());
  ASSERT_NO_FATAL_FAILURE(type_reason(reason));
  ASSERT_NO_FATAL_FAILURE(start_idling(1, narrow(reason)));
  expect_idling();

  // Watch the clock through the minute until the minute's lines are in.
  std::vector<std::wstring> seen;
  std::vector<Record> got;
  bool minute_posted = wait_until(
      [&] {
        std::wstring s = text_of(control("Label4"));
        if (seen.empty() || seen.back() != s) seen.push_back(s);
        got = lines();
        return got.size() >= 6;
      },
      150000, 100);
  ASSERT_TRUE(minute_posted) << "no lines after a minute of idling (" << got.size() << " posted); the clock reads "
                             << narrow(clock_text()) << ", the seconds label went " << joined(seen);
  ASSERT_EQ(got.size(), 6u);
  expect_line(got[3], lines::kBanner);
  expect_line(got[4], lines::reason(narrow(reason)));
  expect_line(got[5], lines::idle_for("00", "1"));
  expect_gap(got[3], got[4], "minute banner -> reason");
  expect_gap(got[4], got[5], "minute reason -> idle for");
  std::int64_t minute = got[3].ms - got[2].ms;
  std::printf("[ timing   ] Start's reason line -> minute banner: %lld ms\n", static_cast<long long>(minute));
  EXPECT_GE(minute, 59000) << "the minute came early";

  if (!seen.empty() && seen.front() == L"00") seen.erase(seen.begin());
  ASSERT_GE(seen.size(), 55u) << "the seconds label did not count through the minute";
  EXPECT_EQ(seen.front(), L"1");
  expect_counting(seen);
  EXPECT_EQ(text_of(control("Label2")), L"00");
  EXPECT_EQ(text_of(control("Label3")), L"1");
  expect_idling();

  ASSERT_TRUE(click(control("Command2")));
  got = wait_lines(8);
  ASSERT_EQ(got.size(), 8u);
  expect_line(got[6], lines::kStopped);
  expect_line(got[7], lines::total("00", "1"));
  expect_gap(got[6], got[7], "Stop stopped -> total");
  EXPECT_TRUE(wait_until([&] { return clock_text() == L"00 00 00"; }, 5000))
      << "the clock reads " << narrow(clock_text());
  expect_controls_restored();
  expect_no_more_lines(8, 1500);
}

}  // namespace
}  // namespace desktop
