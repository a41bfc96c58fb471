// The About and dedication windows, the reason box's keywords and their
// message boxes, and how the process ends with a secondary window open.
#include "harness.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace desktop {
namespace {

class SecondaryWindows : public DesktopTest {
 protected:
  static std::pair<LONG, LONG> client_size(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    return {r.right, r.bottom};
  }
  static std::vector<std::wstring> label_texts(HWND w) {
    std::vector<std::wstring> shown;
    for (HWND label : children_of(w)) shown.push_back(text_of(label));
    return shown;
  }
  static bool topmost(HWND w) { return (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
  static void close(HWND w) { PostMessageW(w, WM_CLOSE, 0, 0); }
  // Every size of `w` from its declaration's twips at `dpi`: the client area,
  // each control's rectangle in its container and each label's font.
  void expect_layout(HWND w, const tallow::FormDeclaration& d, int dpi) const {
    SCOPED_TRACE(std::to_string(dpi) + " DPI");
    auto px = [dpi](int twips) { return LONG(MulDiv(twips, dpi, 1440)); };
    EXPECT_EQ(client_size(w), std::pair(px(d.width), px(d.height)));
    for (const tallow::ControlRow& row : d.controls) {
      HWND control = GetDlgItem(row.container ? GetDlgItem(w, row.container) : w, row.id);
      ASSERT_NE(control, nullptr) << row.name;
      const RECT r = rect_in_parent(control);
      EXPECT_EQ(r.left, px(row.rect.left)) << row.name;
      EXPECT_EQ(r.top, px(row.rect.top)) << row.name;
      EXPECT_EQ(r.right - r.left, px(row.rect.width)) << row.name;
      EXPECT_EQ(r.bottom - r.top, px(row.rect.height)) << row.name;
      const tallow::FontChoice* font = row.font ? row.font : d.font;
      if (row.kind != tallow::ControlKind::kLabel || !font) continue;
      const std::optional<DrawnWith> drawn = drawn_with(control);
      ASSERT_TRUE(drawn && drawn->has_font) << row.name;
      EXPECT_EQ(drawn->font.lfHeight, -std::lround(font->points * dpi / 72)) << row.name;
    }
  }
  // The pixels of `w` on the screen.
  static std::vector<std::uint32_t> pixels_of(HWND w) {
    const Image shot = capture_screen();
    const RECT r = screen_rect(w);
    std::vector<std::uint32_t> pixels;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) pixels.push_back(shot.at(x, y));
    return pixels;
  }
  // `w` dragged onto a monitor at 144 DPI and back, as Windows tells it:
  // laid out afresh from its twips at each, its picture checked by
  // `picture_fits`, and at 96 again the very window it was.
  void round_trip(HWND w, const tallow::FormDeclaration& d, const std::string& name,
                  const std::function<void()>& picture_fits) {
    const RECT frame = screen_rect(w);
    const std::vector<std::uint32_t> before = pixels_of(w);
    screenshot("dpi-" + name + "-96");
    for (const auto& [from, to] : {std::pair{96, 144}, std::pair{144, 96}}) {
      ASSERT_TRUE(move_to_dpi(w, from, to)) << name << " to " << to << " DPI";
      ASSERT_NO_FATAL_FAILURE(expect_layout(w, d, to));
      picture_fits();
      screenshot("dpi-" + name + "-" + std::to_string(from) + "-to-" + std::to_string(to));
    }
    const RECT now = screen_rect(w);
    EXPECT_TRUE(EqualRect(&now, &frame)) << name << " moved or changed size";
    // The caret blinks: the same pixels come back within its period.
    EXPECT_TRUE(wait_until([&] { return pixels_of(w) == before; }, 3000))
        << name << " at 96 DPI again differs from what it was";
  }
  // Nothing covers the middle of `w`, and it is above the room.
  void expect_in_front_of_the_room(HWND w, const char* what) const {
    const RECT rc = screen_rect(w);
    EXPECT_EQ(GetAncestor(WindowFromPoint(POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}), GA_ROOT), w)
        << "the active room covers " << what;
    EXPECT_TRUE(above(w, room_frame())) << what << " is below the active room";
  }
};

// About from every state it can be left in (behind another program's window,
// minimised, closed) comes back with a press; the main window, minimised,
// comes back topmost, and closed posts nothing.
TEST_F(SecondaryWindows, AboutOpensOnceComesBackFromBehindMinimisedOrClosedAndOutlivesTheMainWindow) {
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_NO_FATAL_FAILURE(start_idler());
  place(idler(), 900, 40);  // clear of About, which opens in the middle of the screen
  ASSERT_TRUE(click(control("Command5")));
  HWND about = wait_window(tallow::kForm2Class);
  ASSERT_NE(about, nullptr) << "About did not open";
  EXPECT_EQ(text_of(about), std::wstring(L"aB0uT ") + texts::kTitle);
  EXPECT_FALSE(topmost(about));
  // A title bar and a close button; no minimise or maximise button, no sizing.
  EXPECT_EQ(
      GetWindowLongW(about, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME),
      WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(GetWindow(about, GW_OWNER), nullptr);
  EXPECT_EQ(client_size(about), std::pair(268L, 217L));
  // Both paragraphs white in Times New Roman 8.25 pt over the window's dark.
  ASSERT_TRUE(load_probe());
  for (HWND label : children_of(about))
    expect_look(drawn_with(label), {L"Times New Roman", 8.25, FW_NORMAL, RGB(255, 255, 255)});
  const std::vector<std::wstring> paragraphs = label_texts(about);
  ASSERT_EQ(paragraphs.size(), 2u);
  EXPECT_EQ(paragraphs[0], texts::kKeywordHint);
  wait_until([&] { return colours_on_screen(screen_rect(about)) > 2; }, 3000);
  screenshot("about-window");

  // Another program's window, active and over About: a second press brings
  // About to the front and makes it active, and opens no second one.
  const RECT at = screen_rect(about);
  place(room_frame(), at.left - 40, at.top - 40);
  ASSERT_TRUE(activate_room());
  ASSERT_TRUE(above(room_frame(), about)) << "the room does not cover About";
  ASSERT_TRUE(click(control("Command5")));
  EXPECT_TRUE(wait_until([&] { return GetForegroundWindow() == about; }, 5000))
      << "About did not become the active window";
  EXPECT_TRUE(above(about, room_frame())) << "About stayed behind the room";
  EXPECT_EQ(top_level_windows_of(idler_.pid(), tallow::kForm2Class), std::vector<HWND>{about});

  close(about);
  ASSERT_TRUE(wait_until([&] { return !IsWindow(about); }, 5000));
  ASSERT_TRUE(click(control("Command5")));
  HWND again = wait_window(tallow::kForm2Class);
  ASSERT_NE(again, nullptr) << "About did not reopen after it was closed";
  EXPECT_EQ(text_of(again), std::wstring(L"aB0uT ") + texts::kTitle);
  EXPECT_EQ(label_texts(again), paragraphs);

  // Minimised, as the platform's "minimise all" leaves it: a press brings
  // the same window back, restored where it was, and active.
  const RECT shown = screen_rect(again);
  ShowWindow(again, SW_MINIMIZE);
  ASSERT_TRUE(wait_until([&] { return IsIconic(again) != FALSE; }, 5000));
  ASSERT_TRUE(click(control("Command5")));
  EXPECT_TRUE(wait_until([&] { return !IsIconic(again) && GetForegroundWindow() == again; }, 5000))
      << "About did not come back from minimised";
  const RECT back = screen_rect(again);
  EXPECT_TRUE(EqualRect(&back, &shown)) << "About came back elsewhere";
  EXPECT_EQ(top_level_windows_of(idler_.pid(), tallow::kForm2Class), std::vector<HWND>{again});

  // Minimize iconises the main window, and About stays on screen.
  const RECT main_at = screen_rect(idler());
  ASSERT_TRUE(click(control("Command7")));
  EXPECT_TRUE(wait_until([&] { return IsIconic(idler()) != FALSE; }, 5000)) << "the main window was not minimised";
  EXPECT_TRUE(IsWindowVisible(again) && !IsIconic(again));
  EXPECT_TRUE(idler_.running());

  // Restored by the platform, the main window is back where it was and
  // still topmost, in front of the active room.
  place(room_frame(), main_at.left - 200, main_at.top - 20);  // over the main window, its input clear of it
  PostMessageW(idler(), WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(wait_until([&] { return !IsIconic(idler()); }, 5000)) << "the main window stayed minimised";
  const RECT main_back = screen_rect(idler());
  EXPECT_TRUE(EqualRect(&main_back, &main_at)) << "the main window came back elsewhere";
  ASSERT_TRUE(activate_room());
  expect_in_front_of_the_room(idler(), "the restored main window");

  // Closed through the platform, it posts nothing; About keeps the process.
  close(idler());
  EXPECT_TRUE(wait_until([&] { return !IsWindow(idler()); }, 5000)) << "the main window stayed";
  expect_no_more_lines(1);
  EXPECT_TRUE(idler_.running()) << "the process ended with About open";
}

// The dedication window and the main window stay in front of another
// program's active window, and the dedication window does again after it
// was closed and opened anew; behind the main window or minimised, the
// keyword brings it back. Exit then closes the main window only: the
// process ends with the last of the secondary windows.
TEST_F(SecondaryWindows, DedicationStaysInFrontComesBackFromBehindOrMinimisedLoadsAnewAfterCloseAndOutlivesExit) {
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_NO_FATAL_FAILURE(start_idler());
  place(idler(), 20, 40);  // over the room's view, clear of its input
  HWND dedication = nullptr;
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round == 0 ? "as first opened" : "opened again after it was closed");
    ASSERT_NO_FATAL_FAILURE(type_reason(L"Juniper", true));
    dedication = wait_window(tallow::kForm3Class);
    ASSERT_NE(dedication, nullptr) << "the dedication window did not open";
    EXPECT_EQ(text_of(dedication), L"Juniper.........");
    EXPECT_TRUE(topmost(dedication));
    EXPECT_TRUE(wait_until([&] { return control_text("Text1") == L"Reason Idle........."; }, 2000));
    if (round == 0) {
      EXPECT_EQ(GetWindow(dedication, GW_OWNER), nullptr);
      EXPECT_EQ(client_size(dedication), std::pair(305L, 300L));
      ASSERT_TRUE(load_probe());
      wait_until([&] { return colours_on_screen(screen_rect(dedication)) > 64; }, 3000);
      screenshot("dedication-window");
      // The keyword again, with the window behind the main window (topmost
      // too): the box is reset, and the open window comes to the front,
      // neither doubled nor loaded again.
      place(dedication, 150, 60);  // under the main window's right-hand side, clear of the reason box
      ASSERT_TRUE(click(control("Text1")));
      SetWindowPos(idler(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);  // as a window manager would
      ASSERT_TRUE(above(idler(), dedication)) << "the main window does not cover the dedication window";
      ASSERT_NO_FATAL_FAILURE(type_reason(L"Juniper", true));
      EXPECT_TRUE(wait_until([&] { return control_text("Text1") == L"Reason Idle........."; }, 2000));
      EXPECT_TRUE(wait_until([&] { return above(dedication, idler()) && GetForegroundWindow() == dedication; }, 2000))
          << "the dedication window stayed behind the main window";
      EXPECT_EQ(top_level_windows_of(idler_.pid(), tallow::kForm3Class), std::vector<HWND>{dedication});
    }
    // Its one label, white in 12 pt bold Courier New over the photograph.
    const std::vector<HWND> labels = children_of(dedication);
    ASSERT_EQ(labels.size(), 1u);
    expect_look(drawn_with(labels[0]), {L"Courier New", 12, FW_BOLD, RGB(255, 255, 255)});

    place(dedication, 240, 20);  // over the room, clear of the main window and the room's input
    ASSERT_TRUE(activate_room());
    expect_in_front_of_the_room(dedication, "the dedication window");
    expect_in_front_of_the_room(idler(), "the main window");
    if (round == 1) break;
    close(dedication);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(dedication); }, 5000));
  }
  // Minimised, the keyword brings the same window back, restored, active and topmost.
  ShowWindow(dedication, SW_MINIMIZE);
  ASSERT_TRUE(wait_until([&] { return IsIconic(dedication) != FALSE; }, 5000));
  ASSERT_NO_FATAL_FAILURE(type_reason(L"Juniper", true));
  EXPECT_TRUE(wait_until([&] { return !IsIconic(dedication) && GetForegroundWindow() == dedication; }, 5000))
      << "the dedication window did not come back from minimised";
  EXPECT_EQ(top_level_windows_of(idler_.pid(), tallow::kForm3Class), std::vector<HWND>{dedication});
  EXPECT_TRUE(topmost(dedication));

  ASSERT_TRUE(click(control("Command5")));
  HWND about = wait_window(tallow::kForm2Class);
  ASSERT_NE(about, nullptr);
  ASSERT_NO_FATAL_FAILURE(press_for("Command4", {lines::kUnloaded, lines::kCredit}, "Exit"));
  EXPECT_TRUE(wait_until([&] { return !IsWindow(idler()); }, 5000)) << "the main window stayed";
  EXPECT_FALSE(idler_.wait_exit(1000)) << "the process ended with About and the dedication window open";
  close(about);
  ASSERT_TRUE(wait_until([&] { return !IsWindow(about); }, 5000));
  EXPECT_FALSE(idler_.wait_exit(1000)) << "the process ended with the dedication window still open";
  EXPECT_TRUE(IsWindow(dedication));
  close(dedication);
  EXPECT_TRUE(idler_.wait_exit(10000)) << "the process outlived its last window";
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
    ASSERT_NO_FATAL_FAILURE(type_reason(c.keyword, true));
    HWND box = wait_window(L"#32770");
    ASSERT_NE(box, nullptr) << "no message box opened";
    EXPECT_EQ(text_of(box), texts::kTitle);
    // Lines joined by a lone carriage return, as the golden texts are.
    EXPECT_EQ(text_of(GetDlgItem(box, 0xFFFF)), *c.text);  // the message box's text control
    // One button, OK and the default; no icon.
    std::vector<std::wstring> buttons;
    for (HWND child : children_of(box)) {
      if (!IsWindowVisible(child)) continue;
      const LONG style = GetWindowLongW(child, GWL_STYLE);
      if (class_of(child) == L"Button")
        buttons.push_back(std::to_wstring(GetDlgCtrlID(child)) + L" " + text_of(child) +
                          ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? L" (default)" : L""));
      DWORD_PTR icon = 0;
      if (class_of(child) == L"Static" && (style & SS_TYPEMASK) == SS_ICON)
        SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_NORMAL, 3000, &icon);
      EXPECT_EQ(icon, 0u) << "the box shows an icon";
    }
    EXPECT_EQ(buttons, std::vector<std::wstring>{std::to_wstring(IDOK) + L" OK (default)"});
    // Modal: the main window takes no input until the box is closed.
    EXPECT_FALSE(IsWindowEnabled(idler())) << "the main window takes input under the box";
    EXPECT_EQ(control_text("Text1"), L"Reason Idle.........");
    screenshot(std::string("message-box-") + narrow(c.keyword));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(box); }, 5000));
    EXPECT_TRUE(wait_until([&] { return IsWindowEnabled(idler()) != FALSE; }, 2000))
        << "the main window stayed disabled";
  }
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
    EXPECT_EQ(client_size(idler()), std::pair(s.main.cx, s.main.cy));
    // Once the window has painted: it opens white, without its leaf.
    const Extent leaf = wait_for([&] { return leaf_extent(idler(), control("Label1")); },
                                 [](const Extent& e) { return e.right - e.left > 0.5; }, 3000);
    std::printf("[ desktop  ] %d DPI: main window %ldx%ld, leaf from (%.3f, %.3f) to (%.3f, %.3f) of it\n", s.dpi,
                client_size(idler()).first, client_size(idler()).second, leaf.left, leaf.top, leaf.right, leaf.bottom);
    auto same_leaf = [&](const Extent& e) {
      EXPECT_NEAR(e.left, at96.left, 0.02);
      EXPECT_NEAR(e.top, at96.top, 0.02);
      EXPECT_NEAR(e.right, at96.right, 0.02);
      EXPECT_NEAR(e.bottom, at96.bottom, 0.02);
    };
    if (s.dpi == 96) {
      at96 = leaf;
      EXPECT_GT(leaf.right - leaf.left, 0.5) << "no leaf on the main window";
      // A second monitor at 150%, which Wine's one screen cannot have.
      ASSERT_TRUE(load_probe());
      place(idler(), 700, 40);  // room to grow to the right, as on a wider monitor
      round_trip(idler(), tallow::kForm1Declaration, "main", [&] {
        same_leaf(wait_for([&] { return leaf_extent(idler(), control("Label1")); },
                           [&](const Extent& e) {
                             return std::abs(e.left - at96.left) < 0.02 && std::abs(e.top - at96.top) < 0.02 &&
                                    std::abs(e.right - at96.right) < 0.02 && std::abs(e.bottom - at96.bottom) < 0.02;
                           },
                           3000));
      });
    } else {
      same_leaf(leaf);
    }

    ASSERT_NO_FATAL_FAILURE(type_reason(L"Juniper", true));
    HWND dedication = wait_window(tallow::kForm3Class);
    ASSERT_NE(dedication, nullptr) << "the dedication window did not open";
    EXPECT_EQ(client_size(dedication), std::pair(s.dedication.cx, s.dedication.cy));
    const double white = wait_for([&] { return white_on_edges(dedication); }, [](double w) { return w < 0.1; }, 3000);
    std::printf("[ desktop  ] %d DPI: dedication window %ldx%ld, %.1f%% of its right and bottom edges white\n", s.dpi,
                client_size(dedication).first, client_size(dedication).second, white * 100);
    EXPECT_LT(white, 0.1) << "a band of the window's white shows beside the photograph";
    screenshot("display-scaling-" + std::to_string(s.dpi));
    if (s.dpi == 96) {
      round_trip(dedication, tallow::kForm3Declaration, "dedication", [&] {
        EXPECT_LT(wait_for([&] { return white_on_edges(dedication); }, [](double w) { return w < 0.1; }, 3000), 0.1);
      });
      close(dedication);
      ASSERT_TRUE(click(control("Command5")));
      HWND about = wait_window(tallow::kForm2Class);
      ASSERT_NE(about, nullptr) << "About did not open";
      round_trip(about, tallow::kForm2Declaration, "about", [] {});
      // Opened anew on a monitor at 144 DPI, it opens laid out for it.
      close(about);
      ASSERT_TRUE(wait_until([&] { return !IsWindow(about); }, 5000));
      ASSERT_TRUE(set_probe_long("reported_dpi", 144));
      ASSERT_TRUE(click(control("Command5")));
      about = wait_window(tallow::kForm2Class);
      ASSERT_NE(about, nullptr) << "About did not open again";
      expect_layout(about, tallow::kForm2Declaration, 144);
      screenshot("dpi-about-opened-at-144");
      close(about);
    }
    idler_.kill();
    ASSERT_TRUE(wait_until([&] { return !IsWindow(dedication) && !IsWindow(idler()); }, 5000));
  }
}

}  // namespace
}  // namespace desktop
