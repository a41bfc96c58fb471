#include "runtime/win32/controls.h"

#include "runtime/win32/app.h"

namespace tallow::win32 {

std::wstring ChildControl::Text() const {
  if (!hwnd_) return {};
  const int length = GetWindowTextLengthW(hwnd_);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd_, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void ChildControl::SetText(const std::wstring& text) {
  if (hwnd_) SetWindowTextW(hwnd_, text.c_str());
}

bool ChildControl::Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }

void ChildControl::SetEnabled(bool enabled) {
  if (hwnd_) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

HWND CreateControl(HWND container, const ControlLayout& layout, HFONT font) {
  HWND hwnd = CreateWindowExW(layout.exStyle, layout.windowClass, layout.text,
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | layout.style, Twips(layout.left),
                              Twips(layout.top), Twips(layout.width), Twips(layout.height), container,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), Instance(), nullptr);
  if (hwnd && font) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return hwnd;
}

}  // namespace tallow::win32
