#pragma once

#include "bridge/tallow_idler.h"
#include "bridge/win32/chat_client.h"
#include "bridge/win32/shell.h"
#include "runtime/win32/event_pump.h"

namespace tallow::win32 {

// The code module on the real desktop, with the platform objects it reaches
// the desktop through. Not copied: the module holds references to the rest.
struct DesktopPlatform {
  DesktopPlatform() = default;
  DesktopPlatform(const DesktopPlatform&) = delete;
  DesktopPlatform& operator=(const DesktopPlatform&) = delete;

  PerformanceClock clock;
  MessagePump pump;
  ChatWindows chat;
  DesktopWindows windows;
  SystemShell shell;
  Tallow_Idler module{Platform{clock, pump, chat, windows, shell}};
};

}  // namespace tallow::win32
