#pragma once

#include "runtime/controls.h"

namespace tallow::win32 {

// Message boxes with the application title, modal to the window that owns
// them (the main window while it is loaded).
class WindowMessageBoxes : public MessageBoxes {
 public:
  void SetOwner(const Form* owner) { owner_ = owner; }
  void Show(const std::wstring& text) override;

 private:
  const Form* owner_ = nullptr;
};

}  // namespace tallow::win32
