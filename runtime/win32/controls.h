#pragma once

#include <windows.h>

#include <string>

#include "runtime/control.h"
#include "runtime/form_declaration.h"

namespace tallow::win32 {

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

// Makes the control `row` declares inside `container`, laid out at `dpi`, in
// `font` (nullptr for the system's); nullptr if it could not be made.
HWND CreateControl(HWND container, const ControlRow& row, HFONT font, int dpi);
// Lays the control out again at `dpi`, in `font`, as CreateControl would.
void PlaceControl(HWND control, const ControlRow& row, HFONT font, int dpi);

}  // namespace tallow::win32
