#include "runtime/win32/system_dlls.h"

#include <string>

#include "runtime/win32/proc_address.h"

namespace tallow::win32 {
namespace {

// DLLs that system DLLs load for us on first use, through delay-load
// helpers of their own: some of those (Wine's, for the themed controls)
// still search the exe's folder first, and without SetDefaultDllDirectories
// Windows does too. Loaded now from the system folder, they are found in
// memory then.
const wchar_t* const kLoadedOnFirstUse[] = {
    L"msimg32.dll",  // alpha blending, for the themes
    L"uxtheme.dll",  // visual styles, loaded by user32 for the first window
    L"dwmapi.dll",   // desktop composition, loaded by the themes (Vista and later)
};

}  // namespace

HMODULE LoadSystemDll(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::wstring path = std::wstring(folder, length) + L"\\" + name;
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

void HardenDllSearch(bool restrictToSystemFolder) {
  // Looked up, not imported: the exe must start where it is missing. The
  // MinGW-w64 headers declare it whatever _WIN32_WINNT says, XP's included.
  auto setDefault = restrictToSystemFolder
                        ? TALLOW_PROC_ADDRESS(GetModuleHandleW(L"kernel32.dll"), SetDefaultDllDirectories)
                        : nullptr;
  if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
  for (const wchar_t* name : kLoadedOnFirstUse) LoadSystemDll(name);
}

}  // namespace tallow::win32
