// Presses a button of the idler's main window, for scripted sessions:
//   press.exe <button>     a button's caption (Start, Stop, Adv., Exit,
//                          About, Site, Minimize) or its control id
// Waits up to 20 s for the window. Exit code 0 when the press was sent.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "idler/form1_declaration.h"

namespace {

using tallow::kForm1Declaration;

// The control id `name` stands for, or 0.
int ButtonId(const wchar_t* name) {
  for (const tallow::ControlRow& row : kForm1Declaration.controls)
    if (row.kind == tallow::ControlKind::kButton && std::wcscmp(name, row.text) == 0) return row.id;
  wchar_t* end = nullptr;
  const long id = std::wcstol(name, &end, 10);
  return *name && !*end ? static_cast<int>(id) : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int id = argc == 2 ? ButtonId(argv[1]) : 0;
  if (id <= 0) {
    std::fprintf(stderr, "usage: press.exe Start|Stop|Adv.|Exit|About|Site|Minimize|<control id>\n");
    return 2;
  }
  for (int tries = 0; tries < 200; ++tries) {
    if (HWND form = FindWindowW(kForm1Declaration.windowClass, nullptr)) {
      HWND button = GetDlgItem(form, id);
      if (!button) return 1;
      PostMessageW(button, BM_CLICK, 0, 0);
      return 0;
    }
    Sleep(100);
  }
  return 1;
}
