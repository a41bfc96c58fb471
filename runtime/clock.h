#pragma once

namespace tallow {

// A steady clock in seconds. It never wraps and is never set back while the
// program runs; the zero point is arbitrary.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual double Now() const = 0;
};

// The user-interface thread's event pump.
class EventPump {
 public:
  virtual ~EventPump() = default;
  // Blocks until an event is waiting or maxWaitSeconds have passed, whichever
  // comes first, then handles every event that is waiting and returns.
  virtual void PumpEvents(double maxWaitSeconds) = 0;
  // True once the application has been asked to end (the last window closed).
  virtual bool QuitRequested() const = 0;
};

}  // namespace tallow
