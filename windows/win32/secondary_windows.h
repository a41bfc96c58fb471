#pragma once

#include "runtime/win32/controls.h"
#include "runtime/win32/form_window.h"
#include "windows/form3.h"

namespace tallow::win32 {

// The About window: a credit paragraph and the keyword hint, white on the
// "menu text" colour. It has no handlers and is never made topmost.
class Form2Window : public FormWindow {
 public:
  Form2Window();
  ~Form2Window() override;

 protected:
  void OnCreate() override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HFONT font_ = nullptr;
};

// The dedication window: a photograph with a few words over it. It makes
// itself topmost every time it loads.
class Form3Window : public FormWindow {
 public:
  explicit Form3Window(Tallow_Idler& module);
  ~Form3Window() override;

 protected:
  void OnCreate() override;
  void OnLoad() override { handlers_.Form_Load(); }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  Form3 handlers_;
  HFONT font_ = nullptr;
};

// White text over whatever the window shows behind the label.
LRESULT TransparentWhiteLabel(FormWindow& form, HDC dc, HWND label);

}  // namespace tallow::win32
