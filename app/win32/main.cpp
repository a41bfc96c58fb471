#include <windows.h>

#include "app/program.h"
#include "bridge/win32/desktop_platform.h"
#include "idler/form1_declaration.h"
#include "runtime/win32/common_controls.h"
#include "runtime/win32/form_window.h"
#include "runtime/win32/message_box.h"
#include "runtime/win32/system_dlls.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace tallow;
#ifdef TALLOW_TEST_WITHOUT_DEFAULT_DLL_DIRECTORIES
  // A build for the hardening test only: behaves as on Windows without
  // SetDefaultDllDirectories (Vista and 7 without KB2533623, XP).
  win32::HardenDllSearch(false);
#else
  win32::HardenDllSearch(true);
#endif
  HeapSetInformation(nullptr, HeapEnableTerminationOnCorruption, nullptr, 0);
  win32::RegisterCommonControls();

  win32::DesktopPlatform desktop;
  win32::FormWindows windows(desktop.clock.Awake());
  win32::WindowMessageBoxes boxes(kApplicationTitle);
  Program program(desktop.platform(), windows, boxes);
  boxes.SetOwner(&program.form1);
  program.Start();
  return desktop.pump.Run();
}
