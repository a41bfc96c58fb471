#pragma once

#include <windows.h>

namespace tallow::win32 {

// Keeps DLLs planted beside the exe (a Downloads folder, say) out of the
// process. Where Windows has SetDefaultDllDirectories (8 and later, 7 and
// Vista with KB2533623) every later load searches the system folder only;
// elsewhere the current folder at least leaves the search. Then the DLLs
// that system DLLs load on first use are loaded from the system folder.
// `restrictToSystemFolder` false skips SetDefaultDllDirectories even where
// Windows has it, so a test can see the other way through.
void HardenDllSearch(bool restrictToSystemFolder);

// A DLL of Windows' own, loaded by its full path in the system folder, its
// own imports looked for there first; nullptr when Windows has none there.
HMODULE LoadSystemDll(const wchar_t* name);

}  // namespace tallow::win32
