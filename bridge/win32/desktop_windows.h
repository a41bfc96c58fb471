#pragma once

#include "bridge/platform.h"

namespace tallow::win32 {

// Our own windows: topmost, and the platform's move loop.
class DesktopWindows : public WindowManager {
 public:
  void MakeTopmost(WindowHandle window) override;
  void BeginMove(WindowHandle window) override;
};

}  // namespace tallow::win32
