// The main window's own announcements (load, Adv., Exit), their pauses, and
// what happens when other presses land inside those pauses.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "idler/catalogue.h"
#include "tests/stubs/idler_sim.h"

namespace tallow {
namespace {

using sim::Ansi;
using sim::IdlerSim;
using sim::Loaded;
using ::testing::DoubleNear;
using ::testing::ElementsAre;
using Lines = std::vector<std::string>;

// The load, then a press on the window's background and Minimize, which post nothing.
TEST(MainWindow, LoadMakesTopmostPostsLoadedAndDisablesStopThenMouseDownDragsAndMinimizeMinimizes) {
  Loaded s;
  EXPECT_EQ(s.desk.topmostCalls, (std::vector<WindowHandle>{s.form1.handle}));
  EXPECT_EQ(s.Lines(), Lines{Ansi(LineLoaded)});
  EXPECT_EQ(s.desk.pumpCalls, 0);  // no pause after the load line
  EXPECT_TRUE(s.NotIdling());
  EXPECT_EQ(s.Clock(), L"00:00:00");
  EXPECT_EQ(s.Text1.Text(), L"Reason Idle.........");
  EXPECT_TRUE(s.Timer2.Enabled());
  s.program.form1.MouseDown();
  s.Minimize(1);
  s.desk.RunUntil(2);
  EXPECT_EQ(s.desk.moveCalls, (std::vector<WindowHandle>{s.form1.handle}));
  EXPECT_EQ(s.form1.minimizeCalls, 1);
  EXPECT_EQ(s.Lines().size(), 1u);  // neither posts
}

TEST(MainWindow, AdvPostsThreeLinesSevenTenthsApart) {
  Loaded s;
  s.Adv(10);
  s.desk.RunUntil(20);
  EXPECT_EQ(s.Lines(), (Lines{Ansi(LineLoaded), Ansi(LineBanner), Ansi(LineCredit), Ansi(LineTeam)}));
  EXPECT_THAT(s.Times(),
              ElementsAre(DoubleNear(0, 1e-9), DoubleNear(10, 1e-9), DoubleNear(10.7, 1e-9), DoubleNear(11.4, 1e-9)));
}

TEST(MainWindow, ExitPostsFarewellAndCreditThenUnloadsAndEnds) {
  Loaded s;
  s.Exit(1);
  s.desk.RunUntil(5);
  EXPECT_EQ(s.Lines(), (Lines{Ansi(LineLoaded), Ansi(LineUnloaded), Ansi(LineCredit)}));
  EXPECT_NEAR(s.Times().back(), 1.7, 1e-9);
  EXPECT_FALSE(s.form1.Loaded());
  EXPECT_FALSE(s.Timer2.Enabled());
  EXPECT_TRUE(s.desk.QuitRequested());
}

TEST(MainWindow, AdvInsideStartsPauseRunsWholeBetweenStartAndReason) {
  Loaded s;
  s.Start(0);
  s.Adv(0.3);
  s.desk.RunUntil(3);
  EXPECT_EQ(s.Lines(), (Lines{Ansi(LineLoaded), Ansi(LineStarted), Ansi(LineBanner), Ansi(LineCredit), Ansi(LineTeam),
                              Ansi(LineReason(L"Reason Idle........."))}));
  EXPECT_THAT(s.Times(), ElementsAre(DoubleNear(0, 1e-9), DoubleNear(0, 1e-9), DoubleNear(0.3, 1e-9),
                                     DoubleNear(1.0, 1e-9), DoubleNear(1.7, 1e-9), DoubleNear(1.7, 1e-9)));
  EXPECT_TRUE(s.Idling());
}

TEST(MainWindow, TwoAdvsInterleave) {
  Loaded s;
  s.Adv(0);
  s.Adv(0.2);
  s.desk.RunUntil(5);
  // The second advert runs whole inside the first one's first pause.
  EXPECT_EQ(s.Lines(), (Lines{Ansi(LineLoaded), Ansi(LineBanner), Ansi(LineBanner), Ansi(LineCredit), Ansi(LineTeam),
                              Ansi(LineCredit), Ansi(LineTeam)}));
}

TEST(MainWindow, ExitInsideAdvsPauseEndsTheAdvertAndTheApplication) {
  Loaded s;
  s.Adv(0);
  s.Exit(0.3);
  s.Adv(0.5);  // runs whole inside Exit's pause, the window still loaded
  s.desk.RunUntil(10);
  EXPECT_EQ(s.Lines(), (Lines{Ansi(LineLoaded), Ansi(LineBanner), Ansi(LineUnloaded), Ansi(LineBanner),
                              Ansi(LineCredit), Ansi(LineTeam), Ansi(LineCredit)}));
  EXPECT_FALSE(s.form1.Loaded());
  EXPECT_EQ(s.form1.loads, 1);  // never loaded again behind the user's back
  EXPECT_TRUE(s.desk.QuitRequested());
}

TEST(MainWindow, ExitWhileIdlingPostsNoTotal) {
  Loaded s;
  s.Start(0);
  s.Exit(125);
  s.desk.RunUntil(200);
  const Lines lines = s.Lines();
  EXPECT_EQ(lines.back(), Ansi(LineCredit));
  EXPECT_EQ(lines[lines.size() - 2], Ansi(LineUnloaded));
  for (const auto& line : lines) EXPECT_EQ(line.find("Total"), std::string::npos);
  EXPECT_FALSE(s.Timer1.Enabled());
}

TEST(MainWindow, ExitInsideATicksReportDropsTheRestOfTheReport) {
  Loaded s;
  s.Start(0);
  s.Exit(60.7 + 0.2);  // report of minute 1 starts at 60.7
  s.desk.RunUntil(80);
  const Lines lines = s.Lines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(Lines(lines.end() - 3, lines.end()), (Lines{Ansi(LineBanner), Ansi(LineUnloaded), Ansi(LineCredit)}));
  EXPECT_EQ(s.Clock(), L"00:1:00");  // the hour check never ran on a dead window
}

TEST(MainWindow, NoChatClientChangesNothingButThePosts) {
  IdlerSim s;
  s.desk.clientRunning = false;
  s.Load();
  s.Adv(1);
  s.Start(5);
  s.desk.RunUntil(70);
  EXPECT_TRUE(s.Lines().empty());
  EXPECT_TRUE(s.Idling());
  EXPECT_EQ(s.Clock(), L"00:1:4");
}

// Mistakes the compiler cannot see end the program at once: handlers bound
// to a form made from another window's declaration.
TEST(Wiring, HandlersOfAnotherWindowEndTheProgramNamingBoth) {
  IdlerSim s;
  EXPECT_DEATH(Form3(s.program.module, s.program.form2),
               "TallowDivod.Form2: bound to the handlers of TallowDivod.Form3");
}

}  // namespace
}  // namespace tallow
