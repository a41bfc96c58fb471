#pragma once

#include "runtime/form.h"
#include "runtime/message_boxes.h"

namespace tallow::win32 {

// Message boxes under the application's title, modal to the window that
// owns them (the main window while it is loaded).
class WindowMessageBoxes : public MessageBoxes {
 public:
  explicit WindowMessageBoxes(const wchar_t* title) : title_(title) {}
  void SetOwner(const Form* owner) { owner_ = owner; }
  void Show(const std::wstring& text) override;

 private:
  const wchar_t* title_;
  const Form* owner_ = nullptr;
};

}  // namespace tallow::win32
