// Peak working set of the idler through a short session beside the practice
// room, against the plain window program's and the themed one's:
//   memory_bench <TallowDivod.exe> <plain_window.exe> <themed_window.exe> <transcript>
// The session: load, Start, a few seconds idling, Adv., About (opened, then
// closed), Exit; each step waits for its lines in the room's transcript, so
// a press that went astray shows instead of a figure. Each reference window
// stays up as long as the session took. Prints a row of the README's table.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "idler/form1_declaration.h"
#include "windows/form2_declaration.h"

namespace {

// "/a/b" -> "Z:\a\b": Wine shows the Unix root as drive Z:.
std::wstring WindowsPath(std::wstring path) {
  if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

size_t Records(const std::wstring& transcript) {
  HANDLE file = CreateFileW(transcript.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  size_t lines = 0;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
    lines += std::count(buffer, buffer + got, '\n');
  CloseHandle(file);
  return lines;
}

// The process's top-level window of `windowClass`, or 0.
HWND WindowOf(DWORD pid, const wchar_t* windowClass) {
  for (HWND w = FindWindowExW(nullptr, nullptr, windowClass, nullptr); w;
       w = FindWindowExW(nullptr, w, windowClass, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid) return w;
  }
  return nullptr;
}

// A running process, its peak working set read at every turn of every wait:
// the figure may be gone once the process has ended.
class Watched {
 public:
  explicit Watched(const std::wstring& exe) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_)) {
      CloseHandle(info_.hThread);
      started_ = GetTickCount();
    }
  }
  ~Watched() {
    if (!info_.hProcess) return;
    if (Running()) TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hProcess);
  }
  bool Started() const { return info_.hProcess != nullptr; }
  DWORD Pid() const { return info_.dwProcessId; }
  bool Running() const { return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
  double Seconds() const { return static_cast<double>(GetTickCount() - started_) / 1000; }

  void Sample() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (info_.hProcess && GetProcessMemoryInfo(info_.hProcess, &counters, sizeof counters) &&
        counters.PeakWorkingSetSize > 0) {
      peak_ = std::max(peak_, counters.PeakWorkingSetSize);
      ++reads_;
    }
  }
  // Polls `done` until it holds or `timeoutMs` passes, sampling meanwhile.
  bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount() + timeoutMs;
    for (;;) {
      Sample();
      if (done()) return true;
      if (GetTickCount() >= end) return false;
      Sleep(10);
    }
  }
  void Idle(DWORD ms) {
    WaitFor([] { return false; }, ms);
  }
  bool WaitExit(DWORD timeoutMs) {
    return WaitFor([this] { return !Running(); }, timeoutMs);
  }
  SIZE_T Peak() const { return peak_; }
  int Reads() const { return reads_; }

 private:
  PROCESS_INFORMATION info_{};
  ULONGLONG started_ = 0;
  SIZE_T peak_ = 0;
  int reads_ = 0;
};

// Presses the button of that name in the main window's declaration.
void Press(HWND form, const char* button) {
  PostMessageW(GetDlgItem(form, tallow::kForm1Declaration.Control(button)->id), BM_CLICK, 0, 0);
}

// Runs the session; nullptr when it went as planned, else the step that did not.
const char* IdlerSession(Watched& idler, const std::wstring& transcript, size_t before) {
  auto posted = [&](size_t n) { return [&, n] { return Records(transcript) >= before + n; }; };
  HWND form = nullptr;
  if (!idler.WaitFor([&] { return (form = WindowOf(idler.Pid(), tallow::kForm1Class)) != nullptr; }, 20000))
    return "main window";
  if (!idler.WaitFor(posted(1), 10000)) return "load";
  Press(form, "Command1");
  if (!idler.WaitFor(posted(3), 10000)) return "Start";
  idler.Idle(3000);
  Press(form, "Command3");
  if (!idler.WaitFor(posted(6), 10000)) return "Adv.";
  Press(form, "Command5");
  HWND about = nullptr;
  if (!idler.WaitFor([&] { return (about = WindowOf(idler.Pid(), tallow::kForm2Class)) != nullptr; }, 10000))
    return "About";
  idler.Idle(1000);
  PostMessageW(about, WM_CLOSE, 0, 0);
  if (!idler.WaitFor([&] { return !IsWindow(about); }, 10000)) return "closing About";
  Press(form, "Command4");
  if (!idler.WaitFor(posted(8), 10000)) return "Exit";
  if (!idler.WaitExit(10000)) return "the process's end";
  return nullptr;
}

std::string Megabytes(SIZE_T bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
  return text;
}

// A reference window program, up for `seconds` and then closed.
struct Reference {
  SIZE_T peak = 0;
  bool ran = false;
};
Reference RunReference(const std::wstring& exe, double seconds) {
  Reference result;
  Watched plain(exe);
  HWND window = nullptr;
  if (plain.Started() &&
      plain.WaitFor([&] { return (window = WindowOf(plain.Pid(), L"TallowBench.PlainWindow")) != nullptr; }, 20000)) {
    plain.Idle(static_cast<DWORD>(std::max(0.0, seconds - plain.Seconds()) * 1000));
    PostMessageW(window, WM_CLOSE, 0, 0);
    result.ran = plain.WaitExit(10000);
  }
  plain.Sample();
  result.peak = plain.Peak();
  return result;
}

// "18.2 MB; ratio 1.2×, the idler 4.0 MB more"
std::string Against(const Reference& reference, SIZE_T idlerPeak) {
  if (!reference.peak) return "not read";
  char ratio[32];
  std::snprintf(ratio, sizeof ratio, "%.1f", static_cast<double>(idlerPeak) / static_cast<double>(reference.peak));
  const bool more = idlerPeak >= reference.peak;
  return Megabytes(reference.peak) + (reference.ran ? "" : " (did not close)") + "; ratio " + ratio +
         "\u00D7, the idler " + Megabytes(more ? idlerPeak - reference.peak : reference.peak - idlerPeak) +
         (more ? " more" : " less");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: memory_bench <TallowDivod.exe> <plain_window.exe> <themed_window.exe> <transcript>\n");
    return 2;
  }
  const std::wstring transcript = WindowsPath(argv[4]);

  double session = 0;
  const char* failed = nullptr;
  SIZE_T idlerPeak = 0;
  {
    const size_t before = Records(transcript);
    Watched idler(WindowsPath(argv[1]));
    failed = idler.Started() ? IdlerSession(idler, transcript, before) : "starting the idler";
    session = idler.Seconds();
    idler.Sample();
    idlerPeak = idler.Peak();
  }
  const Reference plain = RunReference(WindowsPath(argv[2]), session);
  const Reference themed = RunReference(WindowsPath(argv[3]), session);

  std::printf(
      "| peak working set of the idler through a session of %.1f s beside the practice room (load, Start, 3 s idling, "
      "Adv., About, Exit) | %s%s%s | plain window program, up as long: %s. Themed window program (the idler's "
      "manifest, `InitCommonControlsEx`, one push button), up as long: %s |\n",
      session, idlerPeak ? Megabytes(idlerPeak).c_str() : "not read", failed ? "; the session stopped at: " : "",
      failed ? failed : "", Against(plain, idlerPeak).c_str(), Against(themed, idlerPeak).c_str());
  return !failed && plain.ran && themed.ran ? 0 : 1;
}
