#pragma once

namespace tallow {

// A form's timer as its handlers see it: ticks at its interval while enabled.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
};

}  // namespace tallow
