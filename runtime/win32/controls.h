#pragma once

#include <windows.h>

#include <string>

#include "runtime/controls.h"

namespace tallow::win32 {

// One child control as a form lays it out: position and size in twips,
// relative to its container.
struct ControlLayout {
  int id;
  const wchar_t* windowClass;  // "BUTTON", "EDIT", "STATIC"
  const wchar_t* text;
  int left, top, width, height;
  DWORD style;
  DWORD exStyle = 0;
  int container = 0;  // id of the control that holds this one; 0 for the form
};

// A child window seen through the handlers' Control interface. While the
// form is not loaded it has no window: reads give "" and writes do nothing.
class ChildControl : public Control {
 public:
  HWND hwnd() const { return hwnd_; }
  void Attach(HWND hwnd) { hwnd_ = hwnd; }

  std::wstring Text() const override;
  void SetText(const std::wstring& text) override;
  bool Enabled() const override;
  void SetEnabled(bool enabled) override;

 private:
  HWND hwnd_ = nullptr;
};

// Creates the control of `layout` inside `container`, with `font`.
HWND CreateControl(HWND container, const ControlLayout& layout, HFONT font);

}  // namespace tallow::win32
