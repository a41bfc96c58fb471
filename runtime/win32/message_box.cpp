#include "runtime/win32/message_box.h"

#include <windows.h>

namespace tallow::win32 {

void WindowMessageBoxes::Show(const std::wstring& text) {
  HWND owner = owner_ ? reinterpret_cast<HWND>(owner_->Handle()) : nullptr;
  MessageBoxW(owner, text.c_str(), title_, MB_OK);
}

}  // namespace tallow::win32
