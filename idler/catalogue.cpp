#include "idler/catalogue.h"

namespace tallow {
namespace {

// "·¿·" is middle dot, inverted question mark, middle dot; "Î" is the capital
// I with circumflex. Each is one byte in Windows-1252.
#define DOTS L"\u00B7\u00BF\u00B7"
#define GREEN L"<font><font face=Sylfaen><font color=#339900><b>" DOTS L" "
#define SMALL L"<font><font face=Sylfaen><font size=#8>"

const std::wstring kHourPiece = L" Hour(s) and ";

}  // namespace

const std::wstring LineLoaded = GREEN L"TALLOW Ziz3a " DOTS L" <i>L0aDeD</font>";
const std::wstring LineUnloaded = GREEN L"TALLOW Ziz3a " DOTS L" <i>UnL0adEd</font>";
const std::wstring LineStarted = GREEN L"TALLOW Ziz3a " DOTS L" <i>Started</font>";
const std::wstring LineStopped = GREEN L"TALLOW Ziz3a " DOTS L" <i>Stopped</font>";
const std::wstring LineBanner = GREEN L"TALLOW Ziz3a " DOTS L"</font>";
const std::wstring LineCredit =
    SMALL L"<font color=#666666><s>\u00B7kR3aTeD b\u00CE MoRdAnT\u00B7</font>";
const std::wstring LineTeam =
    SMALL L"<font color=#000000><i><u>-\u00B7\u00B7\u00B7\u00B7 gLoAmInG iNc. \u00B7\u00B7\u00B7\u00B7-</font>";

std::wstring LineReason(const std::wstring& reason) {
  return GREEN L"Reason Idle: <u>" + reason + L"</u> " DOTS L"</font>";
}

std::wstring LineIdleFor(const std::wstring& hours, const std::wstring& minutes) {
  return GREEN L"Idle For: " + hours + kHourPiece + minutes + L" Min(s) " DOTS L"</font>";
}

std::wstring LineTotal(const std::wstring& hours, const std::wstring& minutes) {
  return GREEN L"Total Idle Time: " + hours + kHourPiece + minutes + L" Min(s)  " DOTS L" </font>";
}

}  // namespace tallow
