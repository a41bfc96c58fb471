#pragma once

// A simulated desktop for unit tests: a clock that moves only when the event
// pump waits or the machine sleeps, a queue of scripted user events, the form timers, and a chat
// room that records every line with the simulated time it was posted at.

#include <functional>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "bridge/platform.h"
#include "runtime/awake_clock.h"
#include "runtime/declared_form.h"
#include "runtime/form_peer.h"
#include "runtime/message_boxes.h"
#include "runtime/timer_driver.h"

namespace tallow::sim {

struct PostedLine {
  double time;
  std::string bytes;  // as the chat client received them
};

// A shell with no temporary folder: every launch fails quietly.
class NullShell : public Shell {
 public:
  unsigned long TempPath(std::string&) override { return 0; }
  NewFile CreateNewFile(const std::string&) override { return NewFile::kFailed; }
  bool IsFile(const std::string&) override { return false; }
  bool RemoveFile(const std::string&) override { return false; }
  long LookUpExecutable(const std::string&, const std::string&, std::string&) override { return 2; }
  bool StartProcess(const std::string&, const std::string&) override { return false; }
};

class SimDesktop : public Clock, public EventPump, public ChatClient, public WindowManager {
 public:
  // Clock
  double Now() const override { return now_; }
  // EventPump
  void PumpEvents(double maxWaitSeconds) override;
  void RequestQuit() override { quit_ = true; }
  bool QuitRequested() const override { return quit_; }
  // ChatClient
  void PostLine(const std::string& ansiLine) override;
  // WindowManager
  void MakeTopmost(WindowHandle window) override { topmostCalls.push_back(window); }
  void BeginMove(WindowHandle window) override { moveCalls.push_back(window); }

  // The program reads the time through `awake`; the timers of its forms keep
  // their schedules in its awake time.
  Platform platform() { return Platform{awake, *this, *this, *this, shell}; }

  // The machine is suspended (asleep, hibernating, a paused virtual machine)
  // for `seconds`: the clock moves on and nothing runs meanwhile. Call it
  // from a queued event.
  void Suspend(double seconds) { now_ += seconds; }
  // Queues a user event at simulated time `time` (seconds).
  void At(double time, std::function<void()> action);
  void AddTimer(TimerDriver& timer) { timers_.push_back(&timer); }
  // The application's own message loop: handles events until `time`.
  void RunUntil(double time);

  // With no chat client running, posts are lost.
  bool clientRunning = true;
  // Simulated cost of one post, in seconds.
  double postCost = 0;
  // Delivery lateness of timer events: called per wake-up, returns seconds.
  std::function<double()> timerLateness;
  // Called with each line as it is posted, while the texts it was made from
  // are still on screen; posts that are lost reach it too.
  std::function<void(const std::string&)> onPost;
  // Called each time a queued event or a timer's ticks return to the
  // outermost loop, with no handler left running.
  std::function<void()> afterTopLevelEvent;

  AwakeClock awake{*this};
  NullShell shell;
  std::vector<PostedLine> posted;
  std::vector<WindowHandle> topmostCalls;
  std::vector<WindowHandle> moveCalls;
  long pumpCalls = 0;
  long eventsRun = 0;  // queued events handled, at any depth
  int maxDepth = 0;

 private:
  double NextTimerDue() const;
  void PumpUntil(double deadline);
  bool HandleWaitingEvents();

  double now_ = 0;
  bool quit_ = false;
  int depth_ = 0;
  long sequence_ = 0;
  std::multimap<std::pair<double, long>, std::function<void()>> queue_;
  std::vector<TimerDriver*> timers_;
};

// A control that keeps its text and enabled state in memory. While its
// window does not exist it reads "" and drops writes, as a real one does;
// Shown() and ShownEnabled() still tell what it showed last.
class SimControl : public Control {
 public:
  std::wstring Text() const override { return attached_ ? text_ : std::wstring(); }
  void SetText(const std::wstring& text) override {
    ++writes;
    if (attached_) text_ = text;
  }
  bool Enabled() const override { return attached_ && enabled_; }
  void SetEnabled(bool enabled) override {
    ++writes;
    if (attached_) enabled_ = enabled;
  }
  const std::wstring& Shown() const { return text_; }
  bool ShownEnabled() const { return enabled_; }
  // The window was made: the control starts as its row declares it.
  void Attach(const ControlRow& row) {
    text_ = row.text;
    enabled_ = true;
    attached_ = true;
  }
  void Detach() { attached_ = false; }
  int writes = 0;  // every SetText and SetEnabled, window or not

 private:
  std::wstring text_;
  bool enabled_ = false;
  bool attached_ = false;
};

// A simulated window, made from its form's declaration.
class SimFormPeer : public FormPeer {
 public:
  SimFormPeer(DeclaredForm& form, WindowHandle handle);
  bool Create() override;
  WindowHandle Handle() const override { return created_ ? handle : 0; }
  void Present() override { ++showCalls; }
  void Destroy() override;
  void Minimize() override { ++minimizeCalls; }
  Control& ControlAt(std::size_t row) override { return controls_[row]; }
  // The simulated desktop asks every timer when it is due.
  void ArmTimer(std::size_t, double) override {}

  bool Loaded() const { return created_; }
  // The user closes the window with its close button.
  void Close() { Destroy(); }

  const WindowHandle handle;
  int loads = 0;
  int showCalls = 0;
  int minimizeCalls = 0;
  std::function<void()> onDestroyed;  // once the window and its timers are gone

 private:
  DeclaredForm& form_;
  std::vector<SimControl> controls_;
  bool created_ = false;
};

// Makes the simulated windows, 0x1001, 0x2002, ... in turn, and registers
// their timers with the desktop.
class SimForms : public FormPeers {
 public:
  explicit SimForms(SimDesktop& desktop) : desktop_(desktop) {}
  std::unique_ptr<FormPeer> Make(DeclaredForm& form) override;
  SimFormPeer& Of(const DeclaredForm& form) const;

 private:
  SimDesktop& desktop_;
  std::vector<std::pair<const DeclaredForm*, SimFormPeer*>> made_;
};

// Modal message boxes: each records its text and stays open for `holdSeconds`
// of simulated time, handling events meanwhile as a modal loop does.
class StubMessageBoxes : public MessageBoxes {
 public:
  explicit StubMessageBoxes(SimDesktop& desktop) : desktop_(desktop) {}
  void Show(const std::wstring& text) override {
    shown.push_back(text);
    ++open;
    const double end = desktop_.Now() + holdSeconds;
    while (desktop_.Now() < end && !desktop_.QuitRequested()) desktop_.PumpEvents(end - desktop_.Now());
    --open;
  }
  double holdSeconds = 0;
  std::vector<std::wstring> shown;
  int open = 0;  // boxes showing now

 private:
  SimDesktop& desktop_;
};

}  // namespace tallow::sim
