#pragma once

#include <string>

#include "bridge/platform.h"

namespace tallow {

// The code module shared by the windows: speaking in the chat room, the pause
// between the lines of an announcement, and the two window operations.
class Tallow_Idler {
 public:
  explicit Tallow_Idler(const Platform& platform) : platform_(platform), launcher_(platform.shell) {}

  // Posts one line into the chat room the user has open. Nothing is reported:
  // with no client or no room open the line is silently lost.
  void PostChatLine(const std::wstring& line);
  // Returns once `seconds` have passed, handling events meanwhile, so that
  // every window stays responsive and other handlers may run inside the
  // pause. Returns early only when the application is ending.
  void WaitSeconds(double seconds);
  void KeepOnTop(const Form& window);
  void BeginWindowDrag(const Form& window);

  // The default browser, as BrowserLauncher finds and starts it.
  bool LaunchUrl(const std::wstring& url) { return launcher_.LaunchUrl(url); }
  std::wstring LocateBrowser(long& code) { return launcher_.LocateBrowser(code); }
  std::wstring TempFolderPath() { return launcher_.TempFolderPath(); }
  static std::string CutAtNul(const std::string& text) { return tallow::CutAtNul(text); }

 private:
  Platform platform_;
  BrowserLauncher launcher_;
};

}  // namespace tallow
