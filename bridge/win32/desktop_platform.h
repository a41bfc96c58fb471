#pragma once

#include "bridge/platform.h"
#include "runtime/awake_clock.h"
#include "bridge/win32/chat_client.h"
#include "bridge/win32/desktop_windows.h"
#include "bridge/win32/shell.h"
#include "runtime/win32/event_pump.h"
#include "runtime/win32/performance_clock.h"

namespace tallow::win32 {

// The platform objects the code module reaches the real desktop through.
// Not copied: a Platform holds references to them.
struct DesktopPlatform {
  DesktopPlatform() = default;
  DesktopPlatform(const DesktopPlatform&) = delete;
  DesktopPlatform& operator=(const DesktopPlatform&) = delete;

  Platform platform() { return Platform{clock, pump, chat, windows, shell}; }

  PerformanceClock performanceCounter;
  AwakeClock clock{performanceCounter};
  MessagePump pump;
  ChatWindows chat;
  DesktopWindows windows;
  SystemShell shell;
};

}  // namespace tallow::win32
