#pragma once

#include "runtime/event_pump.h"

namespace tallow {

// The process ends when the last of its windows has gone, whichever window
// that is. Every form counts itself in when its window is made and out when
// it is destroyed.
class Application {
 public:
  explicit Application(EventPump& pump) : pump_(pump) {}
  void WindowOpened() { ++open_; }
  void WindowClosed() {
    if (--open_ == 0) pump_.RequestQuit();
  }

 private:
  EventPump& pump_;
  int open_ = 0;
};

}  // namespace tallow
