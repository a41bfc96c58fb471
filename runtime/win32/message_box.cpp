#include "runtime/win32/message_box.h"

#include <windows.h>

#include "runtime/win32/app.h"

namespace tallow::win32 {

void WindowMessageBoxes::Show(const std::wstring& text) {
  HWND owner = owner_ ? reinterpret_cast<HWND>(owner_->Handle()) : nullptr;
  MessageBoxW(owner, text.c_str(), kApplicationTitle, MB_OK);
}

}  // namespace tallow::win32
