#include "bridge/ansi_text.h"

#include <gtest/gtest.h>

namespace tallow {
namespace {

TEST(Windows1252, EveryByteRoundTrips) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::wstring text = FromWindows1252(all);
  ASSERT_EQ(text.size(), all.size());
  EXPECT_EQ(ToWindows1252(text), all);
  EXPECT_EQ(text[0x80 - 1], L'\u20AC');  // the euro sign
  EXPECT_EQ(text[0x99 - 1], L'\u2122');  // the trade-mark sign of the title
}

TEST(Windows1252, NoBestFitSubstitutes) {
  // Fullwidth "<", ">", "A"; a Latin letter with no Windows-1252 form; the
  // infinity sign, which best-fit would turn into "8".
  EXPECT_EQ(ToWindows1252(L"\uFF1C\uFF1E\uFF21"), "???");
  EXPECT_EQ(ToWindows1252(L"\u0101"), "?");
  EXPECT_EQ(ToWindows1252(L"\u221E"), "?");
}

TEST(Windows1252, TextOutsideTheCodePageBecomesOneQuestionMarkPerCharacter) {
  EXPECT_EQ(ToWindows1252(L"\u4F60\u597D"), "??");                // Chinese
  EXPECT_EQ(ToWindows1252(L"\u05E9\u05DC\u05D5\u05DD"), "????");  // Hebrew
  const std::wstring emoji = L"\U0001F600";                       // a surrogate pair where wchar_t has 16 bits
  EXPECT_EQ(ToWindows1252(L"a" + emoji + L"b"), "a?b");
  // A lone surrogate is a character of its own.
  if (sizeof(wchar_t) == 2) {
    EXPECT_EQ(ToWindows1252(std::wstring{wchar_t(0xD83D), L'x'}), "?x");
  }
}

TEST(Windows1252, ControlCharactersAndNulPassThrough) {
  const std::wstring text{L'a', L'\0', L'\t', L'\r', L'\n', L'\x1B'};
  EXPECT_EQ(ToWindows1252(text), std::string("a\0\t\r\n\x1B", 6));
}

}  // namespace
}  // namespace tallow
