#pragma once

#include <string>

namespace tallow {

// Every line the idler posts into the chat room. The lines are HTML fragments
// that the chat client renders; their tags are deliberately unbalanced and
// must go out exactly as written here.
extern const std::wstring LineLoaded;
extern const std::wstring LineUnloaded;
extern const std::wstring LineStarted;
extern const std::wstring LineStopped;
extern const std::wstring LineBanner;
extern const std::wstring LineCredit;
extern const std::wstring LineTeam;

// Templates. Their pieces are inserted as they are: no trimming, padding or
// escaping, so "00" stays "00" and a reason holding markup keeps it.
std::wstring LineReason(const std::wstring& reason);
std::wstring LineIdleFor(const std::wstring& hours, const std::wstring& minutes);
std::wstring LineTotal(const std::wstring& hours, const std::wstring& minutes);

}  // namespace tallow
