// The lines as the chat room receives them, byte for byte.

#include "idler/catalogue.h"

#include <gtest/gtest.h>

#include "bridge/ansi_text.h"
#include "tests/golden/expected.h"

namespace tallow {
namespace {

namespace lines = golden::lines;

TEST(Catalogue, LinesAreTheGoldenBytes) {
  struct Row {
    const char* what;
    std::wstring line;
    std::string bytes;
  };
  const Row rows[] = {
      {"loaded", LineLoaded, lines::kLoaded},
      {"unloaded", LineUnloaded, lines::kUnloaded},
      {"started", LineStarted, lines::kStarted},
      {"stopped", LineStopped, lines::kStopped},
      {"banner", LineBanner, lines::kBanner},
      {"credit", LineCredit, lines::kCredit},
      {"team", LineTeam, lines::kTeam},
      {"reason untouched", LineReason(L"Reason Idle........."), lines::reason("Reason Idle.........")},
      {"reason empty", LineReason(L""), lines::reason("")},
      {"reason with markup", LineReason(L"<b>lunch</u> & </font>"), lines::reason("<b>lunch</u> & </font>")},
      {"reason with blanks", LineReason(L"  spaced  "), lines::reason("  spaced  ")},
      {"first minute", LineIdleFor(L"00", L"1"), lines::idle_for("00", "1")},
      {"last minute of the first hour", LineIdleFor(L"00", L"60"), lines::idle_for("00", "60")},
      {"total of nothing", LineTotal(L"00", L"00"), lines::total("00", "00")},
      {"total past a hundred hours", LineTotal(L"100", L"7"), lines::total("100", "7")},
  };
  for (const Row& row : rows) EXPECT_EQ(ToWindows1252(row.line), row.bytes) << row.what;
}

TEST(Catalogue, EveryCharacterIsOneByteAndOnlyThreeAreNotAscii) {
  for (const std::wstring* line :
       {&LineLoaded, &LineUnloaded, &LineStarted, &LineStopped, &LineBanner, &LineCredit, &LineTeam}) {
    EXPECT_EQ(ToWindows1252(*line).size(), line->size());
    for (wchar_t c : *line) {
      const bool ascii = c >= 0x20 && c < 0x7F;
      EXPECT_TRUE(ascii || c == 0xB7 || c == 0xBF || c == 0xCE) << static_cast<int>(c);
    }
  }
}

}  // namespace
}  // namespace tallow
