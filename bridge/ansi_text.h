#pragma once

#include <string>
#include <string_view>

namespace tallow {

// Text crosses to the platform's A calls in Windows-1252, whatever the
// machine's own code page is. Every character that Windows-1252 holds becomes
// its one byte; any other character (a surrogate pair counts as one) becomes
// "?". There is deliberately no best-fit mapping: a fullwidth "<" must never
// turn into markup on the way out.
std::string ToWindows1252(std::wstring_view text);

// Bytes from the platform back to text; undefined bytes map to the C1 control
// of the same value, as Windows does.
std::wstring FromWindows1252(std::string_view bytes);

}  // namespace tallow
