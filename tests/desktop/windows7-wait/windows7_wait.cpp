// Loaded into a running idler by a desktop test, it points the idler's import
// of MsgWaitForMultipleObjectsEx at a wait with the rules of Windows 7 and
// earlier, which refuse the whole call when the wake mask has a flag they do
// not know, and counts every wait and every refusal. Wine itself takes any
// mask. The test calls the exported thread procedures with CreateRemoteThread.
#include <windows.h>

namespace {

using wait_fn = DWORD(WINAPI*)(DWORD, const HANDLE*, DWORD, DWORD, DWORD);

// QS_ALLINPUT and QS_ALLPOSTMESSAGE as Windows 7 has them.
constexpr DWORD kWindows7Flags = 0x05FF;

wait_fn g_real = nullptr;
LONG g_refuse_all = 0;
LONG g_waits = 0;
LONG g_refused = 0;

DWORD WINAPI windows7_wait(DWORD count, const HANDLE* handles, DWORD ms, DWORD mask, DWORD flags) {
  InterlockedIncrement(&g_waits);
  if ((mask & ~kWindows7Flags) != 0 || g_refuse_all) {
    InterlockedIncrement(&g_refused);
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  return g_real(count, handles, ms, mask, flags);
}

// The import address table's entry for `dll`!`function` in `module`.
void** import_slot(HMODULE module, const char* dll, const char* function) {
  auto* base = reinterpret_cast<BYTE*>(module);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
    if (lstrcmpiA(reinterpret_cast<char*>(base + d->Name), dll) != 0 || !d->OriginalFirstThunk) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* by_name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (lstrcmpA(reinterpret_cast<char*>(by_name->Name), function) == 0)
        return reinterpret_cast<void**>(&slots->u1.Function);
    }
  }
  return nullptr;
}

}  // namespace

// `refuse_all` non-zero: every wait fails, as if for a reason of its own.
// Returns 1 once the exe's import points here, 0 if it has no such import.
extern "C" __declspec(dllexport) DWORD WINAPI install_windows7_wait(void* refuse_all) {
  g_refuse_all = refuse_all ? 1 : 0;
  void** slot = import_slot(GetModuleHandleW(nullptr), "user32.dll", "MsgWaitForMultipleObjectsEx");
  if (!slot) return 0;
  if (*slot != reinterpret_cast<void*>(&windows7_wait)) {
    DWORD old = 0;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old)) return 0;
    g_real = reinterpret_cast<wait_fn>(*slot);
    *slot = reinterpret_cast<void*>(&windows7_wait);
    VirtualProtect(slot, sizeof *slot, old, &old);
  }
  InterlockedExchange(&g_waits, 0);
  InterlockedExchange(&g_refused, 0);
  return 1;
}

extern "C" __declspec(dllexport) DWORD WINAPI waits_so_far(void*) { return static_cast<DWORD>(g_waits); }
extern "C" __declspec(dllexport) DWORD WINAPI refused_so_far(void*) { return static_cast<DWORD>(g_refused); }
