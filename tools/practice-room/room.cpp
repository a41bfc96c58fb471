#include "room.h"

#include "input_box.h"
#include "room_view.h"
#include "transcript.h"

#include <algorithm>

namespace practice {

const wchar_t kRoomClass[] = L"AOL Child";

namespace {

constexpr int kViewId = 101;
constexpr int kInputId = 102;
constexpr int kMargin = 6;
constexpr int kInputHeight = 26;

const COLORREF kRoomBackground = RGB(0xEC, 0xF0, 0xF6);
const char kWho[] = "You";

int g_lines = 0;
int g_close_after = 0;
HWND g_notify = nullptr;
UINT g_closed_msg = 0;

struct RoomState {
  HWND view = nullptr;
  HWND input = nullptr;
};

RoomState* state_of(HWND hwnd) { return reinterpret_cast<RoomState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

std::string title_of(HWND room) {
  wchar_t title[256] = {};
  GetWindowTextW(room, title, 256);
  std::string out;
  for (const wchar_t* p = title; *p; ++p) out += (*p < 0x80) ? static_cast<char>(*p) : '?';
  return out;
}

void on_submit(HWND input, const std::string& line) {
  std::int64_t ms = now_ms();  // when the line arrived, before any drawing
  HWND room = GetParent(input);
  RoomState* s = state_of(room);
  if (s && s->view) room_view_append(s->view, kWho, line);
  transcript_line(ms, title_of(room), line);
  if (g_close_after > 0 && ++g_lines == g_close_after) {
    // Posted, so the sender's Enter returns first, as when a user closes it.
    PostMessageW(room, WM_CLOSE, 0, 0);
    PostMessageW(g_notify, g_closed_msg, 0, 0);
  }
}

void lay_out(HWND hwnd, RoomState& s) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  int w = rc.right - 2 * kMargin;
  int input_top = rc.bottom - kMargin - kInputHeight;
  if (w < 1) w = 1;
  MoveWindow(s.view, kMargin, kMargin, w, std::max(1, input_top - kMargin - kMargin), TRUE);
  MoveWindow(s.input, kMargin, input_top, w, kInputHeight, TRUE);
}

LRESULT CALLBACK room_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  RoomState* s = state_of(hwnd);
  switch (msg) {
    case WM_CREATE: {
      auto* st = new RoomState;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(st));
      st->view = create_room_view(hwnd, kViewId);
      st->input = create_input(hwnd, kInputId);
      break;
    }
    case WM_NCDESTROY:
      delete s;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      break;
    case WM_SIZE:
      if (s) lay_out(hwnd, *s);
      break;  // DefMDIChildProc must see WM_SIZE too
    case WM_SETFOCUS:
      if (s && s->input) SetFocus(s->input);
      return 0;
    case WM_MOUSEWHEEL:
      if (s && s->view) return SendMessageW(s->view, msg, wp, lp);
      break;
    case WM_ERASEBKGND: {
      RECT rc;
      GetClientRect(hwnd, &rc);
      HBRUSH bg = CreateSolidBrush(kRoomBackground);
      FillRect(reinterpret_cast<HDC>(wp), &rc, bg);
      DeleteObject(bg);
      return 1;
    }
  }
  return DefMDIChildProcW(hwnd, msg, wp, lp);
}

}  // namespace

bool register_room_classes(HINSTANCE instance) {
  if (!register_input_class(instance, on_submit)) return false;
  if (!register_room_view_class(instance)) return false;
  WNDCLASSW wc{};
  wc.lpfnWndProc = room_proc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));      // IDI_APPLICATION
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.lpszClassName = kRoomClass;
  return RegisterClassW(&wc) != 0;
}

HWND create_room(HWND mdi_client, const std::wstring& title, int x, int y, int width, int height) {
  MDICREATESTRUCTW mcs{};
  mcs.szClass = kRoomClass;
  mcs.szTitle = title.c_str();
  mcs.hOwner = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(mdi_client, GWLP_HINSTANCE));
  mcs.x = x;
  mcs.y = y;
  mcs.cx = width;
  mcs.cy = height;
  return reinterpret_cast<HWND>(SendMessageW(mdi_client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
}

void close_room_after_line(int k, HWND notify, UINT closed) {
  g_close_after = k;
  g_notify = notify;
  g_closed_msg = closed;
}

HWND room_input(HWND room) {
  RoomState* s = state_of(room);
  return s ? s->input : nullptr;
}

}  // namespace practice
