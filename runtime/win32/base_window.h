#pragma once

#include <windows.h>

namespace tallow::win32 {

// One window of ours bound to the object that made it: the window procedure
// hands every message from WM_NCCREATE to WM_NCDESTROY to that object.
class BaseWindow {
 public:
  BaseWindow() = default;
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;
  virtual ~BaseWindow();

  HWND hwnd() const { return hwnd_; }
  // True for the windows made by a BaseWindow.
  static bool Owns(HWND hwnd);

 protected:
  // Registers `windowClass` with this window procedure and the icon
  // resource `iconId` on first use, then makes the window; false if it could
  // not be made.
  bool CreateWindowOfClass(const wchar_t* windowClass, int iconId, DWORD exStyle, const wchar_t* caption, DWORD style,
                           RECT frame);
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) { return Default(message, wParam, lParam); }
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) { return DefWindowProcW(hwnd_, message, wParam, lParam); }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

// The exe's module handle.
inline HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

}  // namespace tallow::win32
