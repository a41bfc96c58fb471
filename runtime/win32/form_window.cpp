#include "runtime/win32/form_window.h"

#include "runtime/win32/app.h"

namespace tallow::win32 {
namespace {
constexpr wchar_t kFormProperty[] = L"TallowDivod.Form";
}

FormWindow::~FormWindow() {
  if (backgroundBrush_) DeleteObject(backgroundBrush_);
  if (picture_) DeleteObject(picture_);
}

bool FormWindow::IsForm(HWND hwnd) { return GetPropW(hwnd, kFormProperty) != nullptr; }

void FormWindow::Load() {
  if (!backgroundBrush_)
    backgroundBrush_ =
        CreateSolidBrush(layout_.systemBackground >= 0 ? GetSysColor(layout_.systemBackground) : layout_.background);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExW(Instance(), layout_.windowClass, &wc)) {
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = static_cast<HICON>(LoadImageW(Instance(), MAKEINTRESOURCEW(layout_.iconId), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    wc.hIconSm = static_cast<HICON>(LoadImageW(Instance(), MAKEINTRESOURCEW(layout_.iconId), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    wc.lpszClassName = layout_.windowClass;
    RegisterClassExW(&wc);
  }
  RECT frame{0, 0, Twips(layout_.clientWidth), Twips(layout_.clientHeight)};
  AdjustWindowRectEx(&frame, layout_.style, FALSE, layout_.exStyle);
  const SIZE size{frame.right - frame.left, frame.bottom - frame.top};
  const POINT at = InitialPosition(size);
  CreateWindowExW(layout_.exStyle, layout_.windowClass, layout_.caption, layout_.style, at.x, at.y, size.cx, size.cy,
                  nullptr, nullptr, Instance(), this);
  if (hwnd_) OnLoad();
}

void FormWindow::Show() {
  if (!hwnd_) Load();
  if (!hwnd_) return;
  ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void FormWindow::Unload() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void FormWindow::Minimize() {
  if (hwnd_) ShowWindow(hwnd_, SW_MINIMIZE);
}

POINT FormWindow::InitialPosition(SIZE windowSize) {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return {work.left + (work.right - work.left - windowSize.cx) / 2,
          work.top + (work.bottom - work.top - windowSize.cy) / 2};
}

LRESULT CALLBACK FormWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  FormWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    SetPropW(hwnd, kFormProperty, reinterpret_cast<HANDLE>(self));
  } else {
    self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
    RemovePropW(hwnd, kFormProperty);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    WindowClosed();
    return result;
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      WindowOpened();
      OnCreate();
      return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT paints the whole surface
    case WM_PAINT: OnPaint(); return 0;
    // With visual styles a push button's corners show through: it asks for
    // the surface behind it (WM_PRINTCLIENT), then fills them with this
    // brush, which would otherwise be the button face colour.
    case WM_PRINTCLIENT: PaintSurface(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_CTLCOLORBTN: return reinterpret_cast<LRESULT>(backgroundBrush_);
    default: return Default(message, wParam, lParam);
  }
}

void FormWindow::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  PaintSurface(dc);
  EndPaint(hwnd_, &ps);
}

void FormWindow::PaintSurface(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, backgroundBrush_);
  if (!picture_) return;
  BITMAP info{};
  GetObjectW(picture_, sizeof info, &info);
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, picture_);
  BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

void FormWindow::PaintBehind(HWND child, HDC dc) {
  POINT origin{0, 0};
  MapWindowPoints(child, hwnd_, &origin, 1);
  POINT previous;
  SetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
  PaintSurface(dc);
  SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

}  // namespace tallow::win32
