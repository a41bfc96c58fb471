// Timing figures of the real pause and timers under the real message pump:
//   timing_bench pause [count]     CPU of an Adv. announcement against a
//                                  busy-spinning pause; lateness of count
//                                  pauses of 0.7 s (default 100)
//   timing_bench drift [minutes]   the idle clock's timer against a plain
//                                  1000 ms periodic timer (default 10)
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

#include "bridge/tallow_idler.h"
#include "bridge/win32/chat_client.h"
#include "bridge/win32/shell.h"
#include "idler/catalogue.h"
#include "runtime/win32/event_pump.h"
#include "runtime/win32/timers.h"

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

// CPU seconds of the Wine server, read from Linux's /proc when running under
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
    if (std::strncmp(comm, "wineserver", 10) != 0) continue;
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
Cost Adverts(Tallow_Idler& module, const win32::PerformanceClock& clock) {
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
  win32::PerformanceClock clock;
  win32::MessagePump pump;
  SpinningPump spinning;
  win32::ChatWindows chat;
  win32::DesktopWindows windows;
  win32::SystemShell shell;
  Tallow_Idler module(Platform{clock, pump, chat, windows, shell});
  Tallow_Idler spinningModule(Platform{clock, spinning, chat, windows, shell});

  const Cost pause = Adverts(module, clock);
  const Cost spin = Adverts(spinningModule, clock);
  const double ours = pause.thread + std::max(0.0, pause.server), spun = spin.thread + std::max(0.0, spin.server);
  std::printf("pause CPU per Adv. announcement (two 0.7 s pauses, mean of 5): %.1f ms (thread %.1f + Wine server "
              "%.1f) in %.3f s; busy-spin pause: %.1f ms (thread %.1f + Wine server %.1f) in %.3f s; ratio %.2f%%\n",
              ours * 1e3, pause.thread * 1e3, pause.server * 1e3, pause.wall, spun * 1e3, spin.thread * 1e3,
              spin.server * 1e3, spin.wall, spun > 0 ? 100 * ours / spun : 0.0);

  std::vector<double> late;
  for (int i = 0; i < count; ++i) {
    const double start = clock.Now();
    module.WaitSeconds(0.7);
    late.push_back((clock.Now() - start - 0.7) * 1e3);
  }
  std::sort(late.begin(), late.end());
  std::printf("pause lateness, %d pauses of 0.7 s: median %.2f ms, max %.2f ms, min %.2f ms\n", count,
              late[late.size() / 2], late.back(), late.front());
  return 0;
}

int Drift(double minutes) {
  win32::PerformanceClock clock;
  win32::MessagePump pump;
  win32::ChatWindows chat;
  win32::DesktopWindows windows;
  win32::SystemShell shell;
  Tallow_Idler module(Platform{clock, pump, chat, windows, shell});
  HWND hwnd = MakeBusyWindow();

  // The idle clock's timer, with a report's two pauses at every 60th tick,
  // against a plain periodic timer that counts its WM_TIMER messages.
  long plainTicks = 0;
  win32::FormTimer idleTimer(clock, 7, 1.0, TimerDriver::Delivery::kEveryTick, [&] {
    if (idleTimer.TicksDelivered() % 60 == 0) {
      module.PostChatLine(LineBanner);
      module.WaitSeconds(0.7);
      module.PostChatLine(LineReason(L"bench"));
      module.WaitSeconds(0.7);
      module.PostChatLine(LineIdleFor(L"00", L"1"));
    }
  });
  idleTimer.Attach(hwnd);
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    auto* handler = reinterpret_cast<std::function<void(WPARAM)>*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (m == WM_TIMER && handler) (*handler)(w);
    return DefWindowProcW(h, m, w, l);
  }));
  std::function<void(WPARAM)> onTimer = [&](WPARAM id) {
    if (id == 7) idleTimer.Service();
    if (id == 8) ++plainTicks;
  };
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&onTimer));
  const double start = clock.Now();
  idleTimer.SetEnabled(true);
  SetTimer(hwnd, 8, 1000, nullptr);
  while (clock.Now() - start < minutes * 60 + 0.5) pump.PumpEvents(0.25);
  const double elapsed = clock.Now() - start;
  std::printf("clock drift, %.0f real minutes with a report every minute: elapsed %.3f s; idle clock %llu ticks "
              "(drift %.0f s); plain 1000 ms timer %ld ticks (drift %.0f s)\n",
              minutes, elapsed, static_cast<unsigned long long>(idleTimer.TicksDelivered()),
              std::floor(elapsed) - static_cast<double>(idleTimer.TicksDelivered()), plainTicks,
              std::floor(elapsed) - static_cast<double>(plainTicks));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring what = argc > 1 ? argv[1] : L"pause";
  if (what == L"pause") return Pause(argc > 2 ? _wtoi(argv[2]) : 100);
  if (what == L"drift") return Drift(argc > 2 ? _wtof(argv[2]) : 10);
  std::fprintf(stderr, "usage: timing_bench pause [count] | drift [minutes]\n");
  return 2;
}
