#pragma once

#include "bridge/platform.h"

namespace tallow::win32 {

// The input of the chat client's first room, or 0 if there is none.
WindowHandle FindChatInput();

// The chat client's windows, found afresh at every post by class name.
class ChatWindows : public ChatClient {
 public:
  void PostLine(const std::string& ansiLine) override;
};

// Our own windows: topmost and the mouse move loop.
class DesktopWindows : public WindowManager {
 public:
  void MakeTopmost(WindowHandle window) override;
  void BeginMove(WindowHandle window) override;
};

}  // namespace tallow::win32
