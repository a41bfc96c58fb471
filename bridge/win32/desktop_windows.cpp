#include "bridge/win32/desktop_windows.h"

#include <windows.h>

namespace tallow::win32 {

void DesktopWindows::MakeTopmost(WindowHandle window) {
  SetWindowPos(reinterpret_cast<HWND>(window), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void DesktopWindows::BeginMove(WindowHandle window) {
  ReleaseCapture();
  SendMessageA(reinterpret_cast<HWND>(window), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

}  // namespace tallow::win32
