// The reason box's hidden keywords, the secondary windows they and the About
// button open, and the texts those show.

#include <gtest/gtest.h>

#include <algorithm>

#include "idler/catalogue.h"
#include "idler/form1_declaration.h"
#include "idler/keywords.h"
#include "tests/golden/expected.h"
#include "tests/stubs/idler_sim.h"
#include "windows/form2_declaration.h"
#include "windows/form3_declaration.h"

namespace tallow {
namespace {

using sim::Ansi;
using sim::Loaded;

const std::wstring kReset = L"Reason Idle.........";

// Each keyword opens its extra within half a second and resets the box. The
// dedication's, typed again while its window is open, shows that window
// again; once it was closed, loads it anew.
TEST(Keywords, EachOpensItsExtraWithinHalfASecondAndResetsTheBoxAndTheOpenDedicationIsShownAgain) {
  Loaded s;
  s.Type(1.1, L"Info");
  s.Type(3.1, L"Screennames");
  s.Type(5.1, L"MoRdAnT");
  s.Type(7.1, L"Juniper");
  s.desk.RunUntil(9);
  EXPECT_EQ(s.boxes.shown, (std::vector<std::wstring>{InfoBoxText(), ScreenNamesBoxText(), AuthorBoxText()}));
  EXPECT_TRUE(s.form3.Loaded());
  EXPECT_EQ(s.desk.topmostCalls,
            (std::vector<WindowHandle>{s.form1.handle, s.form3.handle}));  // the dedication window's load
  EXPECT_EQ(s.Text1.Text(), kReset);
  EXPECT_EQ(s.Lines().size(), 1u);  // keywords post nothing
  s.Type(9.2, L"Juniper");
  s.desk.RunUntil(10);
  EXPECT_EQ(s.form3.loads, 1);
  EXPECT_EQ(s.form3.showCalls, 2);
  s.desk.At(10.1, [&] { s.form3.Close(); });  // the user closes it
  s.Type(10.2, L"Juniper");
  s.desk.RunUntil(11);
  EXPECT_EQ(s.form3.loads, 2);  // loaded anew, and made topmost anew
  EXPECT_EQ(std::count(s.desk.topmostCalls.begin(), s.desk.topmostCalls.end(), s.form3.handle), 2);
}

TEST(Keywords, OnlyTheWholeTextInTheRightCaseCounts) {
  for (const wchar_t* text : {L"info", L"INFO", L" Info", L"Info ", L"Info please", L"juniper", L"Mordant",
                              L"Screennames.....", L"Juniper\r\n", L""}) {
    Loaded s;
    s.Type(0.2, text);
    s.desk.RunUntil(3);
    EXPECT_TRUE(s.boxes.shown.empty()) << "text: " << std::string(text, text + std::wcslen(text));
    EXPECT_FALSE(s.form3.Loaded());
    EXPECT_EQ(s.Text1.Text(), text);
  }
}

TEST(Keywords, ALongerWordCanBeCutShortByATick) {
  Loaded s;
  s.Type(0.4, L"Info");         // a tick at 0.5 falls between the keystrokes
  s.Type(0.6, L"Information");  // too late: the box was reset meanwhile
  s.desk.RunUntil(2);
  EXPECT_EQ(s.boxes.shown, std::vector<std::wstring>{InfoBoxText()});
  EXPECT_EQ(s.Text1.Text(), L"Information");
}

TEST(Keywords, TicksUnderAnOpenBoxFindNothing) {
  Loaded s;
  s.boxes.holdSeconds = 3;  // the user reads the box for three seconds
  s.Type(0.2, L"MoRdAnT");
  s.desk.RunUntil(10);
  EXPECT_EQ(s.boxes.shown.size(), 1u);
  EXPECT_GE(s.Timer2.TicksDelivered(), 19u);  // the watcher kept ticking under the box
}

TEST(Keywords, KeywordJustBeforeStartOpensInsideStartsPause) {
  Loaded s;
  s.boxes.holdSeconds = 2;
  s.Type(0.9, L"Info");
  s.Start(0.95);  // the tick at 1.0 falls inside Start's pause
  s.desk.RunUntil(5);
  EXPECT_EQ(s.boxes.shown, std::vector<std::wstring>{InfoBoxText()});
  const auto lines = s.Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2], Ansi(LineReason(kReset)));
  EXPECT_NEAR(s.Times()[2], 3.0, 1e-9);  // Start went on once the box was closed
  EXPECT_TRUE(s.Idling());
}

TEST(Keywords, KeywordInTheDisabledBoxWhileIdlingIsStillActedOn) {
  Loaded s;
  s.Type(0.1, L"x");
  s.Start(0.2);
  s.desk.At(30, [&] { s.Text1.SetText(L"Info"); });  // already there, say, before the box was disabled
  s.desk.RunUntil(0.9 + 60 + 2);
  EXPECT_EQ(s.boxes.shown.size(), 1u);
  EXPECT_EQ(s.Lines()[4], Ansi(LineReason(kReset)));  // the minute's report
}

// Site without a browser changes nothing. About pressed twice is one
// window, never topmost, loaded anew once it was closed; and with About
// open, Exit keeps the application until About closes.
TEST(SecondaryWindows, SiteChangesNothingAboutIsOneWindowNeverTopmostAndKeepsTheApplicationAfterExit) {
  Loaded s;
  s.Site(0.5);
  s.desk.RunUntil(0.9);
  EXPECT_EQ(s.Lines().size(), 1u);
  EXPECT_TRUE(s.NotIdling());
  EXPECT_FALSE(s.form2.Loaded());
  s.About(1);
  s.About(2);
  s.desk.RunUntil(3);
  EXPECT_EQ(s.form2.loads, 1);
  EXPECT_EQ(s.form2.showCalls, 2);
  s.desk.At(3.5, [&] { s.form2.Close(); });
  s.About(4);
  s.desk.RunUntil(5);
  EXPECT_EQ(s.form2.loads, 2);
  EXPECT_EQ(std::count(s.desk.topmostCalls.begin(), s.desk.topmostCalls.end(), s.form2.handle), 0);
  s.Exit(6);
  s.desk.RunUntil(9);
  EXPECT_FALSE(s.form1.Loaded());
  EXPECT_FALSE(s.desk.QuitRequested());
  s.desk.At(10, [&] { s.form2.Close(); });
  s.desk.RunUntil(11);
  EXPECT_TRUE(s.desk.QuitRequested());
}

TEST(Texts, AreTheGoldenOnesWhereverTheyAreShown) {
  namespace texts = golden::texts;
  struct Row {
    const char* what;
    std::wstring shown;
    const std::wstring& expected;
  };
  const Row rows[] = {
      {"info box", InfoBoxText(), texts::kInfoBox},
      {"screen-name box", ScreenNamesBoxText(), texts::kScreenNamesBox},
      {"author box", AuthorBoxText(), texts::kAuthorBox},
      {"About's keyword hint", kForm2Declaration.Control("Label2")->text, texts::kKeywordHint},
      {"reason box at load", kForm1Declaration.Control("Text1")->text, texts::kResetReason},
      {"reason box after a keyword", kReasonResetText, texts::kResetReason},
      {"main window's caption", kForm1Declaration.caption, texts::kTitle},
      {"title label", kForm1Declaration.Control("Label1")->text, texts::kTitle},
      {"About's caption", kForm2Declaration.caption, L"aB0uT " + texts::kTitle},
      {"dedication's caption", kForm3Declaration.caption, L"Juniper........."},
  };
  for (const Row& row : rows) EXPECT_EQ(row.shown, row.expected) << row.what;
}

}  // namespace
}  // namespace tallow
