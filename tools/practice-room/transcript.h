// The transcript file a test reads to see what the room received.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace practice {

// Empty path: no transcript at all.
void transcript_set_path(const std::wstring& path);

// Milliseconds on QueryPerformanceCounter, comparable between processes.
std::int64_t now_ms();

// Appends "<ms>\t<room>\t<escaped line>\n". The file is opened and closed for
// every record so another process sees it as soon as this returns.
void transcript_line(std::int64_t ms, std::string_view room, std::string_view line_bytes);

// "<ms>\t-\tREADY\n", written once the windows exist and messages flow.
void transcript_ready();

}  // namespace practice
