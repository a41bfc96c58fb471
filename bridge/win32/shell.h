#pragma once

#include "bridge/launcher.h"

namespace tallow::win32 {

// kernel32 and shell32, through their A calls.
class SystemShell : public Shell {
 public:
  unsigned long TempPath(std::string& buffer) override;
  NewFile CreateNewFile(const std::string& path) override;
  bool IsFile(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  long LookUpExecutable(const std::string& file, const std::string& directory, std::string& buffer) override;
  bool StartProcess(const std::string& application, const std::string& commandLine) override;
};

}  // namespace tallow::win32
