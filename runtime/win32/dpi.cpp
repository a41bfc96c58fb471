#include "runtime/win32/dpi.h"

#include <windows.h>

namespace tallow::win32 {

int ScreenDpi() {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    const int value = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return value > 0 ? value : 96;
  }();
  return dpi;
}

int Twips(int twips) { return MulDiv(twips, ScreenDpi(), 1440); }

}  // namespace tallow::win32
