#pragma once

#include <string>

namespace tallow {

// The runtime's text-to-number conversion: leading and trailing blanks are
// ignored; a text that is not a number gives 0.
double TextToNumber(const std::wstring& text);

// The runtime's number-to-text conversion: whole numbers as their decimal
// digits with no leading zeros, sign, blanks, point or grouping ("1", "60",
// "100"); other numbers in the shortest form that reads back the same.
std::wstring NumberToText(double value);

}  // namespace tallow
