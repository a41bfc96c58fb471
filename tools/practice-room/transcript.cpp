#include "transcript.h"

#include "record.h"
#include "transcript_escape.h"

#include <windows.h>

namespace practice {

namespace {

std::wstring g_path;

void append_record(const std::string& record) {
  if (g_path.empty()) return;
  // A reader that opened the file without sharing writes blocks us for a
  // moment; retry briefly rather than drop the record.
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100; ++attempt) {
    file = CreateFileW(g_path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION) break;
    Sleep(10);
  }
  if (file == INVALID_HANDLE_VALUE) return;
  const char* data = record.data();
  size_t left = record.size();
  while (left > 0) {
    DWORD chunk = left > 0x10000000 ? 0x10000000 : static_cast<DWORD>(left);
    DWORD written = 0;
    if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) break;
    data += written;
    left -= written;
  }
  CloseHandle(file);
}

}  // namespace

void transcript_set_path(const std::wstring& path) { g_path = path; }

std::int64_t now_ms() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return counter_to_ms(counter.QuadPart, frequency.QuadPart);
}

void transcript_line(std::int64_t ms, std::string_view room, std::string_view line_bytes) {
  if (g_path.empty()) return;
  append_record(format_record(ms, escape_line(room), escape_line(line_bytes)));
}

void transcript_ready() { append_record(format_record(now_ms(), "-", "READY")); }

}  // namespace practice
