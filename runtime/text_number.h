#pragma once

#include <cstdint>
#include <string>

namespace tallow {

// The conversions of the idle clock's counters, which only ever show "00" or
// a whole number.

// The whole number written by the decimal digits `text` begins with: "00"
// and "0" give 0, "59" gives 59; a text that does not begin with a digit
// gives 0.
std::uint64_t TextToNumber(const std::wstring& text);

// `value` as its decimal digits with no leading zeros: 0 gives "0", 60 gives
// "60".
std::wstring NumberToText(std::uint64_t value);

}  // namespace tallow
