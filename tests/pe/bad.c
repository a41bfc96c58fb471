/* Exes the PE gate must refuse, one fault each, built with the idler's own
   compiler and link flags. */
/* Windows 8's declarations, so that the faults below compile at all. */
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0602
#include <windows.h>
#include <dwmapi.h>

#if defined(XP_MSVCRT_LACKS)
/* Server 2003's and Vista's msvcrt.dll export it, XP's does not. Declared
   here: <time.h> would call _mkgmtime32 or _mkgmtime64 in its place. */
__declspec(dllimport) long __cdecl _mkgmtime(void* tm);
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command, int show) {
  (void)instance, (void)previous, (void)command, (void)show;
#if defined(NEW_IMPORT)
  /* Windows 8, or 7 and Vista with KB2533623: imported directly, the exe
     does not start without it. */
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
#elif defined(FOREIGN_DLL)
  BOOL composited;
  DwmIsCompositionEnabled(&composited);
#elif defined(XP_MSVCRT_LACKS)
  char tm[64] = {0};
  return (int)_mkgmtime(tm);
#endif
  return 0;
}
