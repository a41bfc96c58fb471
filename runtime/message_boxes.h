#pragma once

#include <string>

namespace tallow {

// The runtime's modal message box: the text, one OK button, no icon, the
// application's title as its caption. Returns when the user has closed it.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void Show(const std::wstring& text) = 0;
};

}  // namespace tallow
