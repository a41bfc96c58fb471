#pragma once

#include <windows.h>

#include "runtime/controls.h"

namespace tallow::win32 {

// What a form looks like before its window exists.
struct FormLayout {
  const wchar_t* windowClass;
  const wchar_t* caption;
  DWORD style;
  DWORD exStyle;
  int clientWidth, clientHeight;  // twips
  int iconId;
  COLORREF background;
  int systemBackground = -1;  // a system colour index, read at load, instead of `background`
};

// One top-level window of ours, tied to its object for the whole run: the
// object stays when the window is unloaded, and the next Show loads it anew.
// The window procedure hands each message to the object that owns the HWND.
class FormWindow : public Form {
 public:
  explicit FormWindow(const FormLayout& layout) : layout_(layout) {}
  ~FormWindow() override;

  bool Loaded() const override { return hwnd_ != nullptr; }
  WindowHandle Handle() const override { return reinterpret_cast<WindowHandle>(hwnd_); }
  void Show() override;
  void Unload() override;
  void Minimize() override;

  HWND hwnd() const { return hwnd_; }
  // True for the top-level windows of our forms (for keyboard navigation).
  static bool IsForm(HWND hwnd);
  // Paints the form's surface behind a transparent child control.
  void PaintBehind(HWND child, HDC dc);

 protected:
  // Builds the controls; the window exists but is not shown yet.
  virtual void OnCreate() {}
  // The form's Load event, once the window and its controls exist.
  virtual void OnLoad() {}
  // The window is going; controls and timers let go of it.
  virtual void OnDestroy() {}
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Paints the form's own surface (colour and picture) into `dc`, whose
  // origin is the client area's top-left corner.
  virtual void PaintSurface(HDC dc);
  // Where a newly loaded window goes on the screen.
  virtual POINT InitialPosition(SIZE windowSize);

  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) { return DefWindowProcW(hwnd_, message, wParam, lParam); }
  const FormLayout layout_;
  HBITMAP picture_ = nullptr;  // drawn at natural size at the top-left corner

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Load();
  void OnPaint();

  HWND hwnd_ = nullptr;
  HBRUSH backgroundBrush_ = nullptr;
};

}  // namespace tallow::win32
