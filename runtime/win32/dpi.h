#pragma once

#include <windows.h>

namespace tallow::win32 {

// The display scaling windows are laid out at. Windows XP to 7 have one for
// the whole screen, the system DPI; from 8.1 each monitor has its own, and
// a window of a per-monitor aware program follows the monitor it is on. The
// functions that tell are looked up at run time, so the exe still starts on
// Windows that lack them and reads the system DPI there.

// The screen's DPI, read once (96 at 100% display scaling).
int ScreenDpi();
// The DPI of the monitor `window` is on: GetDpiForWindow (10 1607 and
// later), else GetDpiForMonitor (8.1, whose shcore.dll is loaded then), else
// the screen's.
int WindowDpi(HWND window);
// Pixels for twips at `dpi` (15 twips a pixel at 96 DPI).
inline int Twips(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }
// The window rectangle around the client area `client`, its title bar and
// borders as Windows draws them at `dpi`.
RECT FrameAround(RECT client, DWORD style, DWORD exStyle, int dpi);
// On Windows 10 1607, where per-monitor windows of the first version do not
// scale their title bars by themselves: asks for it, from WM_NCCREATE.
void ScaleNonClientArea(HWND window);

}  // namespace tallow::win32
