// What the idler must show and post, written out here by hand rather than
// taken from its sources, so that a change there shows up as a failure. The
// unit tests and the desktop tests both check against these.
#pragma once

#include <string>

namespace golden {

// The chat lines as the room receives them: Windows-1252 bytes, where B7 is
// the middle dot, BF the inverted question mark and CE the I with circumflex.
namespace lines {

inline const std::string kLoaded =
    "<font><font face=Sylfaen><font color=#339900><b>\xB7\xBF\xB7 TALLOW Ziz3a \xB7\xBF\xB7 <i>L0aDeD</font>";
inline const std::string kUnloaded =
    "<font><font face=Sylfaen><font color=#339900><b>\xB7\xBF\xB7 TALLOW Ziz3a \xB7\xBF\xB7 <i>UnL0adEd</font>";
inline const std::string kStarted =
    "<font><font face=Sylfaen><font color=#339900><b>\xB7\xBF\xB7 TALLOW Ziz3a \xB7\xBF\xB7 <i>Started</font>";
inline const std::string kStopped =
    "<font><font face=Sylfaen><font color=#339900><b>\xB7\xBF\xB7 TALLOW Ziz3a \xB7\xBF\xB7 <i>Stopped</font>";
inline const std::string kBanner =
    "<font><font face=Sylfaen><font color=#339900><b>\xB7\xBF\xB7 TALLOW Ziz3a \xB7\xBF\xB7</font>";
inline const std::string kCredit =
    "<font><font face=Sylfaen><font size=#8><font color=#666666><s>\xB7kR3aTeD b\xCE MoRdAnT\xB7</font>";
inline const std::string kTeam =
    "<font><font face=Sylfaen><font size=#8><font color=#000000><i><u>-\xB7\xB7\xB7\xB7 gLoAmInG iNc. "
    "\xB7\xB7\xB7\xB7-</font>";

inline std::string reason(const std::string& reason) {
  return "<font><font face=Sylfaen><font color=#339900><b>\xB7\xBF\xB7 Reason Idle: <u>" + reason +
         "</u> \xB7\xBF\xB7</font>";
}

inline std::string idle_for(const std::string& hours, const std::string& minutes) {
  return "<font><font face=Sylfaen><font color=#339900><b>\xB7\xBF\xB7 Idle For: " + hours + " Hour(s) and " + minutes +
         " Min(s) \xB7\xBF\xB7</font>";
}

// Two blanks before the closing dots and one after: that is how it is posted.
inline std::string total(const std::string& hours, const std::string& minutes) {
  return "<font><font face=Sylfaen><font color=#339900><b>\xB7\xBF\xB7 Total Idle Time: " + hours + " Hour(s) and " +
         minutes + " Min(s)  \xB7\xBF\xB7 </font>";
}

}  // namespace lines

// The texts of the windows and the keyword boxes.
namespace texts {

inline const std::wstring kTitle = L"\u2122Tallow Divod\u2122";
inline const std::wstring kResetReason = L"Reason Idle.........";

// Lines joined by a lone carriage return; the info and author boxes end
// with one, the author box's last line being empty.
inline const std::wstring kInfoBox =
    L"Info on Tallow Divod....\rOS : Windows XP\rAOL : 8.0 - 9.0\rCompleted : Wednesday, May 11, 2005\r"
    L"Coder : MoRdAnT\rTeam : gLoAmInG iNc.\rMade for : Juniper, who kept the room warm\rBLAH!\r";
inline const std::wstring kScreenNamesBox =
    L"Screennames.....\r(All of these are AOL or AIM screennames.....)\rMoRdAnT (coder) = xMoRdAnTx\r"
    L"Juniper (the reason for all this) = JuniperBerry0505\rSprocket (beta tester) = SprocketSpins\r"
    L"Wren (graphics) = LittleWrenSong\rTumble = TumbleweedTales\rCobalt (team leader) = gLoAmInGCobalt";
inline const std::wstring kAuthorBox =
    L"About MoRdAnT......\rName : Morgan Dantry\rAge : 17\rLocation : Larkhollow\rCoding Name : MoRdAnT\r"
    L"Works in : Visual C++, Win32, a soldering iron and a sketchbook\r"
    L"Quote : Leave the lights on, I'll be right back.\r\r";

// 322 characters: the runs of 78 and 36 blanks are part of it.
inline const std::wstring kKeywordHint =
    L"P.S" + std::wstring(78, L' ') +
    L"You can type the following into the \"reason idle\" box to see some extras(do it without quotes\"\") "
    L"\"Juniper\", \"Info\", \"MoRdAnT\", \"Screennames\"" +
    std::wstring(36, L' ') + L"Those are case sensitive, so use capitals in the right places!!!!";

}  // namespace texts
}  // namespace golden
