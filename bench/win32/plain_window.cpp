// The smallest Win32 program with a window, compiled and linked as the idler
// is: the reference for the idler's start-up time, size and memory. Built
// twice: plain_window, and themed_window with what the idler's themed
// controls cost it too: its manifest (comctl32 version 6), the call to
// InitCommonControlsEx and one push button.
//   plain_window              shows its window until it is closed
//   plain_window <file>       once the window is shown, appends
//                             "<ms>\tshown" to <file> and ends; ms on
//                             QueryPerformanceCounter, the practice room's
//                             transcript clock
#include <windows.h>
#ifdef TALLOW_BENCH_THEMED
#include <commctrl.h>
#endif

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Nothing from the C++ library, so that the figures are those of the window
// alone.
void WriteMarker(const wchar_t* commandLine) {
  wchar_t path[MAX_PATH];
  int length = 0;
  for (const wchar_t* c = commandLine; *c && length < MAX_PATH - 1; ++c)
    if (*c != L'"') path[length++] = *c;
  path[length] = 0;
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  // As the room turns its counter into ms, so both read alike.
  long long ms =
      counter.QuadPart / frequency.QuadPart * 1000 + counter.QuadPart % frequency.QuadPart * 1000 / frequency.QuadPart;
  char record[32];
  char* end = record + sizeof record;
  char* at = end;
  const char kShown[] = "\tshown\n";
  for (int i = sizeof kShown - 2; i >= 0; --i) *--at = kShown[i];
  do {
    *--at = static_cast<char>('0' + ms % 10);
    ms /= 10;
  } while (ms > 0);
  HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, at, static_cast<DWORD>(end - at), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
#ifdef TALLOW_BENCH_THEMED
  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof classes;
  classes.dwICC = ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&classes);
#endif
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"TallowBench.PlainWindow";
  if (!RegisterClassW(&wc)) return 1;
  // The idler's main window is 211 x 248.
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Plain window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                              211, 248, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
#ifdef TALLOW_BENCH_THEMED
  // As big as the idler's Start button.
  CreateWindowExW(0, L"BUTTON", L"Start", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 33, 17, hwnd, nullptr, instance,
                  nullptr);
#endif
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  if (commandLine && *commandLine) {
    WriteMarker(commandLine);
    DestroyWindow(hwnd);
  }
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
