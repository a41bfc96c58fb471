#include "runtime/win32/form_window.h"

#include <cmath>
#include <limits>

#include "runtime/win32/dpi.h"
#include "runtime/win32/fonts.h"
#include "runtime/win32/picture.h"

namespace tallow::win32 {
namespace {

struct WindowStyle {
  DWORD style;
  DWORD exStyle;
};

WindowStyle StyleOf(Border border) {
  switch (border) {
    case Border::kNone: return {WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX, WS_EX_APPWINDOW | WS_EX_CONTROLPARENT};
    case Border::kFixedSingle: return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0};
  }
  return {WS_OVERLAPPEDWINDOW, 0};
}

COLORREF ColorRef(Colour colour) {
  return colour.IsSystem() ? GetSysColor(colour.SystemIndex()) : static_cast<COLORREF>(colour.value);
}

// Newer than the headers of the oldest Windows each build is for.
constexpr UINT kWmDpiChanged = 0x02E0;        // 8.1
constexpr UINT kWmGetDpiScaledSize = 0x02E4;  // 10 1703

bool TakesFocus(ControlKind kind) { return kind == ControlKind::kButton || kind == ControlKind::kTextBox; }

}  // namespace

FormWindow::FormWindow(DeclaredForm& form, const Clock& clock)
    : form_(form), declaration_(form.Declaration()), clock_(clock), controls_(declaration_.controls.size()) {}

bool FormWindow::Create() {
  // New windows open in the primary monitor's work area, made at the system
  // DPI, the primary monitor's when the user signed in.
  dpi_ = ScreenDpi();
  MakeResources(dpi_);
  const WindowStyle style = StyleOf(declaration_.border);
  if (!CreateWindowOfClass(declaration_.windowClass, declaration_.iconId, style.exStyle, declaration_.caption,
                           style.style, InitialFrame(dpi_)))
    return false;
  // Windows gives a new window the scaling of the monitor it landed on; if
  // that is another, the window is laid out again before it is shown.
  const int landed = WindowDpi(hwnd());
  RECT frame;
  GetWindowRect(hwnd(), &frame);
  if (landed != dpi_)
    OnDpiChanged(landed, frame);
  else
    FitClientArea();
  return true;
}

void FormWindow::FitClientArea() {
  // Where the frame is drawn otherwise than it was computed for the DPI (a
  // title bar that does not scale), the window is made to fit its client
  // area, which is what the declaration sizes.
  RECT client, frame;
  GetClientRect(hwnd(), &client);
  GetWindowRect(hwnd(), &frame);
  const int dx = Twips(declaration_.width, dpi_) - client.right, dy = Twips(declaration_.height, dpi_) - client.bottom;
  if (dx || dy)
    SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left + dx, frame.bottom - frame.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::MakeResources(int dpi) {
  if (!background_) {
    backgroundColour_ = ColorRef(declaration_.background);
    background_.reset(CreateSolidBrush(backgroundColour_));
  }
  if (dpi == resourcesDpi_) return;
  resourcesDpi_ = dpi;
  if (declaration_.pictureId) picture_.reset(LoadJpegResource(declaration_.pictureId, dpi));
  // The new fonts replace the old ones once the controls have them.
  std::vector<std::pair<const FontChoice*, GdiObject<HFONT>>> fonts;
  auto add = [&fonts, dpi](const FontChoice* font) {
    if (!font) return;
    for (const auto& made : fonts)
      if (made.first == font) return;
    fonts.emplace_back(font, GdiObject<HFONT>(MakeFont(*font, dpi)));
  };
  add(declaration_.font);
  for (const ControlRow& row : declaration_.controls) add(row.font);
  fonts_.swap(fonts);
  for (std::size_t i = 0; i < controls_.size(); ++i)
    PlaceControl(controls_[i].hwnd(), declaration_.controls[i], FontFor(declaration_.controls[i]), dpi);
}

HFONT FormWindow::FontFor(const ControlRow& row) const {
  const FontChoice* wanted = row.font ? row.font : declaration_.font;
  for (const auto& made : fonts_)
    if (made.first == wanted) return made.second.get();
  return nullptr;
}

RECT FormWindow::FrameAt(POINT origin, int dpi) const {
  const WindowStyle style = StyleOf(declaration_.border);
  const RECT frame = FrameAround({0, 0, Twips(declaration_.width, dpi), Twips(declaration_.height, dpi)}, style.style,
                                 style.exStyle, dpi);
  return {origin.x, origin.y, origin.x + frame.right - frame.left, origin.y + frame.bottom - frame.top};
}

RECT FormWindow::InitialFrame(int dpi) const {
  const RECT frame = FrameAt({0, 0}, dpi);
  const int width = frame.right, height = frame.bottom;
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  POINT at{work.left + (work.right - work.left - width) / 2, work.top + (work.bottom - work.top - height) / 2};
  if (declaration_.placement == Placement::kTopRight)
    at = {work.right - width - Twips(600, dpi), work.top + Twips(600, dpi)};
  return FrameAt(at, dpi);
}

void FormWindow::Present() {
  if (!hwnd()) return;
  ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(hwnd());
}

void FormWindow::Destroy() {
  if (hwnd()) DestroyWindow(hwnd());
}

void FormWindow::Minimize() {
  if (hwnd()) ShowWindow(hwnd(), SW_MINIMIZE);
}

void FormWindow::ArmTimer(std::size_t timer, double due) {
  if (!hwnd()) return;
  const UINT_PTR id = timer + 1;
  if (due == std::numeric_limits<double>::infinity()) {
    KillTimer(hwnd(), id);
    return;
  }
  const double ms = std::ceil((due - clock_.Now()) * 1000.0);
  const UINT delay = ms < USER_TIMER_MINIMUM ? USER_TIMER_MINIMUM
                     : ms > 0x7FFFFFF0       ? 0x7FFFFFF0
                                             : static_cast<UINT>(ms);
  // WM_TIMER messages to the window: the timer also ticks inside message
  // boxes and the window's move loop.
  SetTimer(hwnd(), id, delay, nullptr);
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: ScaleNonClientArea(hwnd()); return Default(message, wParam, lParam);
    case WM_CREATE: OnCreate(); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT paints the whole surface
    case WM_PAINT: OnPaint(); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: return OnButtonDown(message, wParam, lParam);
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: return OnButtonUp(message, wParam, lParam);
    case WM_CTLCOLORSTATIC: return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE: return OnActivate(message, wParam, lParam);
    // With visual styles a push button's corners show through: it asks for
    // the surface behind it (WM_PRINTCLIENT), then fills them with this
    // brush, which would otherwise be the button face colour.
    case WM_PRINTCLIENT: PaintSurface(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_CTLCOLORBTN: return reinterpret_cast<LRESULT>(background_.get());
    // The window moved to a monitor of another scaling (per-monitor aware,
    // Windows 8.1 and later).
    case kWmDpiChanged:
      if (lParam) OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case kWmGetDpiScaledSize: return lParam && OnGetDpiScaledSize(LOWORD(wParam), *reinterpret_cast<SIZE*>(lParam));
    default: return Default(message, wParam, lParam);
  }
}

void FormWindow::OnCreate() {
  for (std::size_t i = 0; i < declaration_.controls.size(); ++i) {
    const ControlRow& row = declaration_.controls[i];
    HWND container = hwnd();
    if (row.container)
      for (std::size_t j = 0; j < i; ++j)
        if (declaration_.controls[j].id == row.container) container = controls_[j].hwnd();
    HWND control = CreateControl(container, row, FontFor(row), dpi_);
    controls_[i].Attach(control);
    if (!focus_ && TakesFocus(row.kind)) focus_ = control;
  }
  // A label drawn on the window itself lies beneath every other control,
  // those made after it too.
  for (std::size_t i = 0; i < declaration_.controls.size(); ++i)
    if (declaration_.controls[i].kind == ControlKind::kLabel && !declaration_.controls[i].container &&
        controls_[i].hwnd())
      SetWindowPos(controls_[i].hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FormWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  if (dpi < 24) return;
  dpi_ = dpi;
  // Every size comes from the declaration's twips at the new DPI, so that
  // going back to a DPI gives back exactly the window it had there. Windows'
  // suggestion gives the place.
  MakeResources(dpi);
  const RECT frame = FrameAt({suggested.left, suggested.top}, dpi);
  SetWindowPos(hwnd(), nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  FitClientArea();
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool FormWindow::OnGetDpiScaledSize(int dpi, SIZE& size) const {
  if (dpi < 24) return false;
  // Windows asks before it suggests a rectangle: the exact size at that DPI,
  // not the present one scaled.
  const RECT frame = FrameAt({0, 0}, dpi);
  size = {frame.right, frame.bottom};
  return true;
}

void FormWindow::OnDestroy() {
  form_.Destroyed();
  for (ChildControl& control : controls_) control.Attach(nullptr);
  focus_ = nullptr;
}

void FormWindow::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  PaintSurface(dc);
  EndPaint(hwnd(), &ps);
}

void FormWindow::OnCommand(int id, int code) {
  if (code == BN_CLICKED) form_.ControlClicked(id);
}

void FormWindow::OnTimer(UINT_PTR id) {
  if (id >= 1) form_.TimerDue(id - 1);
}

LRESULT FormWindow::OnButtonDown(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!declaration_.mouseDown.IsSet()) return Default(message, wParam, lParam);
  // Returns when whatever the handler began (the platform's move loop) ends.
  pressing_ = true;
  form_.MouseDown();
  pressing_ = false;
  return 0;
}

LRESULT FormWindow::OnButtonUp(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!declaration_.mouseDown.IsSet()) return Default(message, wParam, lParam);
  // The move loop ends only on the left button's release; one begun with the
  // right or middle button must end when that one is let go, not follow the
  // mouse until the next left click.
  if (pressing_) PostMessageW(hwnd(), WM_LBUTTONUP, 0, lParam);
  return 0;
}

LRESULT FormWindow::OnCtlColorStatic(HDC dc, HWND control) {
  const ControlRow* row = declaration_.ControlWithId(GetDlgCtrlID(control));
  if (row && row->kind == ControlKind::kFrame) {
    SetBkColor(dc, backgroundColour_);
    return reinterpret_cast<LRESULT>(background_.get());
  }
  if (!row || row->kind != ControlKind::kLabel || !row->transparent)
    return Default(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  // What lies behind a transparent label is painted first: a frame's plain
  // background, or the window's surface with its picture.
  if (row->container) {
    RECT area;
    GetClientRect(control, &area);
    FillRect(dc, &area, background_.get());
  } else {
    PaintBehind(control, dc);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorRef(row->textColour));
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

LRESULT FormWindow::OnActivate(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!focus_) return Default(message, wParam, lParam);
  // Keyboard focus comes back to where it was, at first the first control
  // in the tab order.
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focused = GetFocus();
    if (focused && IsChild(hwnd(), focused)) focus_ = focused;
  } else if (IsWindow(focus_)) {
    SetFocus(focus_);
  }
  return 0;
}

void FormWindow::PaintSurface(HDC dc) {
  RECT client;
  GetClientRect(hwnd(), &client);
  FillRect(dc, &client, background_.get());
  if (!picture_) return;
  BITMAP info{};
  GetObjectW(picture_.get(), sizeof info, &info);
  MemoryDc source(dc, picture_.get());
  BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
}

void FormWindow::PaintBehind(HWND child, HDC dc) {
  POINT origin{0, 0};
  MapWindowPoints(child, hwnd(), &origin, 1);
  POINT previous;
  SetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
  PaintSurface(dc);
  SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

}  // namespace tallow::win32
