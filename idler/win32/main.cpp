#include <windows.h>

#include "bridge/tallow_idler.h"
#include "bridge/win32/chat_client.h"
#include "idler/win32/form1_window.h"
#include "runtime/win32/event_pump.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // DLLs that are not taken from the system folder anyway (GDI+, ...) are
  // looked for there only, never beside the exe.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  HeapSetInformation(nullptr, HeapEnableTerminationOnCorruption, nullptr, 0);

  using namespace tallow;
  win32::PerformanceClock clock;
  win32::MessagePump pump;
  win32::ChatWindows chat;
  win32::DesktopWindows windows;
  Tallow_Idler module(Platform{clock, pump, chat, windows});

  win32::Form1Window form1(module, clock);
  form1.Show();
  return pump.Run();
}
