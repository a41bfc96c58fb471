// The idler's main window: what loading does, how it looks, and how it
// answers the mouse.
#include "tests/golden/expected.h"
#include "harness.h"

#include <gmock/gmock.h>

#include <cstdio>
#include <set>

namespace desktop {
namespace {

using ::testing::ElementsAre;

class MainWindow : public DesktopTest {
 protected:
  // Presses `b` at `at`, drags by (dx, dy), releases; returns how far the
  // window went.
  POINT drag_and_measure(Button b, POINT at, int dx, int dy) {
    RECT before = screen_rect(idler());
    drag(b, at, dx, dy);
    RECT after = settled_rect();
    return POINT{after.left - before.left, after.top - before.top};
  }

  // The window rectangle once it has stopped moving.
  RECT settled_rect() {
    RECT last = screen_rect(idler());
    wait_until(
        [&] {
          Sleep(150);
          RECT now = screen_rect(idler());
          bool same = EqualRect(&now, &last);
          last = now;
          return same;
        },
        3000, 0);
    return last;
  }

  POINT client_point(int x, int y) {
    POINT o = client_origin(idler());
    return POINT{o.x + x, o.y + y};
  }

  void expect_background_drag(Button b) {
    ASSERT_NO_FATAL_FAILURE(start_idler(false));
    place_idler(400, 300);
    POINT at = client_point(100, 120);  // bare background, away from every control
    HWND under = WindowFromPoint(at);
    ASSERT_EQ(GetAncestor(under, GA_ROOT), idler()) << "something covers the idler";

    POINT moved = drag_and_measure(b, at, 40, 30);
    EXPECT_NEAR(moved.x, 40, 3);
    EXPECT_NEAR(moved.y, 30, 3);

    // Letting go ends the drag: the window stays when the mouse moves on.
    RECT dropped = screen_rect(idler());
    move_mouse(POINT{at.x + 70, at.y + 60});
    Sleep(400);
    RECT later = settled_rect();
    EXPECT_EQ(later.left, dropped.left) << "the window still follows the mouse after release";
    EXPECT_EQ(later.top, dropped.top) << "the window still follows the mouse after release";
  }
};

TEST_F(MainWindow, LoadPostsTheLoadedLineOnce) {
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_NO_FATAL_FAILURE(start_idler());
  std::vector<Record> got = lines();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(printable(got[0].line), printable(lines::kLoaded));
  EXPECT_EQ(got[0].line, lines::kLoaded);
  EXPECT_EQ(got[0].room, "Room 1");
  std::printf("[ timing   ] exe started -> LineLoaded recorded: %lld ms\n",
              static_cast<long long>(got[0].ms - idler_.started_ms()));
  expect_no_more_lines(1, 2500);
}

TEST_F(MainWindow, OpensQuietlyWithNoClientRunning) {
  ASSERT_NO_FATAL_FAILURE(start_idler(false));
  Sleep(3000);  // time for a late error box to show up
  ASSERT_TRUE(idler_.running()) << "the idler ended without a client to post to";
  std::vector<HWND> shown = top_level_windows_of(idler_.pid(), true);
  for (HWND w : shown)
    if (w != idler())
      ADD_FAILURE() << "the idler showed another window: class \"" << narrow(class_of(w)) << "\" text \""
                    << narrow(text_of(w)) << "\"";
  EXPECT_THAT(shown, ElementsAre(idler()));
  EXPECT_GE(ping_ms(idler(), 2500), 0) << "the idler does not answer messages";
}

struct Placement {
  const char* name;
  bool in_frame;
  const wchar_t* cls;
  const wchar_t* text;
  int left, top, width, height;
  bool enabled;
};

// Pixels relative to the parent's client area at 96 DPI.
const Placement kPlacements[] = {
    {"Command7", false, L"Button", L"Minimize", 144, 16, 57, 17, true},
    {"Frame1", false, L"Button", L"Time Idle : ", 128, 160, 81, 41, true},
    {"Label6", true, L"Static", L":", 48, 16, 9, 17, true},
    {"Label5", true, L"Static", L":", 24, 16, 9, 17, true},
    {"Label4", true, L"Static", L"00", 56, 16, 17, 17, true},
    {"Label3", true, L"Static", L"00", 32, 16, 17, 17, true},
    {"Label2", true, L"Static", L"00", 8, 16, 17, 17, true},
    {"Command6", false, L"Button", L"Site", 168, 0, 33, 17, true},
    {"Command5", false, L"Button", L"About", 128, 0, 41, 17, true},
    {"Command4", false, L"Button", L"Exit", 96, 0, 33, 17, true},
    {"Command3", false, L"Button", L"Adv.", 64, 0, 33, 17, true},
    {"Command2", false, L"Button", L"Stop", 32, 0, 33, 17, false},
    {"Command1", false, L"Button", L"Start", 0, 0, 33, 17, true},
    {"Text1", false, L"Edit", L"Reason Idle.........", 32, 224, 129, 19, true},
    {"Label1", false, L"Static", L"\u2122Tallow Divod\u2122", 8, 200, 185, 25, true},
};

TEST_F(MainWindow, BorderlessTopmostWithEveryControlInPlace) {
  ASSERT_NO_FATAL_FAILURE(start_idler(false));
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(dpi, 96) << "the expected pixel positions hold at 96 DPI";

  HWND w = idler();
  EXPECT_EQ(text_of(w), L"\u2122Tallow Divod\u2122");
  LONG style = GetWindowLongW(w, GWL_STYLE);
  LONG ex = GetWindowLongW(w, GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_POPUP) << std::hex << style;
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME)) << std::hex << style;
  EXPECT_TRUE(ex & WS_EX_TOPMOST) << std::hex << ex;
  EXPECT_FALSE(ex & (WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME)) << std::hex << ex;

  RECT client{}, outer = screen_rect(w);
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, 211);
  EXPECT_EQ(client.bottom, 248);
  // No frame: the window is its client area.
  EXPECT_EQ(outer.right - outer.left, 211);
  EXPECT_EQ(outer.bottom - outer.top, 248);

  HWND frame = control("Frame1");
  ASSERT_NE(frame, nullptr) << "no Frame1";
  // The title lies beneath every other control: the frame's border crosses it.
  EXPECT_EQ(GetWindow(frame, GW_HWNDLAST), control("Label1"));
  EXPECT_EQ(GetWindowLongW(frame, GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);

  for (const Placement& p : kPlacements) {
    SCOPED_TRACE(std::string(p.name) + " \"" + narrow(p.text) + "\"");
    HWND c = control(p.name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(GetParent(c), p.in_frame ? frame : w);
    EXPECT_EQ(class_of(c), p.cls);
    EXPECT_EQ(text_of(c), p.text);
    RECT rc = rect_in_parent(c);
    EXPECT_EQ(rc.left, p.left);
    EXPECT_EQ(rc.top, p.top);
    EXPECT_EQ(rc.right - rc.left, p.width);
    EXPECT_EQ(rc.bottom - rc.top, p.height);
    EXPECT_TRUE(IsWindowVisible(c));
    EXPECT_EQ(IsWindowEnabled(c) != FALSE, p.enabled);
  }
}

TEST_F(MainWindow, StaysAboveTheRoomWhenTheRoomIsUsed) {
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_NO_FATAL_FAILURE(start_idler());
  place_idler(100, 60);  // over the room's view, clear of its input
  HWND input = room_input(L"Room 1");
  ASSERT_NE(input, nullptr);
  ASSERT_TRUE(click(input));
  ASSERT_TRUE(wait_until([&] { return GetForegroundWindow() == room_frame(); }, 5000))
      << "clicking the room did not activate it";
  // Raise it too, as a window manager does on activation (Xvfb has none).
  SetWindowPos(room_frame(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  Sleep(300);
  RECT rc = screen_rect(idler());
  POINT centre{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  EXPECT_EQ(GetAncestor(WindowFromPoint(centre), GA_ROOT), idler()) << "the active room covers the idler";
}

// One test per button: a drag that never ends would spoil the next one.
TEST_F(MainWindow, PressingTheBackgroundWithLeftButtonDragsTheWindow) { expect_background_drag(Button::Left); }

TEST_F(MainWindow, PressingTheBackgroundWithRightButtonDragsTheWindow) { expect_background_drag(Button::Right); }

TEST_F(MainWindow, PressingTheBackgroundWithMiddleButtonDragsTheWindow) { expect_background_drag(Button::Middle); }

TEST_F(MainWindow, PressingTheLabelsOrTheFrameDoesNotMoveIt) {
  ASSERT_NO_FATAL_FAILURE(start_idler(false));
  place_idler(400, 300);
  RECT title = screen_rect(control("Label1"));
  RECT minutes = screen_rect(control("Label3"));
  RECT frame = screen_rect(control("Frame1"));
  struct Spot {
    const char* what;
    POINT at;
  } spots[] = {
      {"title label", {(title.left + title.right) / 2, (title.top + title.bottom) / 2}},
      {"clock label", {(minutes.left + minutes.right) / 2, (minutes.top + minutes.bottom) / 2}},
      // Inside the frame, left of the clock digits.
      {"frame", {frame.left + 4, frame.top + 24}},
  };
  for (const Spot& s : spots) {
    for (Button b : {Button::Left, Button::Right, Button::Middle}) {
      SCOPED_TRACE(std::string(name_of(b)) + " button on the " + s.what);
      place_idler(400, 300);
      POINT moved = drag_and_measure(b, s.at, 40, 30);
      EXPECT_EQ(moved.x, 0);
      EXPECT_EQ(moved.y, 0);
    }
  }
}

TEST_F(MainWindow, MinimizeButtonIconisesTheWindow) {
  ASSERT_NO_FATAL_FAILURE(start_idler(false));
  ASSERT_FALSE(IsIconic(idler()));
  ASSERT_TRUE(click(control("Command7")));
  EXPECT_TRUE(wait_until([&] { return IsIconic(idler()) != FALSE; }, 5000));
  EXPECT_TRUE(idler_.running());
}

// HKCU string values set for as long as this lives, then put back as they
// were. Wine reads them when a process starts.
class UserStrings {
 public:
  struct Value {
    const wchar_t* key;
    const wchar_t* name;
    std::wstring data;
    bool had = false;
  };
  explicit UserStrings(std::vector<Value> values) : saved_(std::move(values)) {
    for (Value& v : saved_) {
      wchar_t old[MAX_PATH] = {};
      DWORD size = sizeof old;
      const std::wstring data = v.data;
      v.had = RegGetValueW(HKEY_CURRENT_USER, v.key, v.name, RRF_RT_REG_SZ, nullptr, old, &size) == ERROR_SUCCESS;
      v.data = old;
      set(v.key, v.name, data);
    }
  }
  ~UserStrings() {
    for (const Value& v : saved_)
      v.had ? set(v.key, v.name, v.data) : void(RegDeleteKeyValueW(HKEY_CURRENT_USER, v.key, v.name));
  }
  UserStrings(const UserStrings&) = delete;
  UserStrings& operator=(const UserStrings&) = delete;

 private:
  static void set(const wchar_t* key, const wchar_t* name, const std::wstring& data) {
    RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_SZ, data.c_str(),
                    static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  }
  std::vector<Value> saved_;
};

// With visual styles a push button's rounded corners show what is behind
// them; over the white form they must not show the button face colour.
// Here the face is magenta, a colour found nowhere in the form: a corner
// that shows it was filled with the face, and a face that shows it was
// drawn without the theme.
TEST_F(MainWindow, ThemedButtonsShowTheFormInTheirCorners) {
  const wchar_t* const kTheme = L"C:\\windows\\resources\\themes\\light\\light.msstyles";
  ASSERT_TRUE(exists(kTheme)) << "Wine's theme is not in the prefix: " << narrow(kTheme);
  {
    const wchar_t* const kThemeManager = L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";
    UserStrings themed({{kThemeManager, L"ThemeActive", L"1"},
                        {kThemeManager, L"DllName", kTheme},
                        {kThemeManager, L"ColorName", L"Blue"},
                        {kThemeManager, L"SizeName", L"NormalSize"},
                        {L"Control Panel\\Colors", L"ButtonFace", L"255 0 255"}});
    ASSERT_NO_FATAL_FAILURE(start_idler(false));
  }
  // A button under the pointer is drawn hot, in the theme's highlight.
  RECT window = screen_rect(idler());
  ASSERT_TRUE(move_mouse(POINT{window.left - 40, window.bottom + 40}));

  auto magenta = [](std::uint32_t rgb) {
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return r - g > 8 && b - g > 8;
  };
  std::string faults;
  const bool right = wait_until(
      [&] {
        Image shot = capture_screen();
        faults.clear();
        for (const tallow::ControlSpec& row : tallow::kForm1Declaration.controls) {
          if (row.kind != tallow::ControlKind::kButton) continue;
          RECT rc = screen_rect(control(row.name));
          const struct {
            const char* where;
            int x, y;
          } spots[] = {{"top left corner", rc.left, rc.top},
                       {"top right corner", rc.right - 1, rc.top},
                       {"bottom left corner", rc.left, rc.bottom - 1},
                       {"bottom right corner", rc.right - 1, rc.bottom - 1},
                       {"face", rc.left + 3, (rc.top + rc.bottom) / 2}};
          // Until the button is painted its face is the dark screen behind it.
          if ((shot.at(spots[4].x, spots[4].y) & 0xC0C0C0) == 0) {
            faults = std::string("\n  ") + row.name + " is not painted";
            return false;
          }
          for (const auto& spot : spots) {
            const std::uint32_t rgb = shot.at(spot.x, spot.y);
            if (!magenta(rgb)) continue;
            char line[160];
            std::snprintf(line, sizeof line, "\n  %s of %s: #%06X", spot.where, row.name, static_cast<unsigned>(rgb));
            faults += line;
          }
        }
        return faults.empty();
      },
      5000);
  std::printf("[ desktop  ] screenshot: %s\n", narrow(screenshot(test_name())).c_str());
  EXPECT_TRUE(right) << "the button face shows (a face: drawn without the theme; a corner: filled with the face):"
                     << faults;
}

TEST_F(MainWindow, ScreenshotBesideTheRoomAfterAdv) {
  ASSERT_NO_FATAL_FAILURE(start_room());
  ASSERT_NO_FATAL_FAILURE(start_idler());
  place_idler(560, 40);  // the room is 520 wide at 0,0
  ASSERT_TRUE(click(control("Command3")));
  ASSERT_EQ(wait_lines(4).size(), 4u);
  Sleep(500);  // let both windows paint
  std::wstring path = screenshot(test_name());
  std::printf("[ desktop  ] screenshot: %s\n", narrow(path).c_str());

  // The idler painted its picture: its area is not one flat colour.
  Image shot = capture_screen();
  RECT rc = screen_rect(idler());
  ASSERT_GT(shot.width, rc.right);
  ASSERT_GT(shot.height, rc.bottom);
  std::set<std::uint32_t> colours;
  for (int y = rc.top; y < rc.bottom; y += 3)
    for (int x = rc.left; x < rc.right; x += 3) colours.insert(shot.at(x, y));
  EXPECT_GT(colours.size(), 16u) << "the idler's window looks blank on screen";
}

}  // namespace
}  // namespace desktop
