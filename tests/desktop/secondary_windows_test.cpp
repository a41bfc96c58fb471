// The About and dedication windows, the reason box's keywords and their
// message boxes, and how the process ends with a secondary window open.
#include "tests/golden/expected.h"
#include "harness.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace desktop {
namespace {

class SecondaryWindows : public DesktopTest {
 protected:
  std::vector<HWND> windows_of_class(const wchar_t* cls) const {
    std::vector<HWND> found;
    for (HWND w : top_level_windows_of(idler_.pid(), true))
      if (class_of(w) == cls) found.push_back(w);
    return found;
  }
  HWND wait_window(const wchar_t* cls, int timeout_ms = 5000) const {
    HWND found = nullptr;
    wait_until(
        [&] {
          auto all = windows_of_class(cls);
          found = all.empty() ? nullptr : all.front();
          return found != nullptr;
        },
        timeout_ms);
    return found;
  }
  // Types `text` over the whole reason box, as a user would.
  void type_reason(const std::wstring& text) {
    ASSERT_TRUE(click(control("Text1")));
    SendMessageW(control("Text1"), EM_SETSEL, 0, -1);
    type_text(text);
  }
  static SIZE client_size(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    return SIZE{r.right, r.bottom};
  }
  static bool topmost(HWND w) { return (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
  static void close(HWND w) { PostMessageW(w, WM_CLOSE, 0, 0); }
};

TEST_F(SecondaryWindows, AboutOpensOnceReopensAfterCloseAndIsNeverTopmost) {
  ASSERT_NO_FATAL_FAILURE(start_idler(false));
  ASSERT_TRUE(click(control("Command5")));
  HWND about = wait_window(tallow::kForm2Class);
  ASSERT_NE(about, nullptr) << "About did not open";
  EXPECT_EQ(text_of(about), std::wstring(L"aB0uT ") + texts::kTitle);
  EXPECT_FALSE(topmost(about));
  const LONG style = GetWindowLongW(about, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_EQ(GetWindow(about, GW_OWNER), nullptr);
  EXPECT_EQ(client_size(about).cx, 268);
  EXPECT_EQ(client_size(about).cy, 217);
  pump_sleep(500);
  screenshot("about-window");

  ASSERT_TRUE(click(control("Command5")));
  pump_sleep(500);
  EXPECT_EQ(windows_of_class(tallow::kForm2Class).size(), 1u);
  EXPECT_EQ(wait_window(tallow::kForm2Class), about);

  close(about);
  ASSERT_TRUE(wait_until([&] { return !IsWindow(about); }, 5000));
  ASSERT_TRUE(click(control("Command5")));
  HWND again = wait_window(tallow::kForm2Class);
  ASSERT_NE(again, nullptr) << "About did not reopen after it was closed";
  EXPECT_EQ(text_of(again), std::wstring(L"aB0uT ") + texts::kTitle);
}

TEST_F(SecondaryWindows, DedicationKeywordOpensOneTopmostWindowAndResetsTheBox) {
  ASSERT_NO_FATAL_FAILURE(start_idler(false));
  ASSERT_NO_FATAL_FAILURE(type_reason(L"Juniper"));
  HWND dedication = wait_window(tallow::kForm3Class);
  ASSERT_NE(dedication, nullptr) << "the dedication window did not open";
  EXPECT_EQ(text_of(dedication), L"Juniper.........");
  EXPECT_TRUE(topmost(dedication));
  EXPECT_EQ(GetWindow(dedication, GW_OWNER), nullptr);
  EXPECT_EQ(client_size(dedication).cx, 305);
  EXPECT_EQ(client_size(dedication).cy, 300);
  EXPECT_TRUE(wait_until([&] { return control_text("Text1") == L"Reason Idle........."; }, 2000));
  pump_sleep(500);
  screenshot("dedication-window");

  ASSERT_NO_FATAL_FAILURE(type_reason(L"Juniper"));
  EXPECT_TRUE(wait_until([&] { return control_text("Text1") == L"Reason Idle........."; }, 2000));
  EXPECT_EQ(windows_of_class(tallow::kForm3Class), std::vector<HWND>{dedication});
}

TEST_F(SecondaryWindows, KeywordsOpenTheirMessageBoxesWithTheExactTexts) {
  ASSERT_NO_FATAL_FAILURE(start_idler(false));
  struct Case {
    const wchar_t* keyword;
    const std::wstring* text;
  };
  for (const Case& c : {Case{L"Info", &texts::kInfoBox}, Case{L"Screennames", &texts::kScreenNamesBox},
                        Case{L"MoRdAnT", &texts::kAuthorBox}}) {
    SCOPED_TRACE(narrow(c.keyword));
    ASSERT_NO_FATAL_FAILURE(type_reason(c.keyword));
    HWND box = wait_window(L"#32770");
    ASSERT_NE(box, nullptr) << "no message box opened";
    EXPECT_EQ(text_of(box), texts::kTitle);
    EXPECT_EQ(text_of(GetDlgItem(box, 0xFFFF)), *c.text);  // the message box's text control
    EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
    EXPECT_EQ(control_text("Text1"), L"Reason Idle.........");
    screenshot(std::string("message-box-") + narrow(c.keyword));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(box); }, 5000));
  }
}

TEST_F(SecondaryWindows, ExitWithAboutOpenEndsTheProcessOnlyWhenAboutCloses) {
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_NO_FATAL_FAILURE(start_idler());
  ASSERT_TRUE(click(control("Command5")));
  HWND about = wait_window(tallow::kForm2Class);
  ASSERT_NE(about, nullptr);
  ASSERT_TRUE(click(control("Command4")));
  std::vector<Record> got = wait_lines(3);
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[1].line, lines::kUnloaded);
  EXPECT_EQ(got[2].line, lines::kCredit);
  EXPECT_TRUE(wait_until([&] { return !IsWindow(idler()); }, 5000)) << "the main window stayed";
  EXPECT_FALSE(idler_.wait_exit(1500)) << "the process ended with About still open";
  EXPECT_TRUE(IsWindow(about));
  close(about);
  EXPECT_TRUE(idler_.wait_exit(10000)) << "the process outlived its last window";
}

TEST_F(SecondaryWindows, ExitInsideAdvsPauseEndsEverything) {
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_NO_FATAL_FAILURE(start_idler());
  ASSERT_TRUE(click(control("Command3")));
  ASSERT_EQ(wait_lines(2).size(), 2u);  // the banner: Adv. is now in its first pause
  ASSERT_TRUE(click(control("Command4")));
  EXPECT_TRUE(idler_.wait_exit(10000)) << "the process did not end";
  // The advert posts nothing once the window is gone.
  expect_no_more_lines(4, 1500);
  std::vector<Record> got = lines();
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[1].line, lines::kBanner);
  EXPECT_EQ(got[2].line, lines::kUnloaded);
  EXPECT_EQ(got[3].line, lines::kCredit);
}

// The leaf on the main window, as fractions of its client area: the box
// around its green on screen, above the title (which is green too).
struct Extent {
  double left = 1, top = 1, right = 0, bottom = 0;
};

Extent leaf_extent(HWND main, HWND title) {
  const Image shot = capture_screen();
  const POINT origin = client_origin(main);
  RECT client;
  GetClientRect(main, &client);
  const int above_title = rect_in_parent(title).top;
  Extent e;
  for (int y = 0; y < above_title; ++y)
    for (int x = 0; x < client.right; ++x) {
      const std::uint32_t c = shot.at(origin.x + x, origin.y + y);
      const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
      if (g < r + 25 || g < b + 25) continue;
      e.left = std::min(e.left, double(x) / client.right);
      e.right = std::max(e.right, double(x + 1) / client.right);
      e.top = std::min(e.top, double(y) / client.bottom);
      e.bottom = std::max(e.bottom, double(y + 1) / client.bottom);
    }
  return e;
}

// How much of the right-hand and bottom edges of `w`'s client area shows the
// window's own white instead of its picture, from 0 to 1.
double white_on_edges(HWND w) {
  const Image shot = capture_screen();
  const POINT o = client_origin(w);
  RECT client;
  GetClientRect(w, &client);
  int white = 0, all = 0;
  auto look = [&](int x, int y) {
    ++all;
    if ((shot.at(o.x + x, o.y + y) & 0xFFFFFF) == 0xFFFFFF) ++white;
  };
  for (int d = 1; d <= 2; ++d) {
    for (int y = 0; y < client.bottom; ++y) look(client.right - d, y);
    for (int x = 0; x < client.right; ++x) look(x, client.bottom - d);
  }
  return double(white) / all;
}

// At 125%, 150% and 200% display scaling the windows grow with their twips
// layout, and the pictures with them: the leaf covers the same part of the
// main window as at 96 DPI, the photograph still fills the dedication window.
TEST_F(SecondaryWindows, PicturesCoverTheirWindowsAtEveryDisplayScaling) {
  struct Scale {
    int dpi;
    SIZE main, dedication;  // client areas in pixels
  };
  const Scale scales[] = {
      {96, {211, 248}, {305, 300}},
      {120, {264, 310}, {381, 375}},
      {144, {317, 372}, {458, 450}},
      {192, {422, 496}, {610, 600}},
  };
  Extent at96;
  for (const Scale& s : scales) {
    SCOPED_TRACE(std::to_string(s.dpi) + " DPI");
    ASSERT_NO_FATAL_FAILURE(start_idler(false, s.dpi));
    EXPECT_EQ(client_size(idler()).cx, s.main.cx);
    EXPECT_EQ(client_size(idler()).cy, s.main.cy);
    pump_sleep(400);
    const Extent leaf = leaf_extent(idler(), control("Label1"));
    std::printf("[ desktop  ] %d DPI: main window %ldx%ld, leaf from (%.3f, %.3f) to (%.3f, %.3f) of it\n", s.dpi,
                client_size(idler()).cx, client_size(idler()).cy, leaf.left, leaf.top, leaf.right, leaf.bottom);
    if (s.dpi == 96) {
      at96 = leaf;
      EXPECT_GT(leaf.right - leaf.left, 0.5) << "no leaf on the main window";
    } else {
      EXPECT_NEAR(leaf.left, at96.left, 0.02);
      EXPECT_NEAR(leaf.top, at96.top, 0.02);
      EXPECT_NEAR(leaf.right, at96.right, 0.02);
      EXPECT_NEAR(leaf.bottom, at96.bottom, 0.02);
    }

    ASSERT_NO_FATAL_FAILURE(type_reason(L"Juniper"));
    HWND dedication = wait_window(tallow::kForm3Class);
    ASSERT_NE(dedication, nullptr) << "the dedication window did not open";
    EXPECT_EQ(client_size(dedication).cx, s.dedication.cx);
    EXPECT_EQ(client_size(dedication).cy, s.dedication.cy);
    pump_sleep(500);
    const double white = white_on_edges(dedication);
    std::printf("[ desktop  ] %d DPI: dedication window %ldx%ld, %.1f%% of its right and bottom edges white\n", s.dpi,
                client_size(dedication).cx, client_size(dedication).cy, white * 100);
    EXPECT_LT(white, 0.1) << "a band of the window's white shows beside the photograph";
    screenshot("display-scaling-" + std::to_string(s.dpi));
    idler_.kill();
    ASSERT_TRUE(wait_until([&] { return !IsWindow(dedication) && !IsWindow(idler()); }, 5000));
  }
}

}  // namespace
}  // namespace desktop
