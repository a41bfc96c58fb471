#include "idler/form1.h"

#include "idler/catalogue.h"
#include "idler/idle_clock.h"
#include "idler/keywords.h"

namespace tallow {
namespace {
constexpr double kLineGap = 0.7;  // seconds between two lines of one announcement
const std::wstring kMakersPage = L"http://www.gloaming-inc.example/tallow-divod/";
}  // namespace

bool Form1::Pause() {
  module_.WaitSeconds(kLineGap);
  return c_.form.Loaded();
}

void Form1::Form_Load() {
  module_.KeepOnTop(c_.form);
  module_.PostChatLine(LineLoaded);
  c_.Command2.SetEnabled(false);
}

void Form1::Form_MouseDown() { module_.BeginWindowDrag(c_.form); }

void Form1::Command1_Click() {
  module_.PostChatLine(LineStarted);
  if (!Pause()) return;
  module_.PostChatLine(LineReason(c_.Text1.Text()));
  c_.Timer1.SetEnabled(true);
  c_.Command1.SetEnabled(false);
  c_.Text1.SetEnabled(false);
  c_.Command2.SetEnabled(true);
}

void Form1::Command2_Click() {
  module_.PostChatLine(LineStopped);
  if (!Pause()) return;
  module_.PostChatLine(LineTotal(c_.Label2.Text(), c_.Label3.Text()));
  c_.Label2.SetText(L"00");
  c_.Label3.SetText(L"00");
  c_.Label4.SetText(L"00");
  c_.Timer1.SetEnabled(false);
  c_.Command1.SetEnabled(true);
  c_.Text1.SetEnabled(true);
  c_.Command2.SetEnabled(false);
}

void Form1::Timer1_Timer() {
  StepCounter(c_.Label4);
  if (ReadsSixty(c_.Label4)) {
    StepCounter(c_.Label3);
    c_.Label4.SetText(L"00");
    module_.PostChatLine(LineBanner);
    if (!Pause()) return;
    module_.PostChatLine(LineReason(c_.Text1.Text()));
    if (!Pause()) return;
    module_.PostChatLine(LineIdleFor(c_.Label2.Text(), c_.Label3.Text()));
  }
  if (ReadsSixty(c_.Label3)) {
    StepCounter(c_.Label2);
    c_.Label3.SetText(L"00");
  }
}

void Form1::Command3_Click() {
  module_.PostChatLine(LineBanner);
  if (!Pause()) return;
  module_.PostChatLine(LineCredit);
  if (!Pause()) return;
  module_.PostChatLine(LineTeam);
}

void Form1::Command4_Click() {
  module_.PostChatLine(LineUnloaded);
  if (!Pause()) return;
  module_.PostChatLine(LineCredit);
  c_.form.Unload();
}

void Form1::Command5_Click() { c_.Form2.Show(); }

void Form1::Command6_Click() { module_.LaunchUrl(kMakersPage); }

void Form1::Command7_Click() { c_.form.Minimize(); }

void Form1::Timer2_Timer() {
  // Each check reads the box afresh; the box is reset before its extra
  // opens, so at most one keyword acts per tick.
  if (c_.Text1.Text() == kKeywordDedication) {
    c_.Text1.SetText(kReasonResetText);
    c_.Form3.Show();
  }
  if (c_.Text1.Text() == kKeywordInfo) {
    c_.Text1.SetText(kReasonResetText);
    c_.boxes.Show(InfoBoxText());
  }
  if (c_.Text1.Text() == kKeywordScreenNames) {
    c_.Text1.SetText(kReasonResetText);
    c_.boxes.Show(ScreenNamesBoxText());
  }
  if (c_.Text1.Text() == kKeywordAuthor) {
    c_.Text1.SetText(kReasonResetText);
    c_.boxes.Show(AuthorBoxText());
  }
}

}  // namespace tallow
