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
  int id;
  bool in_frame;
  const wchar_t* cls;
  const wchar_t* text;
  int left, top, width, height;
  bool enabled;
  LabelLook look;  // a label's; the clock's digits take the window's own font, left to the idler
};

// Pixels relative to the parent's client area at 96 DPI.
const Placement kPlacements[] = {
    {kMinimize, false, L"Button", L"Minimize", 144, 16, 57, 17, true, {}},
    {kFrame, false, L"Button", L"Time Idle : ", 128, 160, 81, 41, true, {}},
    {kColon2Label, true, L"Static", L":", 48, 16, 9, 17, true, {L"MS Sans Serif", 8.25, FW_BOLD, {}}},
    {kColon1Label, true, L"Static", L":", 24, 16, 9, 17, true, {L"MS Sans Serif", 8.25, FW_BOLD, {}}},
    {kSecondsLabel, true, L"Static", L"00", 56, 16, 17, 17, true, {}},
    {kMinutesLabel, true, L"Static", L"00", 32, 16, 17, 17, true, {}},
    {kHoursLabel, true, L"Static", L"00", 8, 16, 17, 17, true, {}},
    {kSite, false, L"Button", L"Site", 168, 0, 33, 17, true, {}},
    {kAbout, false, L"Button", L"About", 128, 0, 41, 17, true, {}},
    {kExit, false, L"Button", L"Exit", 96, 0, 33, 17, true, {}},
    {kAdv, false, L"Button", L"Adv.", 64, 0, 33, 17, true, {}},
    {kStop, false, L"Button", L"Stop", 32, 0, 33, 17, false, {}},
    {kStart, false, L"Button", L"Start", 0, 0, 33, 17, true, {}},
    {kReasonBox, false, L"Edit", L"Reason Idle.........", 32, 224, 129, 19, true, {}},
    {kTitleLabel,
     false,
     L"Static",
     L"\u2122Tallow Divod\u2122",
     8,
     200,
     185,
     25,
     true,
     {L"Rockwell Extra Bold", 15.75, 800, RGB(0, 0x80, 0)}},
};

// With no chat client running: the window, its controls and their looks,
// the keyboard focus and the order Tab takes, and no other window at all.
TEST_F(MainWindow, OpensQuietlyBorderlessTopmostWithEveryControlInPlace) {
  ASSERT_NO_FATAL_FAILURE(start_idler(false));
  EXPECT_TRUE(wait_until([&] { return focused() == control(kReasonBox); }, 5000))
      << "the reason box does not have the focus when the window opens; \"" << narrow(text_of(focused())) << "\" has";

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

  HWND frame = control(kFrame);
  ASSERT_NE(frame, nullptr) << "no Frame1 (id " << kFrame << ")";
  EXPECT_EQ(GetWindowLongW(frame, GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);

  ASSERT_TRUE(load_probe());
  for (const Placement& p : kPlacements) {
    SCOPED_TRACE("control " + std::to_string(p.id) + " \"" + narrow(p.text) + "\"");
    HWND c = p.in_frame ? clock_label(p.id) : control(p.id);
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
    if (class_of(c) == L"Static") expect_look(drawn_with(c), p.look);
  }

  // Tab goes round in tab index order, past Stop while it is disabled.
  SetForegroundWindow(idler());
  ASSERT_TRUE(wait_until([&] { return GetForegroundWindow() == idler(); }, 5000)) << "the idler is not active";
  for (int id : {kStart, kAdv, kExit, kAbout, kSite, kMinimize, kReasonBox}) {
    type_text(L"\t");
    EXPECT_TRUE(wait_until([&] { return focused() == control(id); }, 3000))
        << "Tab went to \"" << narrow(text_of(focused())) << "\" instead of \"" << narrow(control_text(id)) << "\"";
  }

  // An error box would show within a few ticks of the keyword watcher.
  wait_until([&] { return !other_windows().empty(); }, 1500);
  EXPECT_THAT(other_windows(), IsEmpty());
  ASSERT_TRUE(idler_.running()) << "the idler ended without a client to post to";
  EXPECT_GE(ping_ms(idler(), 2500), 0) << "the idler does not answer messages";
}

// Any button on the bare background moves the window, and letting go ends
// the move; on the title, the clock or the frame no button moves it.
TEST_F(MainWindow, OnlyTheBackgroundDragsTheWindow) {
  ASSERT_NO_FATAL_FAILURE(start_idler(false));
  place_idler(400, 300);
  const RECT title = screen_rect(control(kTitleLabel));
  const RECT minutes = screen_rect(clock_label(kMinutesLabel));
  const RECT frame = screen_rect(control(kFrame));
  struct Spot {
    const char* what;
    POINT at;
    bool drags;
  } spots[] = {
      // Bare background, away from every control.
      {"background", {client_origin(idler()).x + 100, client_origin(idler()).y + 120}, true},
      {"title label", {(title.left + title.right) / 2, (title.top + title.bottom) / 2}, false},
      {"clock label", {(minutes.left + minutes.right) / 2, (minutes.top + minutes.bottom) / 2}, false},
      {"frame", {frame.left + 4, frame.top + 24}, false},  // inside, left of the clock digits
  };
  ASSERT_EQ(GetAncestor(WindowFromPoint(spots[0].at), GA_ROOT), idler()) << "something covers the idler";
  for (const Spot& s : spots) {
    for (Button b : {Button::Left, Button::Right, Button::Middle}) {
      SCOPED_TRACE(std::string(name_of(b)) + " button on the " + s.what);
      place_idler(400, 300);
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
