// Loaded into a running idler by a desktop test, it points the idler's import
// of MsgWaitForMultipleObjectsEx at a wait with the rules of Windows 7 and
// earlier, which refuse the whole call when the wake mask has a flag they do
// not know, and counts every wait and every refusal. Wine itself takes any
// mask. It takes over the wait as it loads; the test reads and writes the
// exported variables below with Read/WriteProcessMemory, so that loading it
// is the one thread the test has to start in the idler.
#include <windows.h>

namespace {

using wait_fn = DWORD(WINAPI*)(DWORD, const HANDLE*, DWORD, DWORD, DWORD);

// QS_ALLINPUT and QS_ALLPOSTMESSAGE as Windows 7 has them.
constexpr DWORD kWindows7Flags = 0x05FF;

wait_fn g_real = nullptr;

}  // namespace

extern "C" {
// 1 once the exe's import points at the wait below, 0 if it has no such import.
__declspec(dllexport) volatile LONG windows7_wait_installed = 0;
// Set by the test: every wait fails, as if for a reason of its own.
__declspec(dllexport) volatile LONG windows7_wait_refuse_all = 0;
// Every wait, and every refused one, since the test last set them to 0.
__declspec(dllexport) volatile LONG windows7_wait_count = 0;
__declspec(dllexport) volatile LONG windows7_wait_refused = 0;
}

namespace {

DWORD WINAPI windows7_wait(DWORD count, const HANDLE* handles, DWORD ms, DWORD mask, DWORD flags) {
  InterlockedIncrement(&windows7_wait_count);
  if ((mask & ~kWindows7Flags) != 0 || windows7_wait_refuse_all) {
    InterlockedIncrement(&windows7_wait_refused);
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

void install() {
  void** slot = import_slot(GetModuleHandleW(nullptr), "user32.dll", "MsgWaitForMultipleObjectsEx");
  if (!slot) return;
  DWORD old = 0;
  if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old)) return;
  // The real wait is kept before the slot points here: the idler's thread
  // may take the slot at any moment.
  InterlockedExchangePointer(reinterpret_cast<void* volatile*>(&g_real), *slot);
  InterlockedExchangePointer(slot, reinterpret_cast<void*>(&windows7_wait));
  VirtualProtect(slot, sizeof *slot, old, &old);
  InterlockedExchange(&windows7_wait_installed, 1);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) install();
  return TRUE;
}
