#include "runtime/win32/app.h"

#include <commctrl.h>

#include <cmath>

namespace tallow::win32 {
namespace {
int g_openWindows = 0;

int ScreenDpi() {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    const int value = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return value > 0 ? value : 96;
  }();
  return dpi;
}
int CALLBACK MarkFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

bool FontInstalled(const wchar_t* face) {
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &query, MarkFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}
}  // namespace

void WindowOpened() { ++g_openWindows; }

void WindowClosed() {
  if (--g_openWindows == 0) PostQuitMessage(0);
}

int Twips(int twips) { return MulDiv(twips, ScreenDpi(), 1440); }

HFONT MakeFont(std::initializer_list<const wchar_t*> faces, double points, int weight) {
  const wchar_t* face = *faces.begin();
  for (const wchar_t* candidate : faces)
    if (FontInstalled(candidate)) {
      face = candidate;
      break;
    }
  LOGFONTW font{};
  font.lfHeight = -static_cast<LONG>(std::lround(points * ScreenDpi() / 72.0));
  font.lfWeight = weight;
  font.lfCharSet = ANSI_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

void RegisterCommonControls() {
  // Windows XP registers no class of comctl32 version 6 by itself: without
  // this its buttons, labels and edit boxes are never created. Loaded by
  // name, not by path, so that the manifest's activation context chooses
  // version 6 from the side-by-side store; looked up, like every function
  // of a DLL the exe does not import.
  using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  HMODULE comctl = LoadLibraryW(L"comctl32.dll");
  auto init = comctl ? reinterpret_cast<InitFn>(reinterpret_cast<void*>(GetProcAddress(comctl, "InitCommonControlsEx")))
                     : nullptr;
  if (!init) return;
  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof classes;
  classes.dwICC = ICC_STANDARD_CLASSES;
  init(&classes);
}

}  // namespace tallow::win32
