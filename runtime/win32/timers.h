#pragma once

#include <windows.h>

#include "runtime/timer_driver.h"

namespace tallow::win32 {

// A form's timer: the schedule is the portable TimerDriver's, the wake-ups
// are WM_TIMER messages to the form, so the timer also ticks inside message
// boxes and the window's move loop.
class FormTimer : public TimerDriver {
 public:
  FormTimer(const Clock& clock, UINT_PTR id, double intervalSeconds, Delivery delivery, std::function<void()> onTick);
  // The form's window comes and goes; without one the timer is off.
  void Attach(HWND owner);
  void Detach();

 private:
  void Rearm();
  const Clock& clock_;
  UINT_PTR id_;
  HWND owner_ = nullptr;
};

}  // namespace tallow::win32
