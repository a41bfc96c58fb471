// Presses a button of the idler's main window, for scripted sessions:
//   press.exe <control id>     (101 Start ... 107 Minimize)
// Waits up to 20 s for the window. Exit code 0 when the press was sent.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const int id = static_cast<int>(std::wcstol(argv[1], nullptr, 10));
  for (int tries = 0; tries < 200; ++tries) {
    if (HWND form = FindWindowW(L"TallowDivod.Form1", nullptr)) {
      HWND button = GetDlgItem(form, id);
      if (!button) return 1;
      PostMessageW(button, BM_CLICK, 0, 0);
      return 0;
    }
    Sleep(100);
  }
  return 1;
}
