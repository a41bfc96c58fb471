// Loaded into a running idler by the desktop tests, to see it from inside
// where Wine does not behave as Windows does or shows nothing outside:
// - The wait of Windows 7 and earlier, which refuse the whole call when the
//   wake mask has a flag they do not know, with every wait and refusal
//   counted. Wine itself takes any mask.
// - The creation flags of every CreateProcessA: Wine 8 starts each process at
//   normal priority whatever the flags ask for.
// - What a label is drawn with: `describe_label`, run by a thread that the
//   test starts in the idler with the label's handle.
// - A monitor of another display scaling, which Wine's one screen never has:
//   the DPI that the idler's look-up of GetDpiForWindow reports
//   (`reported_dpi`; Wine has the function, so GetDpiForMonitor, the idler's
//   fall-back for Windows 8.1, is never asked), and `send_dpi_changed`, the message Windows
//   sends a window moved to such a monitor.
// The imports are taken over as the DLL loads; the test reads and writes the
// exported variables below with Read/WriteProcessMemory.
#include <windows.h>

#include "drawn_with.h"

namespace {

using wait_fn = DWORD(WINAPI*)(DWORD, const HANDLE*, DWORD, DWORD, DWORD);
using get_proc_address_fn = FARPROC(WINAPI*)(HMODULE, LPCSTR);
using get_dpi_for_window_fn = UINT(WINAPI*)(HWND);
using create_process_fn = BOOL(WINAPI*)(LPCSTR, LPSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD,
                                        LPVOID, LPCSTR, LPSTARTUPINFOA, LPPROCESS_INFORMATION);

// QS_ALLINPUT and QS_ALLPOSTMESSAGE as Windows 7 has them.
constexpr DWORD kWindows7Flags = 0x05FF;

wait_fn g_real_wait = nullptr;
create_process_fn g_real_create_process = nullptr;
get_proc_address_fn g_real_get_proc_address = nullptr;
get_dpi_for_window_fn g_real_get_dpi_for_window = nullptr;

}  // namespace

extern "C" {
// 1 once the exe's import points at the wait below, 0 if it has no such import.
__declspec(dllexport) volatile LONG windows7_wait_installed = 0;
// Set by the test: every wait fails, as if for a reason of its own.
__declspec(dllexport) volatile LONG windows7_wait_refuse_all = 0;
// Every wait, and every refused one, since the test last set them to 0.
__declspec(dllexport) volatile LONG windows7_wait_count = 0;
__declspec(dllexport) volatile LONG windows7_wait_refused = 0;
// The exe's calls of CreateProcessA, and the last one's creation flags.
__declspec(dllexport) volatile LONG create_process_calls = 0;
__declspec(dllexport) volatile LONG create_process_flags = 0;
// Set by the test: the DPI every window is told it has; 0 for the real one.
__declspec(dllexport) volatile LONG reported_dpi = 0;
// Set by the test before send_dpi_changed: the window's DPI now and the one it moves to.
__declspec(dllexport) volatile LONG dpi_change_from = 96;
__declspec(dllexport) volatile LONG dpi_change_to = 96;
// Filled by describe_label.
__declspec(dllexport) DrawnWith label_drawn_with = {};
}

namespace {

DWORD WINAPI windows7_wait(DWORD count, const HANDLE* handles, DWORD ms, DWORD mask, DWORD flags) {
  InterlockedIncrement(&windows7_wait_count);
  if ((mask & ~kWindows7Flags) != 0 || windows7_wait_refuse_all) {
    InterlockedIncrement(&windows7_wait_refused);
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  return g_real_wait(count, handles, ms, mask, flags);
}

BOOL WINAPI recorded_create_process(LPCSTR application, LPSTR command_line, LPSECURITY_ATTRIBUTES process,
                                    LPSECURITY_ATTRIBUTES thread, BOOL inherit, DWORD flags, LPVOID environment,
                                    LPCSTR directory, LPSTARTUPINFOA startup, LPPROCESS_INFORMATION info) {
  InterlockedExchange(&create_process_flags, static_cast<LONG>(flags));
  InterlockedIncrement(&create_process_calls);
  return g_real_create_process(application, command_line, process, thread, inherit, flags, environment, directory,
                               startup, info);
}

UINT WINAPI reported_dpi_for_window(HWND window) {
  if (reported_dpi) return static_cast<UINT>(reported_dpi);
  return g_real_get_dpi_for_window ? g_real_get_dpi_for_window(window) : 96;
}

// The idler looks the DPI function up at run time, so it is taken over where
// it looks.
FARPROC WINAPI looked_up(HMODULE module, LPCSTR name) {
  FARPROC real = g_real_get_proc_address(module, name);
  if (reinterpret_cast<ULONG_PTR>(name) >> 16 == 0) return real;  // by ordinal
  if (lstrcmpA(name, "GetDpiForWindow") == 0) {
    g_real_get_dpi_for_window = reinterpret_cast<get_dpi_for_window_fn>(reinterpret_cast<void*>(real));
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&reported_dpi_for_window));
  }
  return real;
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

// Points the exe's import of `function` at `replacement`, keeping the real
// one in `real` first: the idler's thread may take the slot at any moment.
void take_over(const char* dll, const char* function, void* replacement, void** real, volatile LONG* installed) {
  void** slot = import_slot(GetModuleHandleW(nullptr), dll, function);
  if (!slot) return;
  DWORD old = 0;
  if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old)) return;
  InterlockedExchangePointer(reinterpret_cast<void* volatile*>(real), *slot);
  InterlockedExchangePointer(slot, replacement);
  VirtualProtect(slot, sizeof *slot, old, &old);
  if (installed) InterlockedExchange(installed, 1);
}

}  // namespace

// What the label paints with: its font, and the colours its parent's
// WM_CTLCOLORSTATIC sets on a fresh DC, as on the DC of a paint.
extern "C" __declspec(dllexport) DWORD WINAPI describe_label(void* label_handle) {
  HWND label = static_cast<HWND>(label_handle);
  DrawnWith& out = label_drawn_with;
  out = DrawnWith{};
  DWORD_PTR font = 0;
  SendMessageTimeoutW(label, WM_GETFONT, 0, 0, SMTO_NORMAL, 5000, &font);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = nullptr;
  if (font && GetObjectW(reinterpret_cast<HFONT>(font), sizeof out.font, &out.font) == sizeof out.font) {
    out.has_font = 1;
    old = SelectObject(dc, reinterpret_cast<HFONT>(font));
    GetTextFaceW(dc, LF_FACESIZE, out.real_face);
  }
  DWORD_PTR brush = 0;
  SendMessageTimeoutW(GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                      reinterpret_cast<LPARAM>(label), SMTO_NORMAL, 5000, &brush);
  out.text = GetTextColor(dc);
  out.background = GetBkMode(dc);
  if (old) SelectObject(dc, old);
  DeleteDC(dc);
  InterlockedExchange(&out.done, 1);
  return 0;
}

// Sends `window` what Windows 10 1703 and later send a per-monitor window
// dragged onto a monitor of another scaling: first the question of its size
// there (WM_GETDPISCALEDSIZE, answered or not), then WM_DPICHANGED with the
// rectangle Windows suggests, at the window's top-left corner. Without an
// answer the suggestion is the client area scaled, in the frame Wine draws
// at every DPI.
extern "C" __declspec(dllexport) DWORD WINAPI send_dpi_changed(void* window_handle) {
  HWND window = static_cast<HWND>(window_handle);
  const int from = dpi_change_from, to = dpi_change_to;
  RECT frame, client;
  GetWindowRect(window, &frame);
  GetClientRect(window, &client);
  RECT suggested{0, 0, MulDiv(client.right, to, from), MulDiv(client.bottom, to, from)};
  AdjustWindowRectEx(&suggested, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
  SIZE size{suggested.right - suggested.left, suggested.bottom - suggested.top};
  DWORD_PTR answered = 0;
  SendMessageTimeoutW(window, 0x02E4 /* WM_GETDPISCALEDSIZE */, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&size),
                      SMTO_NORMAL, 5000, &answered);
  suggested = {frame.left, frame.top, frame.left + size.cx, frame.top + size.cy};
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested),
                      SMTO_NORMAL, 5000, &ignored);
  return 0;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) {
    take_over("user32.dll", "MsgWaitForMultipleObjectsEx", reinterpret_cast<void*>(&windows7_wait),
              reinterpret_cast<void**>(&g_real_wait), &windows7_wait_installed);
    take_over("kernel32.dll", "CreateProcessA", reinterpret_cast<void*>(&recorded_create_process),
              reinterpret_cast<void**>(&g_real_create_process), nullptr);
    take_over("kernel32.dll", "GetProcAddress", reinterpret_cast<void*>(&looked_up),
              reinterpret_cast<void**>(&g_real_get_proc_address), nullptr);
  }
  return TRUE;
}
