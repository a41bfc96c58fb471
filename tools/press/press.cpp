// Presses a button of the idler's main window, for scripted sessions:
//   press.exe <button>     Start, Stop, Adv., Exit, About, Site or Minimize
//                          (its caption), or the button's control id
// Waits up to 20 s for the window. Exit code 0 when the press was sent.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "idler/win32/shared_names.h"

namespace {

using namespace tallow::window_names;

struct Button {
  const wchar_t* caption;
  int id;
};
const Button kButtons[] = {
    {L"Start", kStart}, {L"Stop", kStop}, {L"Adv.", kAdv},          {L"Exit", kExit},
    {L"About", kAbout}, {L"Site", kSite}, {L"Minimize", kMinimize},
};

// The control id `name` stands for, or 0.
int ButtonId(const wchar_t* name) {
  for (const Button& button : kButtons)
    if (std::wcscmp(name, button.caption) == 0) return button.id;
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
    if (HWND form = FindWindowW(kIdlerClass, nullptr)) {
      HWND button = GetDlgItem(form, id);
      if (!button) return 1;
      PostMessageW(button, BM_CLICK, 0, 0);
      return 0;
    }
    Sleep(100);
  }
  return 1;
}
