#pragma once

#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "runtime/clock.h"
#include "runtime/declared_form.h"
#include "runtime/form_peer.h"
#include "runtime/win32/base_window.h"
#include "runtime/win32/controls.h"
#include "runtime/win32/gdi.h"

namespace tallow::win32 {

// The real window of a form, built from its declaration: a top-level window
// with its picture, icon and child controls, whose events go to the form.
class FormWindow : public BaseWindow, public FormPeer {
 public:
  FormWindow(DeclaredForm& form, const Clock& clock);

  bool Create() override;
  WindowHandle Handle() const override { return reinterpret_cast<WindowHandle>(hwnd()); }
  void Present() override;
  void Destroy() override;
  void Minimize() override;
  Control& ControlAt(std::size_t row) override { return controls_[row]; }
  void ArmTimer(std::size_t timer, double due) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnCreate();
  void OnDestroy();
  void OnPaint();
  void OnCommand(int id, int code);
  void OnTimer(UINT_PTR id);
  LRESULT OnButtonDown(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnButtonUp(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnCtlColorStatic(HDC dc, HWND control);
  LRESULT OnActivate(UINT message, WPARAM wParam, LPARAM lParam);
  void OnDpiChanged(int dpi, const RECT& suggested);
  bool OnGetDpiScaledSize(int dpi, SIZE& size) const;

  // The fonts and the picture at `dpi`, kept from one load of the window to
  // the next while the DPI stays the same.
  void MakeResources(int dpi);
  HFONT FontFor(const ControlRow& row) const;
  // The window's rectangle around its client area at `dpi`, at `origin`.
  RECT FrameAt(POINT origin, int dpi) const;
  RECT InitialFrame(int dpi) const;
  void FitClientArea();
  // The form's own surface (colour and picture) into `dc`, whose origin is
  // the client area's top-left corner.
  void PaintSurface(HDC dc);
  // That surface behind a transparent child control.
  void PaintBehind(HWND child, HDC dc);

  DeclaredForm& form_;
  const FormDeclaration& declaration_;
  const Clock& clock_;
  std::vector<ChildControl> controls_;
  GdiObject<HBRUSH> background_;
  COLORREF backgroundColour_ = 0;
  GdiObject<HBITMAP> picture_;
  std::vector<std::pair<const FontChoice*, GdiObject<HFONT>>> fonts_;
  int resourcesDpi_ = 0;   // what the fonts and picture are made for; 0 before the first
  int dpi_ = 96;           // what the window is laid out at
  HWND focus_ = nullptr;   // the control to give the focus back to
  bool pressing_ = false;  // inside the handler of a mouse press
};

// Makes the real window of each form.
class FormWindows : public FormPeers {
 public:
  explicit FormWindows(const Clock& clock) : clock_(clock) {}
  std::unique_ptr<FormPeer> Make(DeclaredForm& form) override { return std::make_unique<FormWindow>(form, clock_); }

 private:
  const Clock& clock_;
};

}  // namespace tallow::win32
