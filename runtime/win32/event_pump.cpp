#include "runtime/win32/event_pump.h"

#include <algorithm>
#include <cmath>

#include "runtime/win32/base_window.h"

namespace tallow::win32 {

namespace {

// Every kind of input XP knows. Windows before 8 refuses the whole wait when
// the mask has a bit it does not know (QS_TOUCH and QS_POINTER, which newer
// headers put into QS_ALLINPUT), so the mask is spelled out.
constexpr UINT kWakeMask = QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_TIMER | QS_PAINT |
                           QS_SENDMESSAGE | QS_HOTKEY | QS_RAWINPUT;
static_assert(kWakeMask == 0x04FF, "the wake mask must hold only flags that Windows XP knows");

// If a wait is refused all the same, the pause sleeps in slices this long
// rather than spinning; input then waits at most this long for an answer.
constexpr DWORD kRefusedWaitSliceMs = 15;

}  // namespace

void MessagePump::PumpEvents(double maxWaitSeconds) {
  // Sleep until input arrives or the time is up, rounding up so that a pause
  // is never woken early just to spin once more.
  const double ms = std::ceil(std::max(0.0, maxWaitSeconds) * 1000.0);
  const DWORD timeout = ms >= 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(ms);
  if (timeout > 0 && MsgWaitForMultipleObjectsEx(0, nullptr, timeout, kWakeMask, MWMO_INPUTAVAILABLE) == WAIT_FAILED)
    Sleep(std::min(timeout, kRefusedWaitSliceMs));
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
  if (root && BaseWindow::Owns(root) && IsDialogMessageW(root, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace tallow::win32
