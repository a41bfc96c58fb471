#pragma once

#include <windows.h>

#include "runtime/event_pump.h"

namespace tallow::win32 {

// The one event pump of the user-interface thread: the main message loop and
// every pause between chat lines both turn it.
class MessagePump : public EventPump {
 public:
  void PumpEvents(double maxWaitSeconds) override;
  void RequestQuit() override { PostQuitMessage(0); }
  bool QuitRequested() const override { return quit_; }
  // The main loop; returns the exit code once the last window has closed,
  // also when the quit message was first met inside a pause.
  int Run();

 private:
  void Dispatch(MSG& msg);
  bool quit_ = false;
  int exitCode_ = 0;
};

}  // namespace tallow::win32
