// Transcript records: the text format only, no file or clock access, so a
// test can check it without a running room.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace practice {

// Printable ASCII stays as is, except '\' which becomes \x5C so the field can
// be decoded without ambiguity; every other byte becomes \xHH (uppercase).
std::string escape_line(std::string_view bytes);

// counter*1000/frequency without overflowing 64 bits for large counters.
std::int64_t counter_to_ms(std::int64_t counter, std::int64_t frequency);

// "<ms>\t<room>\t<field>\n"
std::string format_record(std::int64_t ms, std::string_view room, std::string_view field);

} // namespace practice
