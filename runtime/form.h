#pragma once

#include <cstdint>

namespace tallow {

// The platform's handle of one of our windows; 0 while it is not loaded.
using WindowHandle = std::uintptr_t;

// One of our top-level windows as handlers see it. The object lives for the
// whole run; its window comes and goes.
class Form {
 public:
  virtual ~Form() = default;
  virtual bool Loaded() const = 0;
  virtual WindowHandle Handle() const = 0;
  // Loads the window if it is not loaded (running its Load handler), then
  // shows it modeless and brings it to the front.
  virtual void Show() = 0;
  // Destroys the platform window; its timers stop with it. The object stays.
  virtual void Unload() = 0;
  virtual void Minimize() = 0;
};

}  // namespace tallow
