// GoogleTest's Notification, which only its own thread tests use, is built on
// std::mutex; GCC 12's -win32 thread flavour (the 32-bit build) has none. The
// same class without it, force-included wherever GoogleTest is compiled. It
// names no Windows header, so a test's own _WIN32_WINNT still holds.
#pragma once

#include <atomic>

extern "C" __declspec(dllimport) void __stdcall Sleep(unsigned long milliseconds);

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { notified_ = true; }
  void WaitForNotification() {
    while (!notified_) Sleep(1);
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing
