#include "runtime/win32/performance_clock.h"

#include <windows.h>

namespace tallow::win32 {

PerformanceClock::PerformanceClock() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  frequency_ = static_cast<double>(frequency.QuadPart);
}

double PerformanceClock::Now() const {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / frequency_;
}

}  // namespace tallow::win32
