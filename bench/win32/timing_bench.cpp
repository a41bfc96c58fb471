// Timing figures of the real pause, timers and posting, each printed as a
// row of the README's table (what | figure | reference in the same run):
//   timing_bench pause [count]     CPU of an Adv. announcement against a
//                                  busy-spinning pause; lateness of count
//                                  pauses of 0.7 s against as many Sleep(700)
//                                  (default 100)
//   timing_bench drift [minutes]   the idle clock's timer against a plain
//                                  1000 ms periodic timer (default 10)
//   timing_bench post <transcript> [count]
//                                  count posts through the real posting code
//                                  against as many bare ones (default 1000);
//                                  needs the practice room running with
//                                  --transcript <transcript>
// Posts go to the practice room when it is running, else nowhere.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "bridge/ansi_text.h"
#include "bridge/tallow_idler.h"
#include "bridge/win32/chat_client.h"
#include "bridge/win32/desktop_platform.h"
#include "idler/catalogue.h"
#include "runtime/application.h"
#include "runtime/declared_form.h"
#include "runtime/win32/event_pump.h"
#include "runtime/win32/form_window.h"
#include "transcript_escape.h"

using namespace tallow;

namespace {

// The pause as first written: each turn handles what is waiting and turns
// again at once, never sleeping.
class SpinningPump : public EventPump {
 public:
  void PumpEvents(double) override {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  void RequestQuit() override {}
  bool QuitRequested() const override { return false; }
};

double ThreadCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto seconds = [](FILETIME t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

// 1390 -> "1,390": the figures go into the README as they are printed.
std::string Grouped(double value, int decimals = 0) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string s = text;
  const size_t end = s.find('.') == std::string::npos ? s.size() : s.find('.');
  const size_t first = s[0] == '-' ? 1 : 0;
  for (size_t at = end; at > first + 3; at -= 3) s.insert(at - 3, ",");
  return s;
}

// Nearest rank: the smallest figure that at least q of them do not exceed.
double Percentile(const std::vector<double>& sorted, double q) {
  const size_t rank = static_cast<size_t>(std::ceil(q * static_cast<double>(sorted.size())));
  return sorted[rank > 0 ? rank - 1 : 0];
}

// A hidden window with the keyword watcher's 500 ms timer, so that the
// pauses have the same events to handle as in the idler.
HWND MakeBusyWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TallowBench";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowW(L"TallowBench", L"", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
  SetTimer(hwnd, 1, 500, nullptr);
  return hwnd;
}

// Whether the process's environment names our Wine prefix: another prefix's
// server, busy with someone else's programs, must not count as ours. True
// when we cannot tell which prefix is ours.
bool ServesOurPrefix(const std::wstring& dir) {
  char ours[1024];
  const DWORD length = GetEnvironmentVariableA("WINEPREFIX", ours, sizeof ours);
  if (length == 0 || length >= sizeof ours) return true;
  const std::string wanted = std::string("WINEPREFIX=") + ours;
  std::string environment;
  if (FILE* f = _wfopen((dir + L"\\environ").c_str(), L"rb")) {
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, f)) > 0;) environment.append(buffer, got);
    std::fclose(f);
  }
  for (size_t at = 0; at < environment.size();) {
    const size_t end = std::min(environment.find('\0', at), environment.size());
    if (environment.compare(at, end - at, wanted) == 0) return true;
    at = end + 1;
  }
  return false;
}

// CPU seconds of our Wine server, read from Linux's /proc when running under
// Wine: a spinning message loop spends much of its time there, on our
// behalf, outside our own thread. -1 elsewhere.
double WineServerCpuSeconds() {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &entry);
  if (find == INVALID_HANDLE_VALUE) return -1;
  double total = -1;
  do {
    if (entry.cFileName[0] < L'0' || entry.cFileName[0] > L'9') continue;
    const std::wstring dir = std::wstring(L"Z:\\proc\\") + entry.cFileName;
    char comm[64] = {};
    if (FILE* f = _wfopen((dir + L"\\comm").c_str(), L"r")) {
      if (!std::fgets(comm, sizeof comm, f)) comm[0] = 0;
      std::fclose(f);
    }
    if (std::strncmp(comm, "wineserver", 10) != 0 || !ServesOurPrefix(dir)) continue;
    if (FILE* f = _wfopen((dir + L"\\stat").c_str(), L"r")) {
      char line[1024] = {};
      if (std::fgets(line, sizeof line, f)) {
        // Fields after the command's closing parenthesis; utime and stime are the 12th and 13th.
        const char* p = std::strrchr(line, ')');
        unsigned long long utime = 0, stime = 0;
        if (p && std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime, &stime) == 2)
          total = (total < 0 ? 0 : total) + static_cast<double>(utime + stime) / 100.0;
      }
      std::fclose(f);
    }
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return total;
}

struct Cost {
  double thread = 0, server = 0, wall = 0;
};

// Five Adv. announcements: three lines, two pauses of 0.7 s each.
Cost Adverts(Tallow_Idler& module, const Clock& clock) {
  const double thread = ThreadCpuSeconds(), server = WineServerCpuSeconds(), start = clock.Now();
  for (int i = 0; i < 5; ++i) {
    module.PostChatLine(LineBanner);
    module.WaitSeconds(0.7);
    module.PostChatLine(LineCredit);
    module.WaitSeconds(0.7);
    module.PostChatLine(LineTeam);
  }
  return {(ThreadCpuSeconds() - thread) / 5, (WineServerCpuSeconds() - server) / 5, (clock.Now() - start) / 5};
}

int Pause(int count) {
  MakeBusyWindow();
  win32::DesktopPlatform desktop;
  const Clock& clock = desktop.clock;
  Tallow_Idler module(desktop.platform());
  // A second module on the same platform but for the spinning pump.
  SpinningPump spinning;
  Tallow_Idler spinningModule(Platform{desktop.clock, spinning, desktop.chat, desktop.windows, desktop.shell});

  const Cost pause = Adverts(module, clock);
  const Cost spin = Adverts(spinningModule, clock);
  const double ours = pause.thread + std::max(0.0, pause.server), spun = spin.thread + std::max(0.0, spin.server);
  std::printf(
      "| CPU of one Adv. announcement (two 0.7 s pauses), thread + Wine server, mean of 5 | %s ms (thread %.1f + "
      "server %.1f) in %.3f s | busy-spinning pause: %s ms (thread %s + server %s) in %.3f s; ratio %.1f%% |\n",
      Grouped(ours * 1e3).c_str(), pause.thread * 1e3, pause.server * 1e3, pause.wall, Grouped(spun * 1e3).c_str(),
      Grouped(spin.thread * 1e3).c_str(), Grouped(spin.server * 1e3).c_str(), spin.wall,
      spun > 0 ? 100 * ours / spun : 0.0);

  // Taken in turns, so both see the same machine at the same time.
  std::vector<double> late, slept;
  for (int i = 0; i < count; ++i) {
    double start = clock.Now();
    module.WaitSeconds(0.7);
    late.push_back((clock.Now() - start - 0.7) * 1e3);
    start = clock.Now();
    Sleep(700);
    slept.push_back((clock.Now() - start - 0.7) * 1e3);
  }
  std::sort(late.begin(), late.end());
  std::sort(slept.begin(), slept.end());
  std::printf(
      "| lateness of `WaitSeconds(0.7)`, %d pauses | median %.2f ms, max %.2f ms | plain `Sleep(700)`, %d "
      "times in turn with them: median %.2f ms, max %.2f ms |\n",
      count, Percentile(late, 0.5), late.back(), count, Percentile(slept, 0.5), slept.back());
  return 0;
}

// The idle clock's timer as the idler has it, a one-second timer of a
// declared window, with a report's two pauses at every 60th tick.
struct IdleClockTimer {
  Tallow_Idler& module;
  TimerDriver* timer = nullptr;
  void Tick() {
    if (timer->TicksDelivered() % 60 != 0) return;
    module.PostChatLine(LineBanner);
    module.WaitSeconds(0.7);
    module.PostChatLine(LineReason(L"bench"));
    module.WaitSeconds(0.7);
    module.PostChatLine(LineIdleFor(L"00", L"1"));
  }
};
constexpr TimerRow kIdleClockTimers[] = {{.name = "Timer1",
                                          .intervalSeconds = 1.0,
                                          .delivery = TimerDriver::Delivery::kEveryTick,
                                          .onAtLoad = true,
                                          .tick = On<&IdleClockTimer::Tick>}};
constexpr FormDeclaration kIdleClockForm{.windowClass = L"TallowBench.IdleClock",
                                         .caption = L"idle clock",
                                         .border = Border::kFixedSingle,
                                         .width = 1500,
                                         .height = 1500,
                                         .background = Rgb(255, 255, 255),
                                         .placement = Placement::kCentred,
                                         .timers = kIdleClockTimers};

int Drift(double minutes) {
  win32::DesktopPlatform desktop;
  // The timers' clock, as the idler gives it to its windows.
  const Clock& clock = desktop.clock.Awake();
  Tallow_Idler module(desktop.platform());
  HWND hwnd = MakeBusyWindow();

  // Against a plain periodic timer that counts its WM_TIMER messages.
  long plainTicks = 0;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&plainTicks));
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                      if (m == WM_TIMER && w == 8) ++*reinterpret_cast<long*>(GetWindowLongPtrW(h, GWLP_USERDATA));
                      return DefWindowProcW(h, m, w, l);
                    }));
  Application application(desktop.pump);
  win32::FormWindows windows(clock);
  DeclaredForm form(kIdleClockForm, application, clock, windows);
  IdleClockTimer idle{module, &form.TimerAt(0)};
  form.Bind<kIdleClockForm>(idle);
  const double start = clock.Now();
  form.Show();  // its timer is on from the load
  SetTimer(hwnd, 8, 1000, nullptr);
  while (clock.Now() - start < minutes * 60 + 0.5) desktop.pump.PumpEvents(0.25);
  const double elapsed = clock.Now() - start;
  const std::uint64_t ticks = idle.timer->TicksDelivered();
  const double idleDrift = std::floor(elapsed) - static_cast<double>(ticks);
  const double plainDrift = std::floor(elapsed) - static_cast<double>(plainTicks);
  std::printf(
      "| idle clock drift, %g real minutes under Wine, a report every minute | %.0f s (%llu ticks in %.1f s) | "
      "plain 1000 ms `SetTimer` timer: %.0f s (%ld ticks) |\n",
      minutes, idleDrift, static_cast<unsigned long long>(ticks), elapsed, plainDrift, plainTicks);
  return 0;
}

std::string ReadFrom(const std::wstring& path, LONGLONG offset) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  LARGE_INTEGER at;
  at.QuadPart = offset;
  SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
  std::string text;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(file);
  return text;
}

LONGLONG FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string Spread(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  char text[128];
  std::snprintf(text, sizeof text, "median %.3f ms, p90 %.3f ms, max %.3f ms", Percentile(ms, 0.5), Percentile(ms, 0.9),
                ms.back());
  return text;
}

// Posts through ChatWindows::PostLine, which finds the room's input afresh
// and sends with timeouts, against bare posts: SendMessageA to the input
// found once, no timeouts. Taken in turns, the first of each pair
// alternating, so the room's growing history weighs on both alike.
int Post(const std::wstring& transcript, int count) {
  HWND input = reinterpret_cast<HWND>(win32::FindChatInput());
  if (!input || count < 1) {
    std::printf("| one post into the practice room | not measured: no practice room running | |\n");
    return 1;
  }
  win32::PerformanceClock clock;
  win32::ChatWindows chat;
  const LONGLONG offset = FileSize(transcript);

  // Lines as the idler writes them (markup, Windows-1252 bytes above 0x7F),
  // each one different so that a lost or repeated line shows.
  auto line = [](int i, const wchar_t* kind) {
    wchar_t reason[32];
    std::swprintf(reason, 32, L"bench %04d %ls", i, kind);
    return ToWindows1252(LineReason(reason));
  };
  std::vector<std::string> sent;  // in the order posted
  std::vector<bool> sentBare;
  // The floor under any post, first, while the room has nothing else to do:
  // one message to it and back.
  std::vector<double> real, bare, ping;
  for (int i = 0; i < count; ++i) {
    const double start = clock.Now();
    SendMessageA(input, WM_NULL, 0, 0);
    ping.push_back((clock.Now() - start) * 1e3);
  }
  for (int i = 0; i < count; ++i) {
    const std::string ours = line(i, L"real"), bareLine = line(i, L"bare");
    for (int turn = 0; turn < 2; ++turn) {
      const bool bareTurn = (turn == 0) == (i % 2 == 1);
      const double start = clock.Now();
      if (bareTurn) {
        SendMessageA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bareLine.c_str()));
        SendMessageA(input, WM_CHAR, 13, 0);
      } else {
        chat.PostLine(ours);
      }
      (bareTurn ? bare : real).push_back((clock.Now() - start) * 1e3);
      sent.push_back(bareTurn ? bareLine : ours);
      sentBare.push_back(bareTurn);
    }
  }

  // Every record written since we began, in order: "<ms>\t<room>\t<line>".
  const std::string text = ReadFrom(transcript, offset);
  std::vector<std::string> received;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) break;  // still being written
    const std::string record = text.substr(at, end - at);
    at = end + 1;
    const size_t tab = record.find('\t'), tab2 = tab == std::string::npos ? tab : record.find('\t', tab + 1);
    if (tab2 != std::string::npos) received.push_back(record.substr(tab2 + 1));
  }
  // Compared as bytes, so a byte the room wrote down wrongly cannot pass
  // for one that arrived as it was sent.
  int exactReal = 0, exactBare = 0;
  for (size_t i = 0; i < sent.size() && i < received.size(); ++i)
    if (practice::unescape_line(received[i]) == sent[i]) ++(sentBare[i] ? exactBare : exactReal);
  std::string arrived = Grouped(exactReal) + " of " + Grouped(count) + " arrived exact";
  if (received.size() != sent.size())
    arrived += ", " + Grouped(static_cast<double>(received.size())) + " records for " +
               Grouped(static_cast<double>(sent.size())) + " posts";

  std::sort(real.begin(), real.end());
  std::sort(bare.begin(), bare.end());
  std::sort(ping.begin(), ping.end());
  const double ratio = Percentile(real, 0.5) / Percentile(bare, 0.5);
  std::printf(
      "| one post into the practice room, `ChatWindows::PostLine` (window search, `SendMessageTimeoutA`), "
      "%s posts | %s; %s in the transcript | bare post (`SendMessageA` `WM_SETTEXT` + `WM_CHAR` 13 to the "
      "input found once), as many in turn: %s; %s of %s exact; PostLine / bare %.2f\u00D7, %+.3f ms "
      "(medians). `WM_NULL` to the idle room's input and back, %s times before: median %.3f ms |\n",
      Grouped(count).c_str(), Spread(real).c_str(), arrived.c_str(), Spread(bare).c_str(), Grouped(exactBare).c_str(),
      Grouped(count).c_str(), ratio, Percentile(real, 0.5) - Percentile(bare, 0.5), Grouped(count).c_str(),
      Percentile(ping, 0.5));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring what = argc > 1 ? argv[1] : L"pause";
  if (what == L"pause") return Pause(argc > 2 ? _wtoi(argv[2]) : 100);
  if (what == L"drift") return Drift(argc > 2 ? _wtof(argv[2]) : 10);
  if (what == L"post" && argc > 2) return Post(argv[2], argc > 3 ? _wtoi(argv[3]) : 1000);
  std::fprintf(stderr, "usage: timing_bench pause [count] | drift [minutes] | post <transcript> [count]\n");
  return 2;
}
