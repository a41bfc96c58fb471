#pragma once

#include <string>

#include "bridge/launcher.h"
#include "runtime/awake_clock.h"
#include "runtime/event_pump.h"
#include "runtime/form.h"

namespace tallow {

// The chat client's windows, reached only through their class names.
class ChatClient {
 public:
  virtual ~ChatClient() = default;
  // Finds the chat room's input afresh, replaces its text with `ansiLine`
  // (Windows-1252 bytes) and sends it the Enter key.
  virtual void PostLine(const std::string& ansiLine) = 0;
};

// What the module does to our own windows through the platform.
class WindowManager {
 public:
  virtual ~WindowManager() = default;
  virtual void MakeTopmost(WindowHandle window) = 0;
  // Starts the platform's move loop, as if the window's title bar was pressed.
  virtual void BeginMove(WindowHandle window) = 0;
};

// Everything the code module reaches the platform through.
struct Platform {
  AwakeClock& clock;
  EventPump& pump;
  ChatClient& chat;
  WindowManager& windows;
  Shell& shell;
};

}  // namespace tallow
