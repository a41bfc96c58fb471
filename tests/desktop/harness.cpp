#include "harness.h"

#define PSAPI_VERSION 2  // K32EnumProcessModules, in kernel32
#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwctype>
#include <set>

namespace desktop {

namespace {

std::wstring room_frame_class() { return widen(chat_client_names::kFrameClass); }

// Wine's first start of a process in a fresh wineserver can take a while.
constexpr int kStartTimeoutMs = 60000;
constexpr int kTextTimeoutMs = 3000;
// How long a new window's foreground must hold before it counts as settled.
constexpr int kSettleMs = 300;

void make_dirs(const std::wstring& path) {
  for (size_t i = 3; i <= path.size(); ++i)
    if (i == path.size() || path[i] == L'\\') CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
}

std::wstring quote(const std::wstring& s) { return L"\"" + s + L"\""; }

HWND find_top_level(DWORD pid, const wchar_t* cls, bool visible_only = false) {
  std::vector<HWND> all = top_level_windows_of(pid, cls, visible_only);
  return all.empty() ? nullptr : all.front();
}

// Where `symbol`, exported by the DLL at `dll_path`, is in `process`, which
// has loaded that DLL; 0 if it has not or there is no such export.
std::uintptr_t exported_in(HANDLE process, const std::wstring& dll_path, const char* symbol) {
  const std::uintptr_t remote = module_base(process, dll_path.substr(dll_path.find_last_of(L"\\/") + 1));
  HMODULE local = remote ? LoadLibraryExW(dll_path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES) : nullptr;
  if (!local) return 0;
  auto at = reinterpret_cast<std::uintptr_t>(GetProcAddress(local, symbol));
  const std::uintptr_t address = at ? remote + (at - reinterpret_cast<std::uintptr_t>(local)) : 0;
  FreeLibrary(local);
  return address;
}

std::set<Button> g_pressed;

struct ButtonFlags {
  const char* name;
  DWORD down, up;
};
// In the order of Button.
const ButtonFlags kButtonFlags[] = {{"left", MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
                                    {"right", MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP},
                                    {"middle", MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP}};

}  // namespace

std::string read_file(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string out;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
  CloseHandle(file);
  return out;
}

// ---- Transcript -----------------------------------------------------------

std::int64_t now_ms() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  std::int64_t c = counter.QuadPart, f = frequency.QuadPart;
  return (c / f) * 1000 + (c % f) * 1000 / f;
}

std::vector<Record> parse_transcript(std::string_view text) {
  std::vector<Record> out;
  size_t pos = 0;
  for (;;) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) break;
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    const size_t t1 = line.find('\t'), t2 = line.find('\t', t1 + 1);
    if (t2 == std::string_view::npos) continue;  // so is t1
    out.push_back({std::strtoll(std::string(line.substr(0, t1)).c_str(), nullptr, 10),
                   practice::unescape_line(line.substr(t1 + 1, t2 - t1 - 1)),
                   practice::unescape_line(line.substr(t2 + 1))});
  }
  return out;
}

void expect_line(const Record& r, const std::string& bytes, const std::string& room) {
  // A megabyte of line is no use in a message: its size and its start are.
  constexpr size_t kShown = 400;
  if (r.line != bytes)
    ADD_FAILURE() << "posted " << r.line.size() << " bytes: " << printable(r.line).substr(0, kShown) << "\nexpected "
                  << bytes.size() << " bytes: " << printable(bytes).substr(0, kShown);
  EXPECT_EQ(r.room, room);
}

void expect_gap(const Record& a, const Record& b, const char* what, int pauses, int late_ms) {
  constexpr int kPauseMs = 700;
  // The room stamps each record in whole milliseconds of its own clock.
  constexpr int kClockNoiseMs = 10;
  const std::int64_t gap = b.ms - a.ms;
  std::printf("[ timing   ] %s: %lld ms\n", what, static_cast<long long>(gap));
  EXPECT_GE(gap, pauses * kPauseMs - kClockNoiseMs) << what << ": the pause was cut short";
  EXPECT_LE(gap, pauses * kPauseMs + late_ms) << what;
}

void expect_announcement(const std::vector<Record>& got, size_t first, const std::vector<std::string>& announcement,
                         const char* what, const std::string& room) {
  ASSERT_GE(got.size(), first + announcement.size());
  for (size_t i = 0; i < announcement.size(); ++i) {
    expect_line(got[first + i], announcement[i], room);
    if (i > 0) expect_gap(got[first + i - 1], got[first + i], (what + (" line " + std::to_string(i + 1))).c_str());
  }
}

namespace {
// What the font mapper makes of `face`: `face` itself where this machine has it.
std::wstring mapped_face(const wchar_t* face) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, face);
  HGDIOBJ old = SelectObject(dc, font);
  wchar_t got[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, got);
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
  return got;
}
}  // namespace

void expect_look(const std::optional<DrawnWith>& drawn, const LabelLook& look) {
  ASSERT_TRUE(drawn) << "the probe could not see what the label is drawn with";
  EXPECT_EQ(drawn->background, TRANSPARENT) << "the label paints a background of its own";
  if (look.text) {
    EXPECT_EQ(drawn->text, *look.text) << std::hex << "text colour 0x" << drawn->text;
  }
  if (!look.face) return;
  ASSERT_TRUE(drawn->has_font) << "the label has no font of its own";
  const LOGFONTW& font = drawn->font;
  const std::wstring face = font.lfFaceName;
  // Where this machine lacks the face, a stand-in that it has will do.
  EXPECT_TRUE(face == look.face || (mapped_face(look.face) != look.face && mapped_face(face.c_str()) == face))
      << "the font is \"" << narrow(face) << "\", not \"" << narrow(look.face) << "\" (drawn in "
      << narrow(drawn->real_face) << ")";
  // At 96 DPI, where the tests run.
  EXPECT_EQ(font.lfHeight, -std::lround(look.points * 96 / 72)) << "the font is not " << look.points << " pt";
  EXPECT_EQ(font.lfWeight, look.weight);
  EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut) << "the font is not plain";
  EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
}

// ---- Plumbing ------------------------------------------------------------

std::wstring windows_path(std::string_view path) {
  std::wstring w = widen(path);
  std::replace(w.begin(), w.end(), L'/', L'\\');
  if (!w.empty() && w[0] == L'\\') w = L"Z:" + w;
  return w;
}

std::wstring widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring w(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
  return w;
}

std::string narrow(std::wstring_view wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string s(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), s.data(), n, nullptr, nullptr);
  return s;
}

// A copy in the run folder: the linker rewrites the built file in place, and
// under Wine a rebuild during a test would change the code of the running
// process under its feet.
std::wstring staged_copy(std::string_view file, const std::wstring& run_dir, const std::wstring& name) {
  std::wstring source = windows_path(file);
  std::wstring copy = run_dir + L"\\" + (name.empty() ? source.substr(source.find_last_of(L'\\') + 1) : name);
  return CopyFileW(source.c_str(), copy.c_str(), FALSE) ? copy : source;
}

std::wstring lower(std::wstring s) {
  for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::wstring> files_in(const std::wstring& folder) {
  std::vector<std::wstring> out;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return out;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) out.push_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return out;
}

std::optional<std::wstring> environment(const wchar_t* name) {
  std::wstring value(32768, L'\0');
  DWORD n = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
  if (n == 0 || n >= value.size()) return std::nullopt;
  value.resize(n);
  return value;
}

void set_environment(const wchar_t* name, const std::optional<std::wstring>& value) {
  SetEnvironmentVariableW(name, value ? value->c_str() : nullptr);
}

UserSettings::UserSettings(const std::vector<Setting>& settings) {
  for (const Setting& s : settings) {
    Saved& was = saved_.emplace_back(Saved{s.key, s.name, REG_NONE, {}});
    const DWORD any = RRF_RT_ANY | RRF_NOEXPAND;
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, s.key.c_str(), s.name, any, &was.type, nullptr, &size) != ERROR_SUCCESS)
      was.type = REG_NONE;
    was.data.resize(size);
    if (size) RegGetValueW(HKEY_CURRENT_USER, s.key.c_str(), s.name, any, nullptr, was.data.data(), &size);
    const auto* text = std::get_if<std::wstring>(&s.value);
    const void* data = text ? static_cast<const void*>(text->c_str()) : &std::get<DWORD>(s.value);
    const DWORD bytes = text ? static_cast<DWORD>((text->size() + 1) * sizeof(wchar_t)) : sizeof(DWORD);
    all_set_ &= RegSetKeyValueW(HKEY_CURRENT_USER, s.key.c_str(), s.name, text ? REG_SZ : REG_DWORD, data, bytes) ==
                ERROR_SUCCESS;
  }
}

UserSettings::~UserSettings() {
  for (const Saved& was : saved_)
    if (was.type == REG_NONE)
      RegDeleteKeyValueW(HKEY_CURRENT_USER, was.key.c_str(), was.name);
    else
      RegSetKeyValueW(HKEY_CURRENT_USER, was.key.c_str(), was.name, was.type, was.data.data(),
                      static_cast<DWORD>(was.data.size()));
}

bool wait_until(const std::function<bool()>& done, int timeout_ms, int poll_ms) {
  std::int64_t deadline = now_ms() + timeout_ms;
  for (;;) {
    if (done()) return true;
    if (now_ms() >= deadline) return done();
    Sleep(poll_ms);
  }
}

Image capture_screen() {
  Image img;
  img.width = GetSystemMetrics(SM_CXSCREEN);
  img.height = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), img.width, -img.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // 32-bit, top-down
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bmp && bits) {
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, img.width, img.height, screen, 0, 0, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    img.pixels.assign(p, p + static_cast<size_t>(img.width) * img.height);
    for (auto& px : img.pixels) px &= 0x00FFFFFF;
    SelectObject(mem, old);
  }
  if (bmp) DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return img;
}

namespace {
bool save_bmp(const Image& image, const std::wstring& path) {
  if (image.pixels.empty()) return false;
  // Top-down, as the pixels are.
  const BITMAPINFOHEADER ih{sizeof(BITMAPINFOHEADER), image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  const DWORD bytes = static_cast<DWORD>(image.pixels.size() * sizeof image.pixels[0]);
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof ih;
  const BITMAPFILEHEADER fh{0x4D42 /* "BM" */, offset + bytes, 0, 0, offset};
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, &fh, sizeof fh, &written, nullptr) && WriteFile(file, &ih, sizeof ih, &written, nullptr) &&
            WriteFile(file, image.pixels.data(), bytes, &written, nullptr);
  CloseHandle(file);
  return ok;
}
}  // namespace

size_t colours_on_screen(const RECT& area) {
  const Image shot = capture_screen();
  std::set<std::uint32_t> colours;
  for (int y = std::max(0L, area.top); y < std::min<LONG>(area.bottom, shot.height); y += 3)
    for (int x = std::max(0L, area.left); x < std::min<LONG>(area.right, shot.width); x += 3)
      colours.insert(shot.at(x, y));
  return colours.size();
}

// ---- Windows of another process -----------------------------------------

std::wstring class_of(HWND hwnd) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  return name;
}

std::wstring text_of(HWND hwnd) {
  if (!hwnd) return L"<no window>";
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kTextTimeoutMs, &length)) return L"<no answer>";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                           kTextTimeoutMs, &copied))
    return L"<no answer>";
  text.resize(std::min<size_t>(copied, length));
  return text;
}

RECT screen_rect(HWND hwnd) {
  RECT rc{};
  GetWindowRect(hwnd, &rc);
  return rc;
}

RECT rect_in_parent(HWND hwnd) {
  RECT rc = screen_rect(hwnd);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

POINT client_origin(HWND hwnd) {
  POINT p{0, 0};
  ClientToScreen(hwnd, &p);
  return p;
}

std::vector<HWND> top_level_windows_of(DWORD pid, const wchar_t* cls, bool visible_only) {
  std::vector<HWND> out;
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, cls, nullptr)) != nullptr;) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if ((!pid || owner == pid) && (!visible_only || IsWindowVisible(w))) out.push_back(w);
  }
  return out;
}

std::vector<HWND> children_of(HWND window) {
  std::vector<HWND> out;
  // A new child goes to the bottom of its siblings, so the z-order from the
  // top is the order of making (as long as none was moved since).
  for (HWND w = GetWindow(window, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) out.push_back(w);
  return out;
}

bool above(HWND upper, HWND lower) {
  for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
    if (w == lower) return true;
  return false;
}

int ping_ms(HWND hwnd, int timeout_ms) {
  std::int64_t t0 = now_ms();
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, timeout_ms, &result)) return -1;
  return static_cast<int>(now_ms() - t0);
}

// ---- Inside another process -------------------------------------------------

std::vector<Module> modules_of(HANDLE process) {
  std::vector<HMODULE> handles(512);
  DWORD bytes = 0;
  if (!K32EnumProcessModules(process, handles.data(), static_cast<DWORD>(handles.size() * sizeof(HMODULE)), &bytes))
    return {};
  handles.resize(std::min<size_t>(bytes / sizeof(HMODULE), handles.size()));
  std::vector<Module> out;
  for (HMODULE m : handles) {
    wchar_t path[MAX_PATH];
    DWORD n = K32GetModuleFileNameExW(process, m, path, MAX_PATH);
    if (n == 0) continue;
    out.push_back({reinterpret_cast<std::uintptr_t>(m), lower(std::wstring(path, n))});
  }
  return out;
}

std::uintptr_t module_base(HANDLE process, std::wstring_view name) {
  const std::wstring wanted = lower(L"\\" + std::wstring(name));
  for (const Module& m : modules_of(process))
    if (m.path.size() >= wanted.size() && m.path.compare(m.path.size() - wanted.size(), wanted.size(), wanted) == 0)
      return m.base;
  return 0;
}

namespace {

// Wine carries out VirtualAllocEx, CreateRemoteThread and VirtualFreeEx on
// another process inside that process, and waits for it there with no time
// limit. So `work` runs on a thread of its own, and if it has not ended
// within `timeout_ms`, `process` is ended, which is the one way to get that
// thread back, and the caller is told it failed.
bool bounded_by(HANDLE process, int timeout_ms, const std::function<bool()>& work) {
  struct Job {
    const std::function<bool()>& work;
    bool done = false;
  } job{work};
  auto run = [](void* p) WINAPI -> DWORD {
    auto* job = static_cast<Job*>(p);
    job->done = job->work();
    return 0;
  };
  HANDLE thread = CreateThread(nullptr, 0, run, &job, 0, nullptr);
  if (!thread) return false;
  const bool ended = WaitForSingleObject(thread, timeout_ms) == WAIT_OBJECT_0;
  if (!ended) {
    std::printf("[ desktop  ] process %lu did not carry out a call within %d ms; ending it\n",
                static_cast<unsigned long>(GetProcessId(process)), timeout_ms);
    TerminateProcess(process, 1);
    // `job` is on this stack: the thread must be gone before it is.
    WaitForSingleObject(thread, INFINITE);
  }
  CloseHandle(thread);
  return ended && job.done;
}

bool start_thread_in(HANDLE process, std::uintptr_t start, std::uintptr_t parameter) {
  HANDLE thread = CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(start),
                                     reinterpret_cast<void*>(parameter), 0, nullptr);
  if (!thread) return false;
  const bool ended = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0;
  CloseHandle(thread);
  return ended;
}

// A thread of `process` runs the function at `start` with `parameter`.
bool run_in(HANDLE process, std::uintptr_t start, std::uintptr_t parameter) {
  return bounded_by(process, 15000, [&] { return start_thread_in(process, start, parameter); });
}

template <class T>
std::optional<T> read_in(HANDLE process, std::uintptr_t address) {
  T value{};
  SIZE_T got = 0;
  if (!address || !ReadProcessMemory(process, reinterpret_cast<void*>(address), &value, sizeof value, &got) ||
      got != sizeof value)
    return std::nullopt;
  return value;
}

}  // namespace

bool load_library_in(HANDLE process, const std::wstring& name) {
  return bounded_by(process, 15000, [&] {
    const SIZE_T size = (name.size() + 1) * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote) return false;
    bool ran = false;
    const std::uintptr_t kernel32 = module_base(process, L"kernel32.dll");
    HMODULE local = GetModuleHandleW(L"kernel32.dll");
    auto load = reinterpret_cast<std::uintptr_t>(GetProcAddress(local, "LoadLibraryW"));
    if (WriteProcessMemory(process, remote, name.c_str(), size, nullptr) && kernel32 && load)
      ran = start_thread_in(process, kernel32 + (load - reinterpret_cast<std::uintptr_t>(local)),
                            reinterpret_cast<std::uintptr_t>(remote));
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return ran;
  });
}

// ---- Real input ------------------------------------------------------------

const char* name_of(Button b) { return kButtonFlags[static_cast<int>(b)].name; }

bool move_mouse(POINT p) {
  int w = GetSystemMetrics(SM_CXSCREEN);
  int h = GetSystemMetrics(SM_CYSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  // Normalised 0..65535; rounding up so both Windows and Wine land on p.
  in.mi.dx = static_cast<LONG>((static_cast<long long>(p.x) * 65536 + w - 1) / w);
  in.mi.dy = static_cast<LONG>((static_cast<long long>(p.y) * 65536 + h - 1) / h);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
  return wait_until(
      [&] {
        POINT at{};
        return GetCursorPos(&at) && at.x == p.x && at.y == p.y;
      },
      5000, 10);
}

void mouse_button(Button b, bool down) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = down ? kButtonFlags[static_cast<int>(b)].down : kButtonFlags[static_cast<int>(b)].up;
  SendInput(1, &in, sizeof in);
  if (down)
    g_pressed.insert(b);
  else
    g_pressed.erase(b);
}

::testing::AssertionResult point_at(HWND control) {
  RECT rc = screen_rect(control);
  POINT centre{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  HWND under = WindowFromPoint(centre);
  if (under != control) {
    return ::testing::AssertionFailure() << "the control \"" << narrow(text_of(control)) << "\" is not what is under ("
                                         << centre.x << "," << centre.y << "): found class \""
                                         << narrow(class_of(under)) << "\" text \"" << narrow(text_of(under)) << "\"";
  }
  if (!move_mouse(centre)) {
    POINT at{};
    GetCursorPos(&at);
    return ::testing::AssertionFailure() << "the mouse went to (" << at.x << "," << at.y << ") instead of (" << centre.x
                                         << "," << centre.y << ")";
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult click(HWND control) {
  if (auto there = point_at(control); !there) return there;
  mouse_button(Button::Left, true);
  Sleep(60);
  mouse_button(Button::Left, false);
  Sleep(60);
  return ::testing::AssertionSuccess();
}

void drag(Button b, POINT from, int dx, int dy) {
  move_mouse(from);
  mouse_button(b, true);
  Sleep(100);
  constexpr int kSteps = 4;
  for (int i = 1; i <= kSteps; ++i) {
    move_mouse(POINT{from.x + dx * i / kSteps, from.y + dy * i / kSteps});
    Sleep(25);
  }
  Sleep(100);
  mouse_button(b, false);
}

void type_text(std::wstring_view text) {
  for (wchar_t ch : text) {
    // A tab as the key itself, which moves the focus; the rest as characters.
    const bool tab = ch == L'\t';
    INPUT in[2]{};
    in[0].type = INPUT_KEYBOARD;
    in[0].ki.wVk = tab ? VK_TAB : 0;
    in[0].ki.wScan = tab ? 0 : ch;
    in[0].ki.dwFlags = tab ? 0 : KEYEVENTF_UNICODE;
    in[1] = in[0];
    in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);
    Sleep(15);
  }
}

namespace {
// Lets go of every button that a test left pressed.
void release_all_buttons() {
  std::set<Button> pressed = g_pressed;
  for (Button b : pressed) mouse_button(b, false);
}
}  // namespace

// ---- Processes -------------------------------------------------------------

bool Process::start(const std::wstring& exe, const std::wstring& args, HANDLE job) {
  kill();
  std::wstring cmd = quote(exe) + (args.empty() ? L"" : L" " + args);
  std::wstring dir = exe.substr(0, exe.find_last_of(L'\\'));
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  // Now and then Wine reports ERROR_INTERNAL_ERROR, the new process having
  // ended before it started (seen once, just after the same exe was ended
  // with TerminateProcess): that start is tried again, three times at most.
  for (int attempt = 1;; ++attempt) {
    started_ms_ = now_ms();
    if (CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, dir.c_str(), &si,
                       &pi))
      break;
    const DWORD error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR || attempt == 3) return false;
    std::printf("[ desktop  ] Wine could not start %s (error %lu), attempt %d\n", narrow(exe).c_str(), error, attempt);
  }
  if (job) AssignProcessToJobObject(job, pi.hProcess);
  ResumeThread(pi.hThread);
  CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  pid_ = pi.dwProcessId;
  return true;
}

void Process::kill() {
  if (!process_) return;
  if (running()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 10000);
  }
  CloseHandle(process_);
  process_ = nullptr;
  pid_ = 0;
}

bool Process::running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool Process::wait_exit(int timeout_ms) const {
  return process_ && WaitForSingleObject(process_, timeout_ms) == WAIT_OBJECT_0;
}

// ---- Fixture ---------------------------------------------------------------

std::string DesktopTest::test_name() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  // Parameterised tests have "/" in their names; a file name cannot.
  std::replace(name.begin(), name.end(), '/', '.');
  return name;
}

void DesktopTest::SetUp() {
  // A previous test's processes may still be on their way out.
  bool clear = wait_until(
      [] {
        return top_level_windows_of(0, room_frame_class().c_str(), false).empty() &&
               top_level_windows_of(0, tallow::kForm1Class, false).empty();
      },
      10000, 100);
  ASSERT_TRUE(clear) << "a practice room or idler from elsewhere is still running; "
                        "it would take this test's lines";

  job_ = CreateJobObjectW(nullptr, nullptr);
  if (job_) {
    // If this program dies, Windows (and Wine) ends the children with it.
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  }
  run_dir_ = windows_path(DESKTOP_RUNS_DIR) + L"\\" + widen(test_name());
  make_dirs(run_dir_);
  transcript_ = run_dir_ + L"\\transcript.txt";
  DeleteFileW(transcript_.c_str());
  release_all_buttons();
}

void DesktopTest::TearDown() {
  release_all_buttons();
  if (HasFailure()) {
    std::wstring shot = screenshot(test_name() + ".failed");
    std::printf("[ desktop  ] screenshot at failure: %s\n", narrow(shot).c_str());
    DWORD code = 0;
    if (idler_.handle() && GetExitCodeProcess(idler_.handle(), &code))
      std::printf("[ desktop  ] idler %s, exit code 0x%08lX\n", idler_.running() ? "still running" : "ended",
                  static_cast<unsigned long>(code));
    if (idler_window_ && IsWindow(idler_window_)) {
      RECT rc = screen_rect(idler_window_);
      std::printf("[ desktop  ] idler window at (%ld,%ld)-(%ld,%ld) visible=%d iconic=%d\n", rc.left, rc.top, rc.right,
                  rc.bottom, IsWindowVisible(idler_window_) ? 1 : 0, IsIconic(idler_window_) ? 1 : 0);
    }
    std::printf("[ desktop  ] transcript %s:\n", narrow(transcript_).c_str());
    for (const Record& r : parse_transcript(read_file(transcript_)))
      std::printf("    %lld\t%s\t%s\n", static_cast<long long>(r.ms), r.room.c_str(), printable(r.line).c_str());
  }
  idler_.kill();
  room_.kill();
  if (job_) {
    CloseHandle(job_);
    job_ = nullptr;
  }
}

void DesktopTest::start_room(const std::wstring& args) {
  std::wstring all = L"--transcript " + quote(transcript_) + L" --pos 0,0";
  if (!args.empty()) all += L" " + args;
  // A room started again appends to the same transcript: wait for its own READY.
  auto readies = [&] {
    const std::vector<Record> all = parse_transcript(read_file(transcript_));
    return std::count_if(all.begin(), all.end(), [](const Record& r) { return r.room == "-" && r.line == "READY"; });
  };
  const auto earlier = readies();
  // Copied once a test: a copy over an exe that has only just ended can
  // leave Wine a file it cannot start.
  if (staged_room_.empty()) staged_room_ = staged_copy(room_exe_, run_dir_);
  ASSERT_TRUE(room_.start(staged_room_, all, job_))
      << "cannot start " << room_exe_ << " (error " << GetLastError() << ")";
  bool ready = wait_until([&] { return readies() > earlier || !room_.running(); }, kStartTimeoutMs, 20);
  ASSERT_TRUE(ready && room_.running()) << "the practice room did not get ready";
  room_frame_ = find_top_level(room_.pid(), room_frame_class().c_str());
  ASSERT_NE(room_frame_, nullptr) << "the practice room has no \"" << chat_client_names::kFrameClass << "\" window";
  // Under a running idler, let the new room settle before anything clicks
  // the idler. Wine finishes showing a new window (X's map and focus events)
  // a little after READY; a press on the idler's Stop in that time was seen
  // to come to nothing, every time, on this machine. Settled: idle, and the
  // foreground unchanged for kSettleMs.
  if (idler_.running()) {
    WaitForInputIdle(room_.handle(), 5000);
    HWND seen = GetForegroundWindow();
    std::int64_t since = now_ms();
    wait_until(
        [&] {
          HWND now = GetForegroundWindow();
          if (now != seen) {
            seen = now;
            since = now_ms();
          }
          return now_ms() - since >= kSettleMs;
        },
        3000);
  }
}

void DesktopTest::start_idler(bool wait_loaded, int dpi) {
  // Wine reads the display scaling when a process starts: the idler gets
  // `dpi`, everything started before or after it keeps the prefix's own.
  std::optional<UserSettings> scaled;
  if (dpi) scaled.emplace(std::vector<UserSettings::Setting>{{L"Control Panel\\Desktop", L"LogPixels", DWORD(dpi)}});
  ASSERT_TRUE(!scaled || scaled->all_set()) << "cannot set the display scaling";
  if (staged_idler_.empty()) staged_idler_ = staged_copy(idler_exe_, run_dir_, L"TallowDivod.exe");
  ASSERT_TRUE(idler_.start(staged_idler_, L"", job_))
      << "cannot start " << idler_exe_ << " (error " << GetLastError() << ")";
  idler_window_ = wait_for([&] { return find_top_level(idler_.pid(), tallow::kForm1Class); },
                           [&](HWND w) { return (w && IsWindowVisible(w)) || !idler_.running(); }, kStartTimeoutMs);
  ASSERT_TRUE(idler_window_ && IsWindowVisible(idler_window_) && idler_.running())
      << "the idler's window \"" << narrow(tallow::kForm1Class) << "\" did not show";
  if (wait_loaded) {
    std::vector<Record> got = wait_lines(1);
    ASSERT_FALSE(got.empty()) << "the idler posted nothing after it started";
  }
}

HWND DesktopTest::mdi_client() const {
  return FindWindowExA(room_frame_, nullptr, chat_client_names::kMdiClientClass, nullptr);
}

HWND DesktopTest::room_child(const wchar_t* title) const {
  return FindWindowExW(mdi_client(), nullptr, widen(chat_client_names::kRoomClass).c_str(), title);
}

HWND DesktopTest::room_input(const wchar_t* title) const {
  return FindWindowExA(room_child(title), nullptr, chat_client_names::kInputClass, nullptr);
}

HWND DesktopTest::control(const char* name) const {
  const tallow::ControlRow* row = tallow::kForm1Declaration.Control(name);
  if (!row) return nullptr;
  HWND container = idler_window_;
  if (row->container) container = GetDlgItem(idler_window_, row->container);
  return GetDlgItem(container, row->id);
}

void DesktopTest::expect_idling(bool idling) const {
  const char* state = idling ? " while idling" : " while not idling";
  EXPECT_EQ(IsWindowEnabled(control("Command1")) == FALSE, idling) << "Start's enabled state is wrong" << state;
  EXPECT_EQ(IsWindowEnabled(control("Text1")) == FALSE, idling) << "the reason box's is wrong" << state;
  EXPECT_EQ(IsWindowEnabled(control("Command2")) != FALSE, idling) << "Stop's is wrong" << state;
}

std::vector<Record> DesktopTest::lines() const {
  std::vector<Record> out;
  for (Record& r : parse_transcript(read_file(transcript_)))
    if (r.room != "-") out.push_back(std::move(r));
  return out;
}

std::vector<Record> DesktopTest::wait_lines(size_t n, int timeout_ms) const {
  return wait_for([&] { return lines(); }, [&](const std::vector<Record>& got) { return got.size() >= n; }, timeout_ms);
}

void DesktopTest::expect_no_more_lines(size_t n, int quiet_ms) const {
  EXPECT_EQ(wait_lines(n + 1, quiet_ms).size(), n) << "unexpected extra lines were posted";
}

bool DesktopTest::idler_shows_its_picture() const {
  const POINT o = client_origin(idler());
  return colours_on_screen(RECT{o.x + 8, o.y + 24, o.x + 120, o.y + 190}) > 16;
}

std::vector<std::wstring> DesktopTest::other_windows() const {
  std::vector<std::wstring> out;
  for (HWND w : top_level_windows_of(idler_.pid()))
    if (w != idler()) out.push_back(class_of(w) + L" \"" + text_of(w) + L"\"");
  return out;
}

std::wstring DesktopTest::clock_text() const {
  return text_of(control("Label2")) + L" " + text_of(control("Label3")) + L" " + text_of(control("Label4"));
}

HWND DesktopTest::wait_window(const wchar_t* cls, int timeout_ms) const {
  HWND found = nullptr;
  wait_until([&] { return (found = find_top_level(idler_.pid(), cls, true)) != nullptr; }, timeout_ms);
  return found;
}

void DesktopTest::type_reason(const std::wstring& text, bool keyword) {
  HWND box = control("Text1");
  ASSERT_TRUE(click(box));
  SendMessageW(box, EM_SETSEL, 0, -1);
  type_text(text);
  if (keyword) return;
  ASSERT_TRUE(wait_until([&] { return text_of(box) == text; }, 5000))
      << "the reason box reads \"" << narrow(text_of(box)) << "\"";
}

void DesktopTest::set_reason(const std::wstring& text) {
  SendMessageW(control("Text1"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void DesktopTest::press_for(const char* button, const std::vector<std::string>& announcement, const char* what,
                            const std::string& room) {
  const size_t before = lines().size();
  ASSERT_TRUE(click(control(button)));
  // A reason of a megabyte takes its time to cross.
  std::vector<Record> got = wait_lines(before + announcement.size(), 30000);
  ASSERT_EQ(got.size(), before + announcement.size());
  expect_announcement(got, before, announcement, what, room);
}

void DesktopTest::start_idling(const std::string& reason_bytes, const std::string& room) {
  ASSERT_NO_FATAL_FAILURE(press_for("Command1", {lines::kStarted, lines::reason(reason_bytes)}, "Start", room));
  ASSERT_TRUE(wait_until([&] { return IsWindowEnabled(control("Command2")) != FALSE; }, 5000))
      << "Stop did not become available after Start";
  expect_idling();
}

void DesktopTest::stop_idling(const std::string& hours, const std::string& minutes, const std::string& room) {
  ASSERT_NO_FATAL_FAILURE(press_for("Command2", {lines::kStopped, lines::total(hours, minutes)}, "Stop", room));
  EXPECT_TRUE(wait_until([&] { return clock_text() == L"00 00 00"; }, 5000))
      << "the clock reads " << narrow(clock_text());
  // Stop gives the controls back after its last line, Stop itself last.
  EXPECT_TRUE(wait_until([&] { return !IsWindowEnabled(control("Command2")); }, 10000))
      << "Stop did not give the controls back";
  expect_idling(false);
}

::testing::AssertionResult DesktopTest::activate_room() const {
  HWND input = room_input(nullptr);
  if (!input) return ::testing::AssertionFailure() << "the room has no input";
  if (auto clicked = click(input); !clicked) return clicked;
  if (!wait_until([&] { return GetForegroundWindow() == room_frame(); }, 5000))
    return ::testing::AssertionFailure() << "clicking the room did not make it the active window";
  SetWindowPos(room_frame(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  return ::testing::AssertionSuccess();
}

DWORD DesktopTest::processes_started() const {
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION job{};
  if (!QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &job, sizeof job, nullptr)) return 0;
  return job.TotalProcesses;
}

::testing::AssertionResult DesktopTest::load_probe() {
  const std::wstring dll = staged_copy(DESKTOP_IDLER_PROBE_DLL, run_dir_);
  if (!load_library_in(idler_.handle(), dll) || !exported_in(idler_.handle(), dll, "label_drawn_with"))
    return ::testing::AssertionFailure() << "the probe did not load in the idler";
  probe_ = dll;
  return ::testing::AssertionSuccess();
}

std::uintptr_t DesktopTest::probe_symbol(const char* symbol) const {
  return probe_.empty() ? 0 : exported_in(idler_.handle(), probe_, symbol);
}

std::optional<LONG> DesktopTest::probe_long(const char* symbol) const {
  return read_in<LONG>(idler_.handle(), probe_symbol(symbol));
}

bool DesktopTest::set_probe_long(const char* symbol, LONG value) const {
  const std::uintptr_t address = probe_symbol(symbol);
  SIZE_T put = 0;
  return address && WriteProcessMemory(idler_.handle(), reinterpret_cast<void*>(address), &value, sizeof value, &put) &&
         put == sizeof value;
}

std::optional<DrawnWith> DesktopTest::drawn_with(HWND label) const {
  const std::uintptr_t describe = probe_symbol("describe_label");
  if (!describe || !run_in(idler_.handle(), describe, reinterpret_cast<std::uintptr_t>(label))) return std::nullopt;
  std::optional<DrawnWith> drawn = read_in<DrawnWith>(idler_.handle(), probe_symbol("label_drawn_with"));
  if (!drawn || !drawn->done) return std::nullopt;
  return drawn;
}

bool DesktopTest::move_to_dpi(HWND window, int from, int to) const {
  const std::uintptr_t send = probe_symbol("send_dpi_changed");
  return send && set_probe_long("dpi_change_from", from) && set_probe_long("dpi_change_to", to) &&
         run_in(idler_.handle(), send, reinterpret_cast<std::uintptr_t>(window));
}

std::wstring DesktopTest::screenshot(const std::string& name) const {
  std::wstring dir = windows_path(DESKTOP_SCREENSHOT_DIR);
  make_dirs(dir);
  std::wstring path = dir + L"\\" + widen(name) + L".bmp";
  save_bmp(capture_screen(), path);
  return path;
}

void place(HWND window, int x, int y) {
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  wait_until(
      [&] {
        RECT rc = screen_rect(window);
        return rc.left == x && rc.top == y;
      },
      3000);
}

}  // namespace desktop
