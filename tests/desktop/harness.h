// Harness for the desktop tests: starts the practice room and the idler as
// real processes, reads the room's transcript, and plays a user at the mouse
// and keyboard (SendInput). Every test gets its own run folder and kills what
// it started.
#pragma once

// The test program runs under Wine only, which has everything Windows 7 has
// whatever version it reports; the programs it tests are held to their
// oldest Windows by the build.
#undef _WIN32_WINNT
#undef WINVER
#define _WIN32_WINNT 0x0601
#define WINVER 0x0601
#include <windows.h>

#include <gtest/gtest.h>

#include "bridge/win32/chat_client_names.h"
#include "idler/form1_declaration.h"
#include "tests/desktop/idler-probe/drawn_with.h"
#include "tests/golden/expected.h"
#include "windows/form2_declaration.h"
#include "windows/form3_declaration.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "transcript_escape.h"

namespace desktop {

namespace chat_client_names = tallow::chat_client_names;
// The lines and texts the idler must post and show.
namespace lines = golden::lines;
namespace texts = golden::texts;

// ---- Transcript -----------------------------------------------------------

struct Record {
  std::int64_t ms = 0;
  std::string room;
  std::string line;  // unescaped bytes
};

// QueryPerformanceCounter in ms, the clock the transcript's records use.
std::int64_t now_ms();

// Complete records only: a last line without its newline is still being written.
std::vector<Record> parse_transcript(std::string_view text);

// Escapes bytes the way the transcript does, for readable failure messages.
inline std::string printable(std::string_view bytes) { return practice::escape_line(bytes); }

// The record holds exactly `bytes`, posted into `room`.
void expect_line(const Record& r, const std::string& bytes, const std::string& room = "Room 1");
// Two lines came `pauses` pauses of 0.7 s apart, at most `late_ms` late.
void expect_gap(const Record& a, const Record& b, const char* what, int pauses = 1, int late_ms = 150);
// got[first] onwards hold the lines of `announcement`, one pause apart.
void expect_announcement(const std::vector<Record>& got, size_t first, const std::vector<std::string>& announcement,
                         const char* what, const std::string& room = "Room 1");
inline const std::vector<std::string> kAdv = {lines::kBanner, lines::kCredit, lines::kTeam};
inline void expect_adv(const std::vector<Record>& got, size_t first, const std::string& room = "Room 1") {
  expect_announcement(got, first, kAdv, "Adv.", room);
}

// A label's font (upright, plain, ANSI) and text colour as its layout has
// them, where given; every label of the idler is transparent.
struct LabelLook {
  const wchar_t* face = nullptr;
  double points = 0;
  int weight = 0;
  std::optional<COLORREF> text;
};
void expect_look(const std::optional<DrawnWith>& drawn, const LabelLook& look);

// ---- Plumbing ------------------------------------------------------------

// "/a/b" -> "Z:\a\b" (Wine maps the Unix root to Z:).
std::wstring windows_path(std::string_view path);
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);  // UTF-8

// The whole file, shared for reading with its writer; "" when it is missing.
std::string read_file(const std::wstring& path);

// Copies a built file (a Unix path) into the run folder, as `name` or under
// its own name; returns the copy, or the original if the copy failed.
std::wstring staged_copy(std::string_view file, const std::wstring& run_dir, const std::wstring& name = L"");
std::wstring lower(std::wstring s);
bool exists(const std::wstring& path);
// Names of the files (not folders) in `folder`.
std::vector<std::wstring> files_in(const std::wstring& folder);

// An environment variable of this process, which the processes it starts
// inherit; nullopt when it is not set.
std::optional<std::wstring> environment(const wchar_t* name);
void set_environment(const wchar_t* name, const std::optional<std::wstring>& value);
// Values under HKCU set for as long as this lives, then put back as they
// were. Wine reads them as a process starts.
class UserSettings {
 public:
  struct Setting {
    std::wstring key;
    const wchar_t* name;
    std::variant<std::wstring, DWORD> value;  // REG_SZ or REG_DWORD
  };
  explicit UserSettings(const std::vector<Setting>& settings);
  ~UserSettings();
  UserSettings(const UserSettings&) = delete;
  UserSettings& operator=(const UserSettings&) = delete;
  bool all_set() const { return all_set_; }

 private:
  struct Saved {
    std::wstring key;
    const wchar_t* name;
    DWORD type = REG_NONE;  // REG_NONE: there was no such value
    std::vector<BYTE> data;
  };
  std::vector<Saved> saved_;
  bool all_set_ = true;
};

bool wait_until(const std::function<bool()>& done, int timeout_ms, int poll_ms = 20);
// Takes value() until done(value) holds or `timeout_ms` has passed; the last value taken.
template <class Value, class Done>
auto wait_for(Value value, Done done, int timeout_ms, int poll_ms = 20) {
  decltype(value()) got{};
  wait_until([&] { return done(got = value()); }, timeout_ms, poll_ms);
  return got;
}

// The whole screen via GDI, 32-bit pixels top-down (0x00RRGGBB).
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
Image capture_screen();
// Colours on the screen in `area`, every third pixel: a picture has many.
size_t colours_on_screen(const RECT& area);

// ---- Windows of another process -----------------------------------------

std::wstring class_of(HWND hwnd);
// WM_GETTEXT with a timeout, so a hung window cannot hang the test.
std::wstring text_of(HWND hwnd);
RECT screen_rect(HWND hwnd);
// hwnd's rectangle in its parent's client coordinates.
RECT rect_in_parent(HWND hwnd);
POINT client_origin(HWND hwnd);
// Top-level windows of `pid` (0: of any process), of class `cls` if given.
std::vector<HWND> top_level_windows_of(DWORD pid, const wchar_t* cls = nullptr, bool visible_only = true);
// The child windows of `window`, in the order they were made.
std::vector<HWND> children_of(HWND window);
// Puts `window` at (x, y) on the screen, without activating it.
void place(HWND window, int x, int y);
// `upper` is above `lower` in the z-order of the top-level windows.
bool above(HWND upper, HWND lower);
// Round-trip time of WM_NULL in ms, or -1 if it did not answer in timeout_ms.
int ping_ms(HWND hwnd, int timeout_ms);

// ---- Inside another process (of this program's bitness) -------------------

struct Module {
  std::uintptr_t base = 0;
  std::wstring path;  // lower case
};
// The modules loaded in `process`.
std::vector<Module> modules_of(HANDLE process);
// The base of the module whose file name is `name` (any case), or 0.
std::uintptr_t module_base(HANDLE process, std::wstring_view name);
// LoadLibraryW(name) run by a thread of `process`: what a load by that name
// inside it would find. False if the thread could not be run or did not end
// within 10 s; if the calls into `process` are not carried out at all within
// 15 s, `process` is ended (see harness.cpp).
bool load_library_in(HANDLE process, const std::wstring& name);

// ---- Real input ------------------------------------------------------------

enum class Button { Left, Right, Middle };
const char* name_of(Button b);

// Moves the pointer and waits until Windows reports it there: under load the
// X server can take well over 60 ms to warp it. False if it never arrived.
bool move_mouse(POINT screen);
void mouse_button(Button b, bool down);
// Moves the pointer to the centre of the control, after checking the control
// is what is under that point.
::testing::AssertionResult point_at(HWND control);
// point_at, then presses and releases the left button there.
::testing::AssertionResult click(HWND control);
// Press at `from`, move by (dx, dy) in steps, release.
void drag(Button b, POINT from, int dx, int dy);
void type_text(std::wstring_view text);

// ---- Processes -------------------------------------------------------------

class Process {
 public:
  Process() = default;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process() { kill(); }

  // Starts suspended, joins `job`, then runs.
  bool start(const std::wstring& exe, const std::wstring& args, HANDLE job);
  void kill();
  bool running() const;
  bool wait_exit(int timeout_ms) const;
  DWORD pid() const { return pid_; }
  HANDLE handle() const { return process_; }
  std::int64_t started_ms() const { return started_ms_; }

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
  std::int64_t started_ms_ = 0;
};

// One test's world: the room, the idler, the run folder.
class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the practice room with `args` (plus --transcript and --pos 0,0)
  // and waits for its READY record.
  void start_room(const std::wstring& args = L"");
  // Starts the idler and waits for its main window; with `wait_loaded`
  // also for the first posted record (LineLoaded). With `dpi`, the idler
  // runs at that display scaling (96 is 100%, 144 150%).
  void start_idler(bool wait_loaded = true, int dpi = 0);

  HWND idler() const { return idler_window_; }
  HWND room_frame() const { return room_frame_; }
  HWND mdi_client() const;
  HWND room_child(const wchar_t* title) const;  // the first room if title is null
  HWND room_input(const wchar_t* title) const;
  // The main window's control of that name in its declaration ("Command1",
  // "Label2" in the frame), or nullptr.
  HWND control(const char* name) const;
  std::wstring control_text(const char* name) const { return text_of(control(name)); }
  // The clock as it reads: "00 00 00".
  std::wstring clock_text() const;
  // The first visible window of the idler of class `cls`, waited for.
  HWND wait_window(const wchar_t* cls, int timeout_ms = 5000) const;

  // Clicks the reason box, selects all and types `text`; and waits until
  // the box reads it, unless it is a keyword, which the box loses at once.
  void type_reason(const std::wstring& text, bool keyword = false);
  // Puts `text` into the reason box at once (WM_SETTEXT).
  void set_reason(const std::wstring& text);
  // Clicks `button`: exactly the lines of `announcement` follow, one pause apart.
  void press_for(const char* button, const std::vector<std::string>& announcement, const char* what,
                 const std::string& room = "Room 1");
  // Presses Start: its two lines (the reason as the room gets it), then Stop.
  void start_idling(const std::string& reason_bytes, const std::string& room = "Room 1");
  // Presses Stop: its two lines, then the clock and controls back at rest.
  void stop_idling(const std::string& hours, const std::string& minutes, const std::string& room = "Room 1");
  // Clicks the room until it is active, and raises it as a window manager would.
  ::testing::AssertionResult activate_room() const;

  // Idling: Start and the reason box off, Stop on; not idling, the reverse.
  void expect_idling(bool idling = true) const;

  // At 96 DPI: the main window's bare background shows its picture.
  bool idler_shows_its_picture() const;
  // Class and text of each visible window of the idler but its main window.
  std::vector<std::wstring> other_windows() const;

  // Posted records (READY left out).
  std::vector<Record> lines() const;
  // Waits until at least n records were posted; returns them.
  std::vector<Record> wait_lines(size_t n, int timeout_ms = 15000) const;
  // Waits out `quiet_ms` (a pause and more), failing once more than n records are in.
  void expect_no_more_lines(size_t n, int quiet_ms = 1000) const;

  // Processes that ever joined this test's job: the room, the idler, theirs.
  DWORD processes_started() const;
  // Loads idler_probe.dll (idler-probe/) into the running idler.
  ::testing::AssertionResult load_probe();
  std::uintptr_t probe_symbol(const char* symbol) const;  // 0 when the probe is not loaded
  std::optional<LONG> probe_long(const char* symbol) const;
  bool set_probe_long(const char* symbol, LONG value) const;
  // What `label` of the idler is drawn with, read by the probe inside it.
  std::optional<DrawnWith> drawn_with(HWND label) const;
  // The probe tells `window` it is now on a monitor of `to` DPI, as Windows
  // would (WM_DPICHANGED); returns once the window has handled it.
  bool move_to_dpi(HWND window, int from, int to) const;

  // Saves the whole screen as <screenshot dir>/<name>.bmp.
  std::wstring screenshot(const std::string& name) const;

  static std::string test_name();

  HANDLE job_ = nullptr;
  // The builds start_idler and start_room run, staged as TallowDivod.exe
  // and under the room's own name.
  const char* idler_exe_ = DESKTOP_IDLER_EXE;
  const char* room_exe_ = DESKTOP_ROOM_EXE;
  Process room_;
  Process idler_;
  std::wstring run_dir_;
  std::wstring transcript_;
  std::wstring probe_;  // the probe's path, once loaded
  std::wstring staged_room_, staged_idler_;
  HWND room_frame_ = nullptr;
  HWND idler_window_ = nullptr;
};

}  // namespace desktop
