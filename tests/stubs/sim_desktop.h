#pragma once

// A simulated desktop for unit tests: a clock that moves only when the event
// pump waits, a queue of scripted user events, the form timers, and a chat
// room that records every line with the simulated time it was posted at.

#include <functional>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "bridge/platform.h"
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
  bool QuitRequested() const override { return quit_; }
  // ChatClient
  void PostLine(const std::string& ansiLine) override;
  // WindowManager
  void MakeTopmost(WindowHandle window) override { topmostCalls.push_back(window); }
  void BeginMove(WindowHandle window) override { moveCalls.push_back(window); }

  Platform platform() { return Platform{*this, *this, *this, *this, shell}; }

  // Queues a user event at simulated time `time` (seconds).
  void At(double time, std::function<void()> action);
  void AddTimer(TimerDriver& timer) { timers_.push_back(&timer); }
  // The application's own message loop: handles events until `time`.
  void RunUntil(double time);
  void RequestQuit() { quit_ = true; }

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

// A control that keeps its text and enabled state in memory.
class StubControl : public Control {
 public:
  explicit StubControl(std::wstring text = L"", bool enabled = true) : text_(std::move(text)), enabled_(enabled) {}
  std::wstring Text() const override { return text_; }
  void SetText(const std::wstring& text) override {
    text_ = text;
    ++writes;
  }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  int writes = 0;

 private:
  std::wstring text_;
  bool enabled_;
};

// A top-level window: loaded or not, with the timers that stop when it is
// unloaded. The last of them to unload ends the application.
class StubForm : public Form {
 public:
  StubForm(SimDesktop& desktop, std::vector<StubForm*>& all, WindowHandle handle)
      : desktop_(desktop), all_(all), handle_(handle) {
    all_.push_back(this);
  }
  bool Loaded() const override { return loaded_; }
  WindowHandle Handle() const override { return loaded_ ? handle_ : 0; }
  void Show() override;
  void Unload() override;
  void Minimize() override { ++minimizeCalls; }

  std::vector<Timer*> timers;
  std::function<void()> onLoad;
  std::function<void()> onUnload;  // once the window and its timers are gone
  int loads = 0;
  int minimizeCalls = 0;
  int showCalls = 0;

 private:
  SimDesktop& desktop_;
  std::vector<StubForm*>& all_;
  WindowHandle handle_;
  bool loaded_ = false;
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
