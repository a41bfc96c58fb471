#include "runtime/win32/common_controls.h"

#include <windows.h>
#include <commctrl.h>

#include "runtime/win32/proc_address.h"

namespace tallow::win32 {

void RegisterCommonControls() {
  // Windows XP registers no class of comctl32 version 6 by itself: without
  // this its buttons, labels and edit boxes are never created. Loaded by
  // name, not by path, so that the manifest's activation context chooses
  // version 6 from the side-by-side store; looked up, like every function
  // of a DLL the exe does not import.
  auto init = TALLOW_PROC_ADDRESS(LoadLibraryW(L"comctl32.dll"), InitCommonControlsEx);
  if (!init) return;
  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof classes;
  classes.dwICC = ICC_STANDARD_CLASSES;
  init(&classes);
}

}  // namespace tallow::win32
