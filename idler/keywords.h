#pragma once

#include <string>

namespace tallow {

// Typed as the whole text of the reason box, these open hidden extras.
extern const std::wstring kKeywordDedication;   // the dedication window
extern const std::wstring kKeywordInfo;         // facts about the program
extern const std::wstring kKeywordScreenNames;  // the friends' screen names
extern const std::wstring kKeywordAuthor;       // facts about its author

// The reason box's text at load, and again after a keyword acted. An array,
// not a std::wstring, so that the window's control table can take it while
// statics are still being made.
inline constexpr wchar_t kReasonResetText[] = L"Reason Idle.........";

// The three message boxes' texts: lines joined by a lone carriage return.
std::wstring InfoBoxText();
std::wstring ScreenNamesBoxText();
std::wstring AuthorBoxText();

}  // namespace tallow
