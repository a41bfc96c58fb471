#include "bridge/win32/shell.h"

#include <windows.h>
#include <shellapi.h>

#include <climits>
#include <vector>

#include "runtime/win32/proc_address.h"
#include "runtime/win32/system_dlls.h"

namespace tallow::win32 {

unsigned long SystemShell::TempPath(std::string& buffer) {
  return GetTempPathA(static_cast<DWORD>(buffer.size()), buffer.data());
}

Shell::NewFile SystemShell::CreateNewFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return NewFile::kCreated;
  }
  const DWORD error = GetLastError();
  return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? NewFile::kExists : NewFile::kFailed;
}

bool SystemShell::IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SystemShell::RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

long SystemShell::LookUpExecutable(const std::string& file, const std::string& directory, std::string& buffer) {
  // FindExecutableA writes up to MAX_PATH bytes whatever the buffer is.
  if (buffer.size() < MAX_PATH) return 0;
  // shell32 and the DLLs it brings in are loaded when Site is first pressed,
  // not at start.
  static const auto findExecutable = TALLOW_PROC_ADDRESS(LoadSystemDll(L"shell32.dll"), FindExecutableA);
  if (!findExecutable) return 0;
  const INT_PTR code = reinterpret_cast<INT_PTR>(findExecutable(file.c_str(), directory.c_str(), buffer.data()));
  return static_cast<long>(code > LONG_MAX ? LONG_MAX : code);
}

bool SystemShell::StartProcess(const std::string& application, const std::string& commandLine) {
  // CreateProcessA may write into the command line.
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(application.c_str(), line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                      nullptr, &startup, &process))
    return false;
  const bool started = process.hProcess != nullptr;
  // The browser runs on its own; nothing waits for it.
  if (process.hProcess) CloseHandle(process.hProcess);
  if (process.hThread) CloseHandle(process.hThread);
  return started;
}

}  // namespace tallow::win32
