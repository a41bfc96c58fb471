#pragma once

#include <windows.h>

#include "runtime/clock.h"

namespace tallow::win32 {

// QueryPerformanceCounter: steady, never set back, runs on across midnight.
class PerformanceClock : public Clock {
 public:
  PerformanceClock();
  double Now() const override;

 private:
  double frequency_;
};

// The one event pump of the user-interface thread: the main message loop and
// every pause between chat lines both turn it.
class MessagePump : public EventPump {
 public:
  void PumpEvents(double maxWaitSeconds) override;
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
