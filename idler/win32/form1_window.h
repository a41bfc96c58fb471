#pragma once

#include "idler/form1.h"
#include "runtime/win32/controls.h"
#include "runtime/win32/form_window.h"
#include "runtime/win32/timers.h"

namespace tallow::win32 {

// The main window: a borderless panel of buttons, the idle clock, the title
// and the reason box. Its events go to the Form1 handlers.
class Form1Window : public FormWindow {
 public:
  Form1Window(Tallow_Idler& module, const Clock& clock, Form& about, Form& dedication, MessageBoxes& boxes);
  ~Form1Window() override;

 protected:
  void OnCreate() override;
  void OnLoad() override;
  void OnDestroy() override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  POINT InitialPosition(SIZE windowSize) override;

 private:
  void OnCommand(int id, int code);
  void OnTimer(UINT_PTR id);
  LRESULT OnCtlColorStatic(HDC dc, HWND control);
  void OnActivate(bool active);
  ChildControl* ControlById(int id);
  static LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  ChildControl Command1, Command2, Command3, Command4, Command5, Command6, Command7;
  ChildControl Text1, Frame1;
  ChildControl Label1, Label2, Label3, Label4, Label5, Label6;
  FormTimer Timer1, Timer2;
  Form1 handlers_;

  HFONT defaultFont_ = nullptr, colonFont_ = nullptr, titleFont_ = nullptr;
  HBRUSH white_ = nullptr;
  HWND focus_ = nullptr;  // the control to give the focus back to
  bool moving_ = false;   // inside the move loop that a mouse press began
};

}  // namespace tallow::win32
