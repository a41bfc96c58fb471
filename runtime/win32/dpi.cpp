#include "runtime/win32/dpi.h"

#include "runtime/win32/proc_address.h"
#include "runtime/win32/system_dlls.h"

namespace tallow::win32 {
namespace {

// Newer than the headers of the oldest Windows each build is for, so typed
// here as Microsoft documents them.
using GetDpiForWindowFn = UINT WINAPI(HWND);                                      // 10 1607
using GetDpiForMonitorFn = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);           // 8.1, shcore
using AdjustWindowRectExForDpiFn = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);  // 10 1607
using EnableNonClientDpiScalingFn = BOOL WINAPI(HWND);                            // 10 1607
constexpr int kEffectiveDpi = 0;                                                  // MDT_EFFECTIVE_DPI

// The functions are looked up at every call, not kept: they are called only
// when a window opens or changes monitor, and a desktop test can then stand
// in for them.
HMODULE User32() { return GetModuleHandleW(L"user32.dll"); }
// Loaded only where user32 cannot tell: 8.1 and 10 before 1607.
HMODULE Shcore() {
  static HMODULE shcore = LoadSystemDll(L"shcore.dll");
  return shcore;
}

int Sane(UINT dpi) { return dpi >= 24 && dpi <= 24 * 96 ? static_cast<int>(dpi) : ScreenDpi(); }

int MonitorDpi(HMONITOR monitor) {
  auto getDpiForMonitor = ProcAddress<GetDpiForMonitorFn>(Shcore(), "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (!monitor || !getDpiForMonitor || FAILED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y))) return ScreenDpi();
  return Sane(y);
}

}  // namespace

int ScreenDpi() {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    const int value = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return value > 0 ? value : 96;
  }();
  return dpi;
}

int WindowDpi(HWND window) {
  if (auto getDpiForWindow = ProcAddress<GetDpiForWindowFn>(User32(), "GetDpiForWindow"))
    return Sane(getDpiForWindow(window));
  return MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

RECT FrameAround(RECT client, DWORD style, DWORD exStyle, int dpi) {
  auto adjustForDpi = ProcAddress<AdjustWindowRectExForDpiFn>(User32(), "AdjustWindowRectExForDpi");
  if (!adjustForDpi || !adjustForDpi(&client, style, FALSE, exStyle, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&client, style, FALSE, exStyle);
  return client;
}

void ScaleNonClientArea(HWND window) {
  if (auto enable = ProcAddress<EnableNonClientDpiScalingFn>(User32(), "EnableNonClientDpiScaling")) enable(window);
}

}  // namespace tallow::win32
