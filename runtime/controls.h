#pragma once

#include <cstdint>
#include <string>

namespace tallow {

// A control of one of our windows as its handlers see it: a caption or text
// and an enabled state. Labels, buttons and the text box all look like this.
class Control {
 public:
  virtual ~Control() = default;
  virtual std::wstring Text() const = 0;
  virtual void SetText(const std::wstring& text) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
};

// A form's timer: ticks at its interval while enabled.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
};

// The platform's handle of one of our windows; 0 while it is not loaded.
using WindowHandle = std::uintptr_t;

// One of our top-level windows.
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

// The runtime's modal message box: the text, one OK button, no icon, the
// application title as its caption. Returns when the user has closed it.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void Show(const std::wstring& text) = 0;
};

}  // namespace tallow
