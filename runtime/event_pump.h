#pragma once

namespace tallow {

// The user-interface thread's event pump.
class EventPump {
 public:
  virtual ~EventPump() = default;
  // Blocks until an event is waiting or maxWaitSeconds have passed, whichever
  // comes first, then handles every event that is waiting and returns.
  virtual void PumpEvents(double maxWaitSeconds) = 0;
  // Asks the application to end once the handlers now running return.
  virtual void RequestQuit() = 0;
  // True once the pump has taken the request to end: on Win32 when it takes
  // WM_QUIT from the queue, not when RequestQuit posts it. Pauses stop
  // there.
  virtual bool QuitRequested() const = 0;
};

}  // namespace tallow
