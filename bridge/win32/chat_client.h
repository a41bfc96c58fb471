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

}  // namespace tallow::win32
