#include <windows.h>

#include "bridge/win32/desktop_platform.h"
#include "idler/win32/form1_window.h"
#include "runtime/win32/app.h"
#include "runtime/win32/message_box.h"
#include "runtime/win32/system_dlls.h"
#include "windows/win32/secondary_windows.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
#ifdef TALLOW_TEST_WITHOUT_DEFAULT_DLL_DIRECTORIES
  // A build for the hardening test only: behaves as on Windows without
  // SetDefaultDllDirectories (Vista and 7 without KB2533623, XP).
  tallow::win32::HardenDllSearch(false);
#else
  tallow::win32::HardenDllSearch(true);
#endif
  HeapSetInformation(nullptr, HeapEnableTerminationOnCorruption, nullptr, 0);
  tallow::win32::RegisterCommonControls();

  using namespace tallow;
  win32::DesktopPlatform desktop;

  // One object per window for the whole run; a window comes and goes.
  win32::Form2Window form2;
  win32::Form3Window form3(desktop.module);
  win32::WindowMessageBoxes boxes;
  win32::Form1Window form1(desktop.module, desktop.clock, form2, form3, boxes);
  boxes.SetOwner(&form1);
  form1.Show();
  return desktop.pump.Run();
}
