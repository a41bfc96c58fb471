#pragma once

#include <string>

#include "bridge/platform.h"

namespace tallow {

// The code module shared by the windows: speaking in the chat room, the pause
// between the lines of an announcement, and the two window operations.
class Tallow_Idler {
 public:
  explicit Tallow_Idler(const Platform& platform) : platform_(platform) {}

  // Posts one line into the chat room the user has open. Nothing is reported:
  // with no client or no room open the line is silently lost.
  void PostChatLine(const std::wstring& line);
  // Returns once `seconds` have passed, handling events meanwhile, so that
  // every window stays responsive and other handlers may run inside the
  // pause. Returns early only when the application is ending.
  void WaitSeconds(double seconds);
  void KeepOnTop(const Form& window);
  void BeginWindowDrag(const Form& window);

  // Starts the default browser (the program that opens ".html" files) with
  // `url`; true when a browser process was started.
  bool LaunchUrl(const std::wstring& url);
  // The program that opens ".html" files, and the look-up's result code in
  // `code` (above 32 when one was found).
  std::wstring LocateBrowser(long& code);
  // The user's temporary folder, ending with a backslash; "" when there is
  // no usable one.
  std::wstring TempFolderPath();

 private:
  Platform platform_;
};

}  // namespace tallow
