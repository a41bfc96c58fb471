#pragma once

#include <string>

namespace tallow {

// A control of one of our windows as its handlers see it: a caption or text
// and an enabled state. Labels, buttons, frames and the text box all look
// like this. While its window does not exist it reads "" and ignores writes.
class Control {
 public:
  virtual ~Control() = default;
  virtual std::wstring Text() const = 0;
  virtual void SetText(const std::wstring& text) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
};

}  // namespace tallow
