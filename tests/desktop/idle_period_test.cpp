// Going idle with Start and coming back with Stop: the lines, the clock on
// the window, which controls can be used meanwhile, and reasons nobody should
// type.
#include "harness.h"

#include <cstdio>
#include <cstring>

namespace desktop {
namespace {

class IdlePeriod : public DesktopTest {
 protected:
  // The seconds label's values in the order they appeared after the first
  // tick, until it read `last` (or `timeout_ms` passed).
  std::vector<std::wstring> watch_seconds_until(const std::wstring& last, int timeout_ms) const {
    std::vector<std::wstring> seen;
    wait_until(
        [&] {
          std::wstring s = text_of(control("Label4"));
          if ((seen.empty() && s != L"00") || (!seen.empty() && seen.back() != s)) seen.push_back(s);
          return !seen.empty() && s == last;
        },
        timeout_ms, 50);
    return seen;
  }

  // "1", "2" and so on, "00" after "59": one value a second, none skipped.
  static void expect_counting(const std::vector<std::wstring>& seen) {
    std::vector<std::wstring> want;
    for (size_t i = 1; i <= seen.size(); ++i) want.push_back(i % 60 ? std::to_wstring(i) : L"00");
    EXPECT_EQ(seen, want) << "the seconds label's values, one after the other";
  }
};

struct BadReason {
  const char* name;
  std::wstring text;
  std::string posted;  // the reason as the room must receive it
};

std::vector<BadReason> bad_reasons() {
  std::string megabyte;
  while (megabyte.size() < (1u << 20)) megabyte += "gone fishing, back by the weekend; ";
  megabyte.resize(1u << 20);
  return {
      {"Chinese", L"\u5348\u996D\uFF0C\u9A6C\u4E0A\u56DE\u6765", "???????"},
      {"Emoji", L"coffee \U0001F375 then back \u2615", "coffee ? then back ?"},
      {"RightToLeft", L"\u05D1\u05E7\u05E8\u05D5\u05D1 \u200F\u0642\u0631\u064A\u0628\u0627\u064B", "????? ???????"},
      {"ControlCharacters", L"tab\there\x01\x07\x1B end\x7F", "tab\there\x01\x07\x1B end\x7F"},
      {"Markup", L"<b>bold</b> & <font color=#FF0000>red</font> <a href=\"x\">x</a> &amp;",
       "<b>bold</b> & <font color=#FF0000>red</font> <a href=\"x\">x</a> &amp;"},
      {"FullwidthLessThan", L"\uFF1Cb\uFF1E brb \uFF06 \u2264", "?b? brb ? ?"},
      {"Latin1AndWindows1252", L"caf\u00E9 \u20AC5 \u201Csoon\u201D \u2014 na\u00EFve",
       "caf\xE9 \x80"
       "5 \x93soon\x94 \x97 na\xEFve"},
      {"OneMegabyte", std::wstring(megabyte.begin(), megabyte.end()), megabyte},
  };
}

// WM_GETTEXTLENGTH: GetWindowTextLength does not ask another process's controls.
size_t text_length(HWND control) {
  DWORD_PTR length = 0;
  SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
  return length;
}

bool put_on_clipboard(const std::wstring& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool put = false;
  if (memory) {
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!put) GlobalFree(memory);
  }
  CloseClipboard();
  return put;
}

// Reason typed with a character outside ASCII: the room must get its
// Windows-1252 byte.
const std::wstring kTypedReason = L"brb, caf\u00E9 & tea";
const std::string kReasonBytes = std::string("brb, caf") + "\xE9" + " & tea";

// A typed reason from Start to Stop; then, in the same idler, every reason
// nobody should type, pasted, each from Start to Stop: the reason line
// carries it whole, in Windows-1252, with "?" for what that code page cannot
// hold and never a look-alike in its place.
TEST_F(IdlePeriod, StartTicksTheClockAndStopPostsTheTotalWhateverTheReason) {
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_NO_FATAL_FAILURE(start_idler());
  ASSERT_NO_FATAL_FAILURE(type_reason(kTypedReason));
  ASSERT_NO_FATAL_FAILURE(start_idling(kReasonBytes));

  std::vector<std::wstring> seen = watch_seconds_until(L"3", 6000);
  ASSERT_GE(seen.size(), 3u) << "the seconds label did not count";
  expect_counting(seen);
  EXPECT_EQ(text_of(control("Label2")), L"00");
  EXPECT_EQ(text_of(control("Label3")), L"00");

  // The total is what the clock shows when Stop is pressed.
  ASSERT_NO_FATAL_FAILURE(stop_idling("00", "00"));
  expect_no_more_lines(5);

  HWND box = control("Text1");
  for (const BadReason& reason : bad_reasons()) {
    SCOPED_TRACE(reason.name);
    // What Ctrl+V does, handled by the box inside the idler's own process.
    ASSERT_TRUE(put_on_clipboard(reason.text));
    set_reason(L"");
    SendMessageW(box, WM_PASTE, 0, 0);
    ASSERT_EQ(text_length(box), reason.text.size()) << "the reason box cut the text";

    const std::int64_t pressed = now_ms();
    ASSERT_NO_FATAL_FAILURE(start_idling(reason.posted));
    std::printf("[ timing   ] %s: Start -> reason line of %zu bytes: %lld ms\n", reason.name,
                lines().back().line.size(), static_cast<long long>(lines().back().ms - pressed));
    EXPECT_GE(ping_ms(idler(), 5000), 0) << "the idler stopped answering";
    ASSERT_NO_FATAL_FAILURE(stop_idling("00", "00"));
    EXPECT_EQ(text_length(box), reason.text.size());
  }
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

  ASSERT_NO_FATAL_FAILURE(press_for("Command3", kAdv, "Adv."));

  ASSERT_NO_FATAL_FAILURE(type_reason(kTypedReason));
  ASSERT_NO_FATAL_FAILURE(start_idling(kReasonBytes));
  EXPECT_TRUE(wait_until([&] { return clock_text() == L"00 00 1"; }, 3000)) << "the clock did not start";
  ASSERT_NO_FATAL_FAILURE(stop_idling("00", "00"));
}

class IdlePeriodSlow : public IdlePeriod {};

TEST_F(IdlePeriodSlow, AMinuteIdlePostsTheIdleTimeAndStopPostsTheTotal) {
  const std::wstring reason = L"gone fishing";
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_NO_FATAL_FAILURE(start_idler());
  ASSERT_NO_FATAL_FAILURE(type_reason(reason));
  ASSERT_NO_FATAL_FAILURE(start_idling(narrow(reason)));

  // The clock through the minute, until the minute's roll-over to "00".
  std::vector<std::wstring> seen = watch_seconds_until(L"00", 90000);
  std::vector<Record> got = wait_lines(6);
  ASSERT_EQ(got.size(), 6u) << "no lines after a minute of idling; the clock reads " << narrow(clock_text());
  expect_line(got[3], lines::kBanner);
  expect_line(got[4], lines::reason(narrow(reason)));
  expect_line(got[5], lines::idle_for("00", "1"));
  expect_gap(got[3], got[4], "minute banner -> reason");
  expect_gap(got[4], got[5], "minute reason -> idle for");
  std::int64_t minute = got[3].ms - got[2].ms;
  std::printf("[ timing   ] Start's reason line -> minute banner: %lld ms\n", static_cast<long long>(minute));
  EXPECT_GE(minute, 59000) << "the minute came early";

  ASSERT_GE(seen.size(), 55u) << "the seconds label did not count through the minute";
  expect_counting(seen);
  EXPECT_EQ(text_of(control("Label2")), L"00");
  EXPECT_EQ(text_of(control("Label3")), L"1");
  expect_idling();

  ASSERT_NO_FATAL_FAILURE(stop_idling("00", "1"));
  expect_no_more_lines(8);
}

// The machine asleep for an hour in the middle of an idle period: every
// clock (Wine's server, the idler, the room, this program) jumps an hour at
// once when the test rewrites libfaketime's clock file, which clock-jump.sh
// hands it. The hour is not made up: at most one report in the 25 s after
// the jump, then one report a minute, and the clock counts the time awake.
class IdlePeriodAsleepSlow : public IdlePeriod {
 protected:
  // libfaketime reads the file again within a second; written beside it and
  // renamed, so that no reader sees it half written.
  static bool move_clocks(const std::wstring& clock_file, const std::string& offset) {
    const std::wstring file = windows_path(narrow(clock_file)), next = file + L".next";
    HANDLE h = CreateFileW(next.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(h, offset.c_str(), static_cast<DWORD>(offset.size()), &written, nullptr);
    CloseHandle(h);
    return ok && MoveFileExW(next.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  // The posted records once this program's clock reads `at`: a window in
  // which what must not come can only be seen not to by waiting it out.
  std::vector<Record> lines_at(std::int64_t at) const {
    wait_until([&] { return now_ms() >= at; }, static_cast<int>(at - now_ms()) + 1000, 100);
    return lines();
  }
};

TEST_F(IdlePeriodAsleepSlow, AnHourAsleepPostsOneReportAtMostThenOneAMinute) {
  const std::optional<std::wstring> clock_file = environment(L"TALLOW_CLOCK_FILE");
  if (!clock_file) GTEST_SKIP() << "run by clock-jump.sh, which puts every clock of Wine under libfaketime";
  constexpr std::int64_t kHourMs = 3600 * 1000;
  const std::wstring reason = L"asleep";
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_NO_FATAL_FAILURE(start_idler());
  ASSERT_NO_FATAL_FAILURE(type_reason(reason));
  ASSERT_NO_FATAL_FAILURE(start_idling(narrow(reason)));
  // Early in the minute: its full minute falls in the middle of the second window.
  ASSERT_TRUE(wait_until([&] { return clock_text() == L"00 00 3"; }, 6000))
      << "the clock reads " << narrow(clock_text());
  const size_t before = lines().size();
  const std::int64_t asleep = now_ms();
  ASSERT_TRUE(move_clocks(*clock_file, "+3600\n")) << "cannot write " << narrow(*clock_file);
  ASSERT_TRUE(wait_until([&] { return now_ms() - asleep >= kHourMs; }, 3000)) << "the clocks did not move";
  const std::int64_t woke = now_ms();

  const std::vector<Record> early = lines_at(woke + 25000);
  const std::wstring clock_then = clock_text();
  const std::vector<Record> got = lines_at(woke + 25000 + 65000);
  const size_t in_25 = early.size() - before, in_65 = got.size() - early.size();
  std::printf(
      "[ figures  ] after the hour's jump: %zu lines in 25 s, the clock then reading %s; %zu lines in the 65 s after\n",
      in_25, narrow(clock_then).c_str(), in_65);
  EXPECT_LE(in_25, 3u) << "more than one report for the hour asleep";
  EXPECT_EQ(clock_then.substr(0, 6), L"00 00 ") << "the clock counted the hour asleep: " << narrow(clock_then);
  ASSERT_EQ(in_65, 3u) << "not one report in the minute after";
  const size_t banner = early.size();
  expect_line(got[banner], lines::kBanner);
  expect_line(got[banner + 1], lines::reason(narrow(reason)));
  expect_line(got[banner + 2], lines::idle_for("00", "1"));
  expect_gap(got[banner], got[banner + 1], "minute banner -> reason");
  expect_gap(got[banner + 1], got[banner + 2], "minute reason -> idle for");
  // A minute awake after Start's reason line (the room's clock jumped the hour
  // too), give or take the one tick the gap may bring and the half second
  // before the idler read its clock again.
  const std::int64_t awake = got[banner].ms - got[before - 1].ms - kHourMs;
  std::printf("[ timing   ] Start's reason line -> minute banner, awake: %lld ms\n", static_cast<long long>(awake));
  EXPECT_GE(awake, 59000) << "the minute came early";
  EXPECT_LE(awake, 61000) << "the minute came late";
  ASSERT_NO_FATAL_FAILURE(stop_idling("00", "1"));
}

}  // namespace
}  // namespace desktop
