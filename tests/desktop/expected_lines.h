// The chat lines the idler posts, as the bytes the room receives. Written out
// here on purpose rather than taken from the idler's sources, so a change in
// the idler's catalogue shows up as a failure.
#pragma once

#include <string>

namespace desktop::lines {

// Windows-1252: middle dot, inverted question mark, I with circumflex.
#define DT_DOT "\xB7"
#define DT_QMARK "\xBF"
#define DT_ICIRC "\xCE"
#define DT_HEAD "<font><font face=Sylfaen><font color=#339900><b>" DT_DOT DT_QMARK DT_DOT " "

inline const std::string kLoaded = DT_HEAD "TALLOW Ziz3a " DT_DOT DT_QMARK DT_DOT " <i>L0aDeD</font>";
inline const std::string kUnloaded = DT_HEAD "TALLOW Ziz3a " DT_DOT DT_QMARK DT_DOT " <i>UnL0adEd</font>";
inline const std::string kStarted = DT_HEAD "TALLOW Ziz3a " DT_DOT DT_QMARK DT_DOT " <i>Started</font>";
inline const std::string kStopped = DT_HEAD "TALLOW Ziz3a " DT_DOT DT_QMARK DT_DOT " <i>Stopped</font>";
inline const std::string kBanner = DT_HEAD "TALLOW Ziz3a " DT_DOT DT_QMARK DT_DOT "</font>";
inline const std::string kCredit = "<font><font face=Sylfaen><font size=#8><font color=#666666><s>" DT_DOT
                                   "kR3aTeD b" DT_ICIRC " MoRdAnT" DT_DOT "</font>";
inline const std::string kTeam =
    "<font><font face=Sylfaen><font size=#8><font color=#000000><i><u>-" DT_DOT DT_DOT DT_DOT DT_DOT
    " gLoAmInG iNc. " DT_DOT DT_DOT DT_DOT DT_DOT "-</font>";

inline std::string reason(const std::string& r) {
  return DT_HEAD "Reason Idle: <u>" + r + "</u> " DT_DOT DT_QMARK DT_DOT "</font>";
}

inline std::string idle_for(const std::string& h, const std::string& m) {
  return DT_HEAD "Idle For: " + h + " Hour(s) and " + m + " Min(s) " DT_DOT DT_QMARK DT_DOT "</font>";
}

// Two spaces before the closing dots and one after: that is how it is posted.
inline std::string total(const std::string& h, const std::string& m) {
  return DT_HEAD "Total Idle Time: " + h + " Hour(s) and " + m + " Min(s)  " DT_DOT DT_QMARK DT_DOT " </font>";
}

#undef DT_HEAD
#undef DT_ICIRC
#undef DT_QMARK
#undef DT_DOT

}  // namespace desktop::lines
