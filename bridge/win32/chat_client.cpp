#include "bridge/win32/chat_client.h"

#include <windows.h>

#include "bridge/win32/chat_client_names.h"

namespace tallow::win32 {
namespace {
// A client that stops answering must not freeze us: each message waits this
// long at most.
constexpr UINT kAnswerTimeoutMs = 2000;
// SMTO_BLOCK: none of our own handlers may run while a post is under way.
constexpr UINT kSendFlags = SMTO_BLOCK | SMTO_ABORTIFHUNG;
}  // namespace

WindowHandle FindChatInput() {
  using namespace chat_client_names;
  // Each step searches the children of the one before; a missing window
  // gives 0 and the next step searches the top-level windows, as the
  // platform does with a parent of 0.
  HWND frame = FindWindowA(kFrameClass, nullptr);
  HWND mdiClient = FindWindowExA(frame, nullptr, kMdiClientClass, nullptr);
  HWND chatRoom = FindWindowExA(mdiClient, nullptr, kRoomClass, nullptr);
  return reinterpret_cast<WindowHandle>(FindWindowExA(chatRoom, nullptr, kInputClass, nullptr));
}

void ChatWindows::PostLine(const std::string& ansiLine) {
  HWND chatInput = reinterpret_cast<HWND>(FindChatInput());
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(chatInput, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ansiLine.c_str()), kSendFlags,
                           kAnswerTimeoutMs, &answer))
    return;  // the text never arrived: an Enter now would send what the user had typed
  SendMessageTimeoutA(chatInput, WM_CHAR, 13, 0, kSendFlags, kAnswerTimeoutMs, &answer);
}

}  // namespace tallow::win32
