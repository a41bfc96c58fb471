#include "idler/catalogue.h"

namespace tallow {
namespace {

// "·¿·" is middle dot, inverted question mark, middle dot; "Î" is the capital
// I with circumflex. Each is one byte in Windows-1252.
const std::wstring kDots = L"\u00B7\u00BF\u00B7";
const std::wstring kGreen = L"<font><font face=Sylfaen><font color=#339900><b>" + kDots + L" ";
const std::wstring kSmall = L"<font><font face=Sylfaen><font size=#8>";

const std::wstring kHourPiece = L" Hour(s) and ";

}  // namespace

const std::wstring LineLoaded = kGreen + L"TALLOW Ziz3a " + kDots + L" <i>L0aDeD</font>";
const std::wstring LineUnloaded = kGreen + L"TALLOW Ziz3a " + kDots + L" <i>UnL0adEd</font>";
const std::wstring LineStarted = kGreen + L"TALLOW Ziz3a " + kDots + L" <i>Started</font>";
const std::wstring LineStopped = kGreen + L"TALLOW Ziz3a " + kDots + L" <i>Stopped</font>";
const std::wstring LineBanner = kGreen + L"TALLOW Ziz3a " + kDots + L"</font>";
const std::wstring LineCredit = kSmall + L"<font color=#666666><s>\u00B7kR3aTeD b\u00CE MoRdAnT\u00B7</font>";
const std::wstring LineTeam =
    kSmall + L"<font color=#000000><i><u>-\u00B7\u00B7\u00B7\u00B7 gLoAmInG iNc. \u00B7\u00B7\u00B7\u00B7-</font>";

std::wstring LineReason(const std::wstring& reason) {
  return kGreen + L"Reason Idle: <u>" + reason + L"</u> " + kDots + L"</font>";
}

std::wstring LineIdleFor(const std::wstring& hours, const std::wstring& minutes) {
  return kGreen + L"Idle For: " + hours + kHourPiece + minutes + L" Min(s) " + kDots + L"</font>";
}

std::wstring LineTotal(const std::wstring& hours, const std::wstring& minutes) {
  return kGreen + L"Total Idle Time: " + hours + kHourPiece + minutes + L" Min(s)  " + kDots + L" </font>";
}

}  // namespace tallow
