#include "runtime/win32/timers.h"

#include <cmath>
#include <limits>

namespace tallow::win32 {

FormTimer::FormTimer(const Clock& clock, UINT_PTR id, double intervalSeconds, Delivery delivery,
                     std::function<void()> onTick)
    : TimerDriver(clock, intervalSeconds, delivery, std::move(onTick)), clock_(clock), id_(id) {
  SetArmHook([this] { Rearm(); });
}

void FormTimer::Attach(HWND owner) { owner_ = owner; }

void FormTimer::Detach() {
  SetEnabled(false);
  if (owner_) KillTimer(owner_, id_);
  owner_ = nullptr;
}

void FormTimer::Rearm() {
  if (!owner_) return;
  const double due = NextDue();
  if (due == std::numeric_limits<double>::infinity()) {
    KillTimer(owner_, id_);
    return;
  }
  const double ms = std::ceil((due - clock_.Now()) * 1000.0);
  const UINT delay = ms < USER_TIMER_MINIMUM ? USER_TIMER_MINIMUM
                     : ms > 0x7FFFFFF0       ? 0x7FFFFFF0
                                             : static_cast<UINT>(ms);
  SetTimer(owner_, id_, delay, nullptr);
}

}  // namespace tallow::win32
