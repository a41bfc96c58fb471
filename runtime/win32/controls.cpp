#include "runtime/win32/controls.h"

#include "runtime/win32/base_window.h"
#include "runtime/win32/dpi.h"

namespace tallow::win32 {
namespace {

struct KindOfControl {
  const wchar_t* windowClass;
  DWORD style;
  DWORD exStyle;
};

KindOfControl KindOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kButton: return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::kTextBox: return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    // SS_NOTIFY: a press on a label is the label's, not the window's.
    case ControlKind::kLabel: return {L"STATIC", SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 0};
    case ControlKind::kFrame: return {L"BUTTON", BS_GROUPBOX, 0};
  }
  return {L"STATIC", 0, 0};
}

// A frame is a group box that paints its own background and keeps mouse
// presses (a plain group box lets them through to the window beneath, which
// would move a window that moves when pressed). Its original procedure is
// kept in its user data.
LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto base = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_NCHITTEST: return HTCLIENT;
    case WM_ERASEBKGND: {
      // In the brush the window gives the frame for its caption.
      HDC dc = reinterpret_cast<HDC>(wParam);
      auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(hwnd), WM_CTLCOLORSTATIC, wParam, LPARAM(hwnd)));
      RECT area;
      GetClientRect(hwnd, &area);
      FillRect(dc, &area, brush ? brush : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      return 1;
    }
    case WM_CTLCOLORSTATIC:
      // The labels inside are the window's to colour.
      return SendMessageW(GetParent(hwnd), message, wParam, lParam);
    case WM_NCDESTROY: SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base)); break;
    default: break;
  }
  return CallWindowProcW(base, hwnd, message, wParam, lParam);
}

}  // namespace

std::wstring ChildControl::Text() const {
  if (!hwnd_) return {};
  const int length = GetWindowTextLengthW(hwnd_);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd_, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void ChildControl::SetText(const std::wstring& text) {
  if (hwnd_) SetWindowTextW(hwnd_, text.c_str());
}

bool ChildControl::Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }

void ChildControl::SetEnabled(bool enabled) {
  if (hwnd_) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

HWND CreateControl(HWND container, const ControlRow& row, HFONT font, int dpi) {
  const KindOfControl kind = KindOf(row.kind);
  HWND hwnd = CreateWindowExW(
      kind.exStyle, kind.windowClass, row.text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style,
      Twips(row.rect.left, dpi), Twips(row.rect.top, dpi), Twips(row.rect.width, dpi), Twips(row.rect.height, dpi),
      container, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), ModuleInstance(), nullptr);
  if (!hwnd) return nullptr;
  if (font) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  switch (row.kind) {
    // Reasons of any length.
    case ControlKind::kTextBox: SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0); break;
    case ControlKind::kFrame:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameProc));
      break;
    default: break;
  }
  return hwnd;
}

void PlaceControl(HWND control, const ControlRow& row, HFONT font, int dpi) {
  if (!control) return;
  if (font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SetWindowPos(control, nullptr, Twips(row.rect.left, dpi), Twips(row.rect.top, dpi), Twips(row.rect.width, dpi),
               Twips(row.rect.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tallow::win32
