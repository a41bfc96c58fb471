// The idler's main window: how it opens and looks, the keyboard's way
// through it, and how it answers the mouse.
#include "harness.h"

#include <gmock/gmock.h>

namespace desktop {
namespace {

using ::testing::IsEmpty;

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

  // The control of the idler that has the keyboard focus.
  HWND focused() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(idler(), nullptr), &info) ? info.hwndFocus : nullptr;
  }
};

struct Placement {
  const char* name;
  bool in_frame;
  const wchar_t* cls;
  const wchar_t* text;
  int left, top, width, height;
  bool enabled;
  LabelLook look;  // a label's; the clock's digits take the window's own font, left to the idler
};

const wchar_t kTitle[] = L"\u2122Tallow Divod\u2122";
const LabelLook kTitleLook{L"Rockwell Extra Bold", 15.75, 800, RGB(0, 0x80, 0)};
// Pixels relative to the parent's client area at 96 DPI.
const Placement kPlacements[] = {
    {"Command7", false, L"Button", L"Minimize", 144, 16, 57, 17, true, {}},
    {"Frame1", false, L"Button", L"Time Idle : ", 128, 160, 81, 41, true, {}},
    {"Label6", true, L"Static", L":", 48, 16, 9, 17, true, {L"MS Sans Serif", 8.25, FW_BOLD, {}}},
    {"Label5", true, L"Static", L":", 24, 16, 9, 17, true, {L"MS Sans Serif", 8.25, FW_BOLD, {}}},
    {"Label4", true, L"Static", L"00", 56, 16, 17, 17, true, {}},
    {"Label3", true, L"Static", L"00", 32, 16, 17, 17, true, {}},
    {"Label2", true, L"Static", L"00", 8, 16, 17, 17, true, {}},
    {"Command6", false, L"Button", L"Site", 168, 0, 33, 17, true, {}},
    {"Command5", false, L"Button", L"About", 128, 0, 41, 17, true, {}},
    {"Command4", false, L"Button", L"Exit", 96, 0, 33, 17, true, {}},
    {"Command3", false, L"Button", L"Adv.", 64, 0, 33, 17, true, {}},
    {"Command2", false, L"Button", L"Stop", 32, 0, 33, 17, false, {}},
    {"Command1", false, L"Button", L"Start", 0, 0, 33, 17, true, {}},
    {"Text1", false, L"Edit", L"Reason Idle.........", 32, 224, 129, 19, true, {}},
    {"Label1", false, L"Static", kTitle, 8, 200, 185, 25, true, kTitleLook},
};

// With no chat client running: the window, its controls and their looks,
// the keyboard focus and the order Tab takes, and no other window at all.
// Then any button on the bare background moves the window, and letting go
// ends the move; on the title, the clock or the frame no button moves it.
TEST_F(MainWindow, OpensQuietlyBorderlessTopmostWithEveryControlInPlaceAndOnlyItsBackgroundDrags) {
  ASSERT_NO_FATAL_FAILURE(start_idler(false));
  EXPECT_TRUE(wait_until([&] { return focused() == control("Text1"); }, 5000))
      << "the reason box does not have the focus when the window opens; \"" << narrow(text_of(focused())) << "\" has";

  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(dpi, 96) << "the expected pixel positions hold at 96 DPI";

  HWND w = idler();
  EXPECT_EQ(text_of(w), texts::kTitle);
  LONG style = GetWindowLongW(w, GWL_STYLE);
  LONG ex = GetWindowLongW(w, GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_POPUP) << std::hex << style;
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME)) << std::hex << style;
  EXPECT_TRUE(ex & WS_EX_TOPMOST) << std::hex << ex;
  EXPECT_FALSE(ex & (WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME)) << std::hex << ex;

  RECT client{}, outer = screen_rect(w);
  GetClientRect(w, &client);
  EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(211L, 248L));
  // No frame: the window is its client area.
  EXPECT_EQ(std::pair(outer.right - outer.left, outer.bottom - outer.top), std::pair(211L, 248L));

  HWND frame = control("Frame1");
  ASSERT_NE(frame, nullptr) << "no Frame1";
  EXPECT_EQ(GetWindowLongW(frame, GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
  // The title lies beneath every other control: the frame's border crosses it.
  EXPECT_EQ(GetWindow(frame, GW_HWNDLAST), control("Label1"));

  ASSERT_TRUE(load_probe());
  for (const Placement& p : kPlacements) {
    SCOPED_TRACE(std::string(p.name) + " \"" + narrow(p.text) + "\"");
    HWND c = control(p.name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(GetParent(c), p.in_frame ? frame : w);
    EXPECT_EQ(class_of(c), p.cls);
    EXPECT_EQ(text_of(c), p.text);
    const RECT rc = rect_in_parent(c);
    EXPECT_EQ(std::tuple(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top),
              std::tuple(p.left, p.top, p.width, p.height))
        << "left, top, width, height";
    EXPECT_TRUE(IsWindowVisible(c));
    EXPECT_EQ(IsWindowEnabled(c) != FALSE, p.enabled);
    if (class_of(c) == L"Static") expect_look(drawn_with(c), p.look);
  }

  // Tab goes round in tab index order, past Stop while it is disabled.
  SetForegroundWindow(idler());
  ASSERT_TRUE(wait_until([&] { return GetForegroundWindow() == idler(); }, 5000)) << "the idler is not active";
  for (const char* name : {"Command1", "Command3", "Command4", "Command5", "Command6", "Command7", "Text1"}) {
    type_text(L"\t");
    EXPECT_TRUE(wait_until([&] { return focused() == control(name); }, 3000))
        << "Tab went to \"" << narrow(text_of(focused())) << "\" instead of " << name;
  }

  // An error box would show within a few ticks of the keyword watcher.
  wait_until([&] { return !other_windows().empty(); }, 1500);
  EXPECT_THAT(other_windows(), IsEmpty());
  ASSERT_TRUE(idler_.running()) << "the idler ended without a client to post to";
  EXPECT_GE(ping_ms(idler(), 2500), 0) << "the idler does not answer messages";

  place(idler(), 400, 300);
  const RECT title = screen_rect(control("Label1"));
  const RECT minutes = screen_rect(control("Label3"));
  const RECT frame_rect = screen_rect(frame);
  struct Spot {
    const char* what;
    POINT at;
    bool drags;
  } spots[] = {
      // Bare background, away from every control.
      {"background", {client_origin(idler()).x + 100, client_origin(idler()).y + 120}, true},
      {"title label", {(title.left + title.right) / 2, (title.top + title.bottom) / 2}, false},
      {"clock label", {(minutes.left + minutes.right) / 2, (minutes.top + minutes.bottom) / 2}, false},
      {"frame", {frame_rect.left + 4, frame_rect.top + 24}, false},  // inside, left of the clock digits
  };
  ASSERT_EQ(GetAncestor(WindowFromPoint(spots[0].at), GA_ROOT), idler()) << "something covers the idler";
  for (const Spot& s : spots) {
    for (Button b : {Button::Left, Button::Right, Button::Middle}) {
      SCOPED_TRACE(std::string(name_of(b)) + " button on the " + s.what);
      place(idler(), 400, 300);
      POINT moved = drag_and_measure(b, s.at, 40, 30);
      EXPECT_NEAR(moved.x, s.drags ? 40 : 0, s.drags ? 3 : 0);
      EXPECT_NEAR(moved.y, s.drags ? 30 : 0, s.drags ? 3 : 0);
      if (!s.drags) continue;
      const RECT dropped = screen_rect(idler());
      move_mouse(POINT{s.at.x + 70, s.at.y + 60});
      EXPECT_FALSE(wait_until(
          [&] {
            RECT now = screen_rect(idler());
            return !EqualRect(&now, &dropped);
          },
          400))
          << "the window still follows the mouse after release";
    }
  }
}

// With visual styles a push button's rounded corners show what is behind
// them; over the white form they must not show the button face colour.
// Here the face is magenta, a colour found nowhere in the form: a corner
// that shows it was filled with the face, and a face that shows it was
// drawn without the theme.
TEST_F(MainWindow, ThemedButtonsShowTheFormInTheirCorners) {
  const wchar_t* const kTheme = L"C:\\windows\\resources\\themes\\light\\light.msstyles";
  ASSERT_TRUE(exists(kTheme)) << "Wine's theme is not in the prefix: " << narrow(kTheme);
  {
    const std::wstring kThemeManager = L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";
    UserSettings themed({{kThemeManager, L"ThemeActive", L"1"},
                         {kThemeManager, L"DllName", kTheme},
                         {kThemeManager, L"ColorName", L"Blue"},
                         {kThemeManager, L"SizeName", L"NormalSize"},
                         {L"Control Panel\\Colors", L"ButtonFace", L"255 0 255"}});
    ASSERT_TRUE(themed.all_set()) << "cannot turn the theme on";
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
        for (const tallow::ControlRow& row : tallow::kForm1Declaration.controls) {
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

// The exe's version block as Windows reads it, in US English, UTF-16.
TEST(VersionBlock, NamesTheIdlerAndItsMakers) {
  const std::wstring exe = windows_path(DESKTOP_IDLER_EXE);
  DWORD ignored = 0;
  std::vector<BYTE> block(GetFileVersionInfoSizeW(exe.c_str(), &ignored));
  ASSERT_FALSE(block.empty()) << "the exe has no version block";
  ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  void* at = nullptr;
  UINT size = 0;
  auto value = [&](const std::wstring& path) {
    return VerQueryValueW(block.data(), path.c_str(), &at, &size) && size ? at : nullptr;
  };
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value(L"\\"));
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(std::make_tuple(fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                            fixed->dwProductVersionLS),
            std::make_tuple(MAKELONG(11, 5), MAKELONG(2005, 0), MAKELONG(11, 5), MAKELONG(2005, 0)))
      << "not 5.11.0.2005";
  const auto* language = static_cast<const DWORD*>(value(L"\\VarFileInfo\\Translation"));
  ASSERT_NE(language, nullptr);
  EXPECT_EQ(*language, MAKELONG(0x0409, 1200)) << "not US English in UTF-16";
  auto text = [&](const wchar_t* name) {
    const auto* chars = static_cast<const wchar_t*>(value(std::wstring(L"\\StringFileInfo\\040904B0\\") + name));
    return chars ? std::wstring(chars, size - 1) : L"<none>";
  };
  for (const auto& [name, expected] : {std::pair{L"FileVersion", L"5.11.2005"},
                                       {L"ProductVersion", L"5.11.2005"},
                                       {L"ProductName", L"\u2122Tallow Divod\u2122"},
                                       {L"InternalName", L"\u2122Tallow Divod\u2122"},
                                       {L"OriginalFilename", L"\u2122Tallow Divod\u2122.exe"},
                                       {L"CompanyName", L"gLoAmInG iNc."}})
    EXPECT_EQ(text(name), expected) << narrow(name);
  // One short line each, naming the person it was made for.
  for (const wchar_t* name : {L"Comments", L"FileDescription"}) {
    const std::wstring line = text(name);
    EXPECT_TRUE(line.find(L"Juniper") != std::wstring::npos && line.size() <= 80 &&
                line.find_first_of(L"\r\n") == std::wstring::npos)
        << narrow(name) << ": " << narrow(line);
  }
}

}  // namespace
}  // namespace desktop
