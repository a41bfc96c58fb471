#pragma once

#include <string>

namespace tallow {

// What launching the default browser needs from the platform: the kernel32
// and shell32 A calls, whose bytes Windows reads and writes in the system's
// ANSI code page. The launcher turns its text to and from them as
// Windows-1252, which is that code page on Western Windows; elsewhere a
// path outside ASCII is misread. The names differ from the Win32 ones
// because those are macros in <windows.h>.
class Shell {
 public:
  enum class NewFile { kCreated, kExists, kFailed };

  virtual ~Shell() = default;
  // GetTempPathA(buffer.size(), buffer); returns what it returned.
  virtual unsigned long TempPath(std::string& buffer) = 0;
  // Creates an empty file and closes it (CreateFileA with CREATE_NEW), so a
  // file that is already there is never truncated: that gives kExists.
  virtual NewFile CreateNewFile(const std::string& path) = 0;
  // GetFileAttributesA: something is there and it is not a folder.
  virtual bool IsFile(const std::string& path) = 0;
  // DeleteFileA.
  virtual bool RemoveFile(const std::string& path) = 0;
  // FindExecutableA(file, directory, buffer); returns its result code.
  // `buffer` must hold at least 260 bytes, as FindExecutableA assumes.
  virtual long LookUpExecutable(const std::string& file, const std::string& directory, std::string& buffer) = 0;
  // CreateProcessA(application, commandLine, ...) shown normally, not
  // waited for, both handles closed; true when a process was started.
  virtual bool StartProcess(const std::string& application, const std::string& commandLine) = 0;
};

// Text up to, not including, its first NUL; all of it when it has none.
std::string CutAtNul(const std::string& text);

// The default browser, found through a throwaway file in the temporary
// folder; a file of the user's is never touched.
class BrowserLauncher {
 public:
  explicit BrowserLauncher(Shell& shell) : shell_(shell) {}

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
  Shell& shell_;
};

}  // namespace tallow
