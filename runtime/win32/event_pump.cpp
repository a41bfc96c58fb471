#include "runtime/win32/event_pump.h"

#include <algorithm>
#include <cmath>

#include "runtime/win32/form_window.h"

namespace tallow::win32 {

PerformanceClock::PerformanceClock() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  frequency_ = static_cast<double>(frequency.QuadPart);
}

double PerformanceClock::Now() const {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / frequency_;
}

void MessagePump::PumpEvents(double maxWaitSeconds) {
  // Sleep until input arrives or the time is up, rounding up so that a pause
  // is never woken early just to spin once more.
  const double ms = std::ceil(std::max(0.0, maxWaitSeconds) * 1000.0);
  const DWORD timeout = ms >= 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(ms);
  if (timeout > 0) MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  MSG msg;
  while (!quit_ && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Kept, not lost: the main loop ends as soon as the pause returns.
      quit_ = true;
      exitCode_ = static_cast<int>(msg.wParam);
      break;
    }
    Dispatch(msg);
  }
}

int MessagePump::Run() {
  MSG msg;
  while (!quit_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      quit_ = true;
      exitCode_ = static_cast<int>(msg.wParam);
    } else if (got > 0) {
      Dispatch(msg);
    }
  }
  return exitCode_;
}

void MessagePump::Dispatch(MSG& msg) {
  // Tab and the arrow keys move between a form's controls.
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (root && FormWindow::IsForm(root) && IsDialogMessageW(root, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace tallow::win32
