// The lines as the chat room receives them, byte for byte, written out here
// independently of the catalogue's own source.

#include "idler/catalogue.h"

#include <gtest/gtest.h>

#include "bridge/ansi_text.h"

namespace tallow {
namespace {

std::string Bytes(const std::wstring& line) { return ToWindows1252(line); }

TEST(Catalogue, FixedLinesAreExactWindows1252Bytes) {
  EXPECT_EQ(Bytes(LineLoaded),
            "<font><font face=Sylfaen><font color=#339900><b>\xB7\xBF\xB7 TALLOW Ziz3a \xB7\xBF\xB7 <i>L0aDeD</font>");
  EXPECT_EQ(
      Bytes(LineUnloaded),
      "<font><font face=Sylfaen><font color=#339900><b>\xB7\xBF\xB7 TALLOW Ziz3a \xB7\xBF\xB7 <i>UnL0adEd</font>");
  EXPECT_EQ(Bytes(LineStarted),
            "<font><font face=Sylfaen><font color=#339900><b>\xB7\xBF\xB7 TALLOW Ziz3a \xB7\xBF\xB7 <i>Started</font>");
  EXPECT_EQ(Bytes(LineStopped),
            "<font><font face=Sylfaen><font color=#339900><b>\xB7\xBF\xB7 TALLOW Ziz3a \xB7\xBF\xB7 <i>Stopped</font>");
  EXPECT_EQ(Bytes(LineBanner),
            "<font><font face=Sylfaen><font color=#339900><b>\xB7\xBF\xB7 TALLOW Ziz3a \xB7\xBF\xB7</font>");
  EXPECT_EQ(Bytes(LineCredit),
            "<font><font face=Sylfaen><font size=#8><font color=#666666><s>\xB7kR3aTeD b\xCE MoRdAnT\xB7</font>");
  EXPECT_EQ(Bytes(LineTeam),
            "<font><font face=Sylfaen><font size=#8><font color=#000000><i><u>-\xB7\xB7\xB7\xB7 gLoAmInG iNc. "
            "\xB7\xB7\xB7\xB7-</font>");
}

TEST(Catalogue, EveryCharacterIsOneByteAndOnlyThreeAreNotAscii) {
  for (const std::wstring* line :
       {&LineLoaded, &LineUnloaded, &LineStarted, &LineStopped, &LineBanner, &LineCredit, &LineTeam}) {
    EXPECT_EQ(Bytes(*line).size(), line->size());
    for (wchar_t c : *line) {
      const bool ascii = c >= 0x20 && c < 0x7F;
      EXPECT_TRUE(ascii || c == 0xB7 || c == 0xBF || c == 0xCE) << static_cast<int>(c);
    }
  }
}

TEST(Catalogue, GreenLinesShareTheirFirst52Characters) {
  const std::wstring prefix = L"<font><font face=Sylfaen><font color=#339900><b>\u00B7\u00BF\u00B7 ";
  ASSERT_EQ(prefix.size(), 52u);
  for (const std::wstring& line : {LineLoaded, LineUnloaded, LineStarted, LineStopped, LineBanner, LineReason(L"x"),
                                   LineIdleFor(L"1", L"2"), LineTotal(L"1", L"2")})
    EXPECT_EQ(line.substr(0, 52), prefix) << Bytes(line);
  EXPECT_EQ(LineCredit.substr(0, 39), LineTeam.substr(0, 39));
  EXPECT_EQ(LineCredit.substr(0, 39), L"<font><font face=Sylfaen><font size=#8>");
}

TEST(Catalogue, ReasonIsInsertedUnchanged) {
  const std::string head = "<font><font face=Sylfaen><font color=#339900><b>\xB7\xBF\xB7 Reason Idle: <u>";
  const std::string tail = "</u> \xB7\xBF\xB7</font>";
  EXPECT_EQ(Bytes(LineReason(L"Reason Idle.........")), head + "Reason Idle........." + tail);
  EXPECT_EQ(Bytes(LineReason(L"")), head + tail);
  EXPECT_EQ(Bytes(LineReason(L"<b>lunch</u> & </font>")), head + "<b>lunch</u> & </font>" + tail);
  EXPECT_EQ(Bytes(LineReason(L"  spaced  ")), head + "  spaced  " + tail);
}

TEST(Catalogue, IdleForAndTotalKeepCounterTextsAndTheirOwnTails) {
  EXPECT_EQ(Bytes(LineIdleFor(L"00", L"1")),
            "<font><font face=Sylfaen><font color=#339900><b>\xB7\xBF\xB7 Idle For: 00 Hour(s) and 1 Min(s) "
            "\xB7\xBF\xB7</font>");
  EXPECT_EQ(Bytes(LineIdleFor(L"00", L"60")),
            "<font><font face=Sylfaen><font color=#339900><b>\xB7\xBF\xB7 Idle For: 00 Hour(s) and 60 Min(s) "
            "\xB7\xBF\xB7</font>");
  EXPECT_EQ(Bytes(LineTotal(L"00", L"00")),
            "<font><font face=Sylfaen><font color=#339900><b>\xB7\xBF\xB7 Total Idle Time: 00 Hour(s) and 00 "
            "Min(s)  \xB7\xBF\xB7 </font>");
  EXPECT_EQ(Bytes(LineTotal(L"100", L"7")),
            "<font><font face=Sylfaen><font color=#339900><b>\xB7\xBF\xB7 Total Idle Time: 100 Hour(s) and 7 "
            "Min(s)  \xB7\xBF\xB7 </font>");
  const std::wstring idle = LineIdleFor(L"00", L"00"), total = LineTotal(L"00", L"00");
  EXPECT_EQ(idle.substr(idle.size() - 18), L" Min(s) \u00B7\u00BF\u00B7</font>");
  EXPECT_EQ(total.substr(total.size() - 20), L" Min(s)  \u00B7\u00BF\u00B7 </font>");
}

}  // namespace
}  // namespace tallow
