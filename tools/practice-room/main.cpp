// Practice room: a stand-in chat client with the window layout the idler
// drives ("AOL Frame25" > "MDIClient" > "AOL Child" > "RICHCNTL"). Lines it
// receives are shown and, with --transcript, recorded for tests. The class
// names are spelled here, not taken from the idler's headers, so the room
// stays an independent stand-in for the client.
#include "input_box.h"
#include "options.h"
#include "room.h"
#include "transcript.h"

#include <windows.h>

#include <algorithm>
#include <string>

using namespace practice;

namespace {

const wchar_t kFrameClass[] = L"AOL Frame25";
const wchar_t kFrameTitle[] = L"Practice Room";
constexpr int kFrameWidth = 520;
constexpr int kFrameHeight = 420;
constexpr int kCascade = 24;
constexpr UINT kMsgReady = WM_APP + 1;
constexpr UINT kMsgRoomClosed = WM_APP + 2;
constexpr UINT_PTR kReopenTimer = 1;

HWND g_mdi_client = nullptr;
int g_rooms_opened = 0;
int g_reopen_ms = 1000;

// A new chat room on top, filling the MDI client.
void open_another_room() {
  RECT rc;
  GetClientRect(g_mdi_client, &rc);
  ++g_rooms_opened;
  create_room(g_mdi_client, L"Room " + std::to_wstring(g_rooms_opened), 0, 0, rc.right, rc.bottom);
}

LRESULT CALLBACK frame_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: {
      CLIENTCREATESTRUCT ccs{};
      ccs.idFirstChild = 1000;
      g_mdi_client = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDIClient", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE,
                                     0, 0, 0, 0, hwnd, nullptr, reinterpret_cast<LPCREATESTRUCTW>(lp)->hInstance, &ccs);
      return g_mdi_client ? 0 : -1;
    }
    case kMsgReady:
      // Posted after the rooms were made, so by now the message loop runs
      // and the room answers whoever read READY.
      transcript_ready();
      return 0;
    case kMsgRoomClosed: SetTimer(hwnd, kReopenTimer, static_cast<UINT>(g_reopen_ms), nullptr); return 0;
    case WM_TIMER:
      if (wp == kReopenTimer) {
        KillTimer(hwnd, kReopenTimer);
        open_another_room();
        return 0;
      }
      break;
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefFrameProcW(hwnd, g_mdi_client, msg, wp, lp);
}

// Rooms cascade so each title bar stays visible; the last one ends on top.
void open_children(const Options& o) {
  RECT rc;
  GetClientRect(g_mdi_client, &rc);
  int count = o.rooms + (o.non_chat ? 1 : 0);
  int steps = std::min(std::max(count - 1, 0), 6);
  int width = std::max(280, static_cast<int>(rc.right) - steps * kCascade);
  int height = std::max(200, static_cast<int>(rc.bottom) - steps * kCascade);

  for (int i = 0; i < count; ++i) {
    bool mail = i == o.rooms;
    std::wstring title = mail ? L"Mail" : L"Room " + std::to_wstring(i + 1);
    int offset = (i % 7) * kCascade;
    HWND room = create_room(g_mdi_client, title, offset, offset, width, height);
    if (!mail) ++g_rooms_opened;
    if (room && !mail && o.has_pretype) input_preset_text(room_input(room), o.pretype);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  std::vector<std::wstring> args = split_command_line(GetCommandLineW());
  if (!args.empty()) args.erase(args.begin());
  Options o = parse_options(args);

  if (o.has_transcript) transcript_set_path(o.transcript_path);
  input_hang_on_settext(o.hang_on_line, static_cast<DWORD>(o.hang_seconds) * 1000);

  WNDCLASSW wc{};
  wc.lpfnWndProc = frame_proc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));      // IDI_APPLICATION
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  wc.lpszClassName = kFrameClass;
  if (!RegisterClassW(&wc) || !register_room_classes(instance)) return 1;

  HWND frame = CreateWindowExW(0, kFrameClass, kFrameTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, o.x, o.y,
                               kFrameWidth, kFrameHeight, nullptr, nullptr, instance, nullptr);
  if (!frame) return 1;
  ShowWindow(frame, SW_SHOWNORMAL);
  UpdateWindow(frame);

  g_reopen_ms = o.reopen_after_ms;
  close_room_after_line(o.close_after_line, frame, kMsgRoomClosed);
  open_children(o);
  PostMessageW(frame, kMsgReady, 0, 0);

  MSG msg{};
  for (;;) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) break;
    // Wine fails to deliver a very large cross-process message and
    // reports it here; that message is lost, the room must go on.
    if (got == -1) {
      Sleep(1);
      continue;
    }
    if (!TranslateMDISysAccel(g_mdi_client, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}
