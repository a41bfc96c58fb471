#pragma once

namespace tallow {

// A steady clock in seconds. It never wraps and is never set back while the
// program runs; the zero point is arbitrary.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual double Now() const = 0;
};

}  // namespace tallow
