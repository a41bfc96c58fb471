// Transcript records: the text format only, no file or clock access, so a
// test can check it without a running room. A line's bytes are escaped as
// transcript_escape.h writes them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace practice {

// counter*1000/frequency without overflowing 64 bits for large counters.
std::int64_t counter_to_ms(std::int64_t counter, std::int64_t frequency);

// "<ms>\t<room>\t<field>\n"
std::string format_record(std::int64_t ms, std::string_view room, std::string_view field);

}  // namespace practice
