// Stands in for the user's web browser in the Site tests: records how it was
// started and exits. Each start writes "start-<process id>.txt" into the
// folder named by FAKE_BROWSER_RECORDS, as UTF-8:
//   line 1: STARTUPINFO dwFlags (hex)
//   line 2: STARTUPINFO wShowWindow
//   then the command line exactly as GetCommandLineW gives it (no newline).
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

// "" without the folder.
std::wstring record_path() {
  wchar_t folder[MAX_PATH * 2];
  DWORD n = GetEnvironmentVariableW(L"FAKE_BROWSER_RECORDS", folder, MAX_PATH * 2);
  if (n == 0 || n >= MAX_PATH * 2) return L"";
  return std::wstring(folder, n) + L"\\start-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  char head[64];
  std::snprintf(head, sizeof head, "%08lX\n%u\n", static_cast<unsigned long>(startup.dwFlags),
                static_cast<unsigned>(startup.wShowWindow));
  const std::string record = head + utf8(GetCommandLineW());

  // Written under another name and moved into place, so a reader never sees
  // half a record.
  const std::wstring path = record_path();
  if (path.empty()) return 1;
  const std::wstring part = path + L".part";
  HANDLE file = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(file);
  if (!ok || !MoveFileExW(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return 1;
  return 0;
}
