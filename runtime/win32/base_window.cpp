#include "runtime/win32/base_window.h"

namespace tallow::win32 {

BaseWindow::~BaseWindow() {
  if (!hwnd_) return;
  // The window may not outlive its object: cut it loose, then end it.
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

bool BaseWindow::Owns(HWND hwnd) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == &Procedure;
}

namespace {
HICON LoadIconSized(int iconId, int widthMetric, int heightMetric) {
  return static_cast<HICON>(LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                       GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), 0));
}
}  // namespace

bool BaseWindow::CreateWindowOfClass(const wchar_t* windowClass, int iconId, DWORD exStyle, const wchar_t* caption,
                                     DWORD style, RECT frame) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExW(ModuleInstance(), windowClass, &wc)) {
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = ModuleInstance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconSized(iconId, SM_CXICON, SM_CYICON);
    wc.hIconSm = LoadIconSized(iconId, SM_CXSMICON, SM_CYSMICON);
    wc.lpszClassName = windowClass;
    RegisterClassExW(&wc);
  }
  CreateWindowExW(exStyle, windowClass, caption, style, frame.left, frame.top, frame.right - frame.left,
                  frame.bottom - frame.top, nullptr, nullptr, ModuleInstance(), this);
  return hwnd_ != nullptr;
}

LRESULT CALLBACK BaseWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  BaseWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<BaseWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<BaseWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  const LRESULT result = self->HandleMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

}  // namespace tallow::win32
