#include "tests/stubs/sim_desktop.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tallow::sim {

void SimDesktop::PostLine(const std::string& ansiLine) {
  if (onPost) onPost(ansiLine);
  if (clientRunning) posted.push_back({now_, ansiLine});
  now_ += postCost;
}

void SimDesktop::At(double time, std::function<void()> action) {
  queue_.emplace(std::make_pair(time, sequence_++), std::move(action));
}

double SimDesktop::NextTimerDue() const {
  double due = std::numeric_limits<double>::infinity();
  for (const TimerDriver* timer : timers_) due = std::min(due, timer->NextDue());
  // From the program's awake time back to this clock (without a gap, the
  // same), rounded up so that the timer finds itself due then.
  double steady = due + awake.Away();
  while (steady - awake.Away() < due) steady = std::nextafter(steady, std::numeric_limits<double>::infinity());
  return steady;
}

void SimDesktop::PumpEvents(double maxWaitSeconds) {
  ++pumpCalls;
  double deadline = now_ + std::max(0.0, maxWaitSeconds);
  // A real clock always moves on; so must this one, however small the wait.
  if (maxWaitSeconds > 0 && deadline <= now_) deadline = std::nextafter(now_, deadline + 1);
  PumpUntil(deadline);
}

void SimDesktop::PumpUntil(double deadline) {
  double next = NextTimerDue();
  if (next < std::numeric_limits<double>::infinity() && timerLateness) next += timerLateness();
  if (!queue_.empty()) next = std::min(next, queue_.begin()->first.first);
  if (next > deadline) {
    now_ = deadline;
    return;
  }
  now_ = std::max(now_, next);
  HandleWaitingEvents();
}

bool SimDesktop::HandleWaitingEvents() {
  ++depth_;
  maxDepth = std::max(maxDepth, depth_);
  // Only what is waiting now; events that handlers queue wait for a later turn.
  const double now = now_;
  std::vector<std::function<void()>> due;
  while (!queue_.empty() && queue_.begin()->first.first <= now) {
    due.push_back(std::move(queue_.begin()->second));
    queue_.erase(queue_.begin());
  }
  const bool outermost = depth_ == 1;
  for (auto& action : due) {
    if (quit_) break;
    action();
    ++eventsRun;
    if (outermost && afterTopLevelEvent) afterTopLevelEvent();
  }
  if (!quit_)
    for (std::size_t i = 0; i < timers_.size(); ++i) {
      const std::uint64_t before = timers_[i]->TicksDelivered();
      timers_[i]->Service();
      if (outermost && afterTopLevelEvent && timers_[i]->TicksDelivered() != before) afterTopLevelEvent();
    }
  --depth_;
  return !due.empty();
}

void SimDesktop::RunUntil(double time) {
  while (!quit_ && now_ < time) PumpUntil(time);
  if (!quit_) HandleWaitingEvents();
}

SimFormPeer::SimFormPeer(DeclaredForm& form, WindowHandle handle)
    : handle(handle), form_(form), controls_(form.Declaration().controls.size()) {}

bool SimFormPeer::Create() {
  ++loads;
  for (std::size_t i = 0; i < controls_.size(); ++i) controls_[i].Attach(form_.Declaration().controls[i]);
  created_ = true;
  return true;
}

void SimFormPeer::Destroy() {
  if (!created_) return;
  created_ = false;
  form_.Destroyed();
  for (SimControl& control : controls_) control.Detach();
  if (onDestroyed) onDestroyed();
}

std::unique_ptr<FormPeer> SimForms::Make(DeclaredForm& form) {
  auto peer = std::make_unique<SimFormPeer>(form, 0x1001 * (made_.size() + 1));
  made_.emplace_back(&form, peer.get());
  for (std::size_t i = 0; i < form.Declaration().timers.size(); ++i) desktop_.AddTimer(form.TimerAt(i));
  return peer;
}

SimFormPeer& SimForms::Of(const DeclaredForm& form) const {
  for (const auto& [made, peer] : made_)
    if (made == &form) return *peer;
  std::abort();  // a form these peers did not make
}

}  // namespace tallow::sim
