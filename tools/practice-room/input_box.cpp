#include "input_box.h"

#include "cp1252.h"

#include <cstring>

namespace practice {

const char kInputClass[] = "RICHCNTL";

namespace {

SubmitHandler g_on_submit = nullptr;
int g_hang_on = 0;
DWORD g_hang_ms = 10 * 60 * 1000;
int g_settext_count = 0;  // across every input: the k-th line posted anywhere

constexpr int kPadX = 6;
// Only the end of a very long text can be visible; measuring all of it
// would only make painting slow.
constexpr size_t kVisibleTail = 2048;

const COLORREF kBorder = RGB(0xB4, 0xBE, 0xCC);
const COLORREF kBorderFocus = RGB(0x3A, 0x7B, 0xD5);
const COLORREF kText = RGB(0x1E, 0x1E, 0x1E);

struct InputState {
  std::string text;
  HFONT font = nullptr;
  bool focused = false;
};

InputState* state_of(HWND hwnd) { return reinterpret_cast<InputState*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

std::wstring visible_text(const std::string& text) {
  size_t start = text.size() > kVisibleTail ? text.size() - kVisibleTail : 0;
  std::wstring w = decode_1252(std::string_view(text).substr(start));
  for (wchar_t& c : w)
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0)) c = 0xFFFD;
  return w;
}

// Where the text starts and where the caret goes: the end of the text stays
// in view, as in a single-line edit scrolled to the caret.
void text_geometry(HWND hwnd, HDC dc, const InputState& s, const std::wstring& w, int& text_x, int& caret_x) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  SIZE size{0, 0};
  HGDIOBJ old = SelectObject(dc, s.font);
  if (!w.empty()) GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
  SelectObject(dc, old);
  int avail = rc.right - 2 * kPadX;
  text_x = kPadX;
  if (size.cx > avail) text_x = kPadX + avail - size.cx;
  caret_x = text_x + size.cx;
}

int line_height(HWND hwnd, const InputState& s) {
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, s.font);
  TEXTMETRICW tm;
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  return tm.tmHeight;
}

void place_caret(HWND hwnd, const InputState& s) {
  if (!s.focused) return;
  HDC dc = GetDC(hwnd);
  int text_x, caret_x;
  text_geometry(hwnd, dc, s, visible_text(s.text), text_x, caret_x);
  ReleaseDC(hwnd, dc);
  RECT rc;
  GetClientRect(hwnd, &rc);
  int h = line_height(hwnd, s);
  SetCaretPos(caret_x, (rc.bottom - h) / 2);
}

void text_changed(HWND hwnd, const InputState& s) {
  InvalidateRect(hwnd, nullptr, FALSE);
  place_caret(hwnd, s);
}

void paint(HWND hwnd, InputState& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT rc;
  GetClientRect(hwnd, &rc);

  HBRUSH white = CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF));
  FillRect(dc, &rc, white);
  DeleteObject(white);

  std::wstring w = visible_text(s.text);
  int text_x, caret_x;
  text_geometry(hwnd, dc, s, w, text_x, caret_x);

  int saved = SaveDC(dc);
  IntersectClipRect(dc, 2, 1, rc.right - 2, rc.bottom - 1);
  HGDIOBJ old = SelectObject(dc, s.font);
  TEXTMETRICW tm;
  GetTextMetricsW(dc, &tm);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kText);
  if (!w.empty()) TextOutW(dc, text_x, (rc.bottom - tm.tmHeight) / 2, w.c_str(), static_cast<int>(w.size()));
  SelectObject(dc, old);
  RestoreDC(dc, saved);

  HBRUSH frame = CreateSolidBrush(s.focused ? kBorderFocus : kBorder);
  FrameRect(dc, &rc, frame);
  DeleteObject(frame);
  EndPaint(hwnd, &ps);
}

void submit(HWND hwnd, InputState& s) {
  std::string line;
  line.swap(s.text);
  text_changed(hwnd, s);
  if (g_on_submit) g_on_submit(hwnd, line);
}

LRESULT CALLBACK input_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  InputState* s = state_of(hwnd);
  switch (msg) {
    case WM_NCCREATE: {
      auto* st = new InputState;
      HDC dc = GetDC(hwnd);
      int height = -MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72);
      ReleaseDC(hwnd, dc);
      st->font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(st));
      break;
    }
    case WM_NCDESTROY:
      if (s) {
        if (s->font) DeleteObject(s->font);
        delete s;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      }
      break;
    case WM_SETTEXT:
      if (!s) break;
      if (g_hang_on > 0 && ++g_settext_count == g_hang_on) Sleep(g_hang_ms);  // play a hung client
      s->text = lp ? std::string(reinterpret_cast<const char*>(lp)) : std::string();
      text_changed(hwnd, *s);
      return TRUE;
    case WM_GETTEXT: {
      if (!s || wp == 0 || !lp) return 0;
      size_t n = s->text.size() < wp - 1 ? s->text.size() : wp - 1;
      char* buffer = reinterpret_cast<char*>(lp);
      std::memcpy(buffer, s->text.data(), n);
      buffer[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH: return s ? static_cast<LRESULT>(s->text.size()) : 0;
    case WM_GETFONT: return s ? reinterpret_cast<LRESULT>(s->font) : 0;
    case WM_CHAR:
      if (!s) break;
      if (wp == '\r') {
        submit(hwnd, *s);
      } else if (wp == '\b') {
        if (!s->text.empty()) {
          s->text.pop_back();
          text_changed(hwnd, *s);
        }
      } else if ((wp >= 0x20 && wp != 0x7F) && wp <= 0xFF) {
        s->text += static_cast<char>(wp);
        text_changed(hwnd, *s);
      }
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_WANTALLKEYS;
    case WM_LBUTTONDOWN: SetFocus(hwnd); return 0;
    case WM_SETFOCUS:
      if (!s) break;
      s->focused = true;
      CreateCaret(hwnd, nullptr, 1, line_height(hwnd, *s));
      place_caret(hwnd, *s);
      ShowCaret(hwnd);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_KILLFOCUS:
      if (!s) break;
      s->focused = false;
      DestroyCaret();
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_SIZE:
      if (s) place_caret(hwnd, *s);
      return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
      if (!s) break;
      paint(hwnd, *s);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

bool register_input_class(HINSTANCE instance, SubmitHandler on_submit) {
  g_on_submit = on_submit;
  WNDCLASSA wc{};
  wc.lpfnWndProc = input_proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
  wc.lpszClassName = kInputClass;
  return RegisterClassA(&wc) != 0;
}

void input_hang_on_settext(int k, DWORD ms) {
  g_hang_on = k;
  g_hang_ms = ms;
}

HWND create_input(HWND parent, int id) {
  return CreateWindowExA(0, kInputClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 10, 10, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
}

void input_preset_text(HWND input, const std::string& bytes) {
  if (InputState* s = state_of(input)) {
    s->text = bytes;
    text_changed(input, *s);
  }
}

}  // namespace practice
