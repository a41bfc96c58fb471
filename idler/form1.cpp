#include "idler/form1.h"

#include "idler/catalogue.h"
#include "idler/form1_declaration.h"
#include "idler/idle_clock.h"
#include "idler/keywords.h"

namespace tallow {
namespace {
constexpr double kLineGap = 0.7;  // seconds between two lines of one announcement
const std::wstring kMakersPage = L"http://www.gloaming-inc.example/tallow-divod/";
}  // namespace

// Bound first: a form made from another declaration ends the program before
// its rows are looked up.
Form1::Form1(Tallow_Idler& module, DeclaredForm& self, Form& about, Form& dedication, MessageBoxes& boxes)
    : module_(module),
      form_(self.Bind<kForm1Declaration>(*this)),
      Text1(self.ControlAt(kForm1Declaration.ControlIndex("Text1"))),
      Label2(self.ControlAt(kForm1Declaration.ControlIndex("Label2"))),
      Label3(self.ControlAt(kForm1Declaration.ControlIndex("Label3"))),
      Label4(self.ControlAt(kForm1Declaration.ControlIndex("Label4"))),
      Command1(self.ControlAt(kForm1Declaration.ControlIndex("Command1"))),
      Command2(self.ControlAt(kForm1Declaration.ControlIndex("Command2"))),
      Timer1(self.TimerAt(kForm1Declaration.TimerIndex("Timer1"))),
      Form2(about),
      Form3(dedication),
      boxes_(boxes) {}

bool Form1::Pause() {
  module_.WaitSeconds(kLineGap);
  return form_.Loaded();
}

void Form1::Form_Load() {
  module_.KeepOnTop(form_);
  module_.PostChatLine(LineLoaded);
  Command2.SetEnabled(false);
}

void Form1::Form_MouseDown() { module_.BeginWindowDrag(form_); }

void Form1::Command1_Click() {
  module_.PostChatLine(LineStarted);
  if (!Pause()) return;
  module_.PostChatLine(LineReason(Text1.Text()));
  Timer1.SetEnabled(true);
  Command1.SetEnabled(false);
  Text1.SetEnabled(false);
  Command2.SetEnabled(true);
}

void Form1::Command2_Click() {
  module_.PostChatLine(LineStopped);
  if (!Pause()) return;
  module_.PostChatLine(LineTotal(Label2.Text(), Label3.Text()));
  Label2.SetText(L"00");
  Label3.SetText(L"00");
  Label4.SetText(L"00");
  Timer1.SetEnabled(false);
  Command1.SetEnabled(true);
  Text1.SetEnabled(true);
  Command2.SetEnabled(false);
}

void Form1::Timer1_Timer() {
  StepCounter(Label4);
  if (ReadsSixty(Label4)) {
    StepCounter(Label3);
    Label4.SetText(L"00");
    module_.PostChatLine(LineBanner);
    if (!Pause()) return;
    module_.PostChatLine(LineReason(Text1.Text()));
    if (!Pause()) return;
    module_.PostChatLine(LineIdleFor(Label2.Text(), Label3.Text()));
  }
  if (ReadsSixty(Label3)) {
    StepCounter(Label2);
    Label3.SetText(L"00");
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
  form_.Unload();
}

void Form1::Command5_Click() { Form2.Show(); }

void Form1::Command6_Click() { module_.LaunchUrl(kMakersPage); }

void Form1::Command7_Click() { form_.Minimize(); }

void Form1::Timer2_Timer() {
  // Each check reads the box afresh; the box is reset before its extra
  // opens, so at most one keyword acts per tick.
  if (Text1.Text() == kKeywordDedication) {
    Text1.SetText(kReasonResetText);
    Form3.Show();
  }
  if (Text1.Text() == kKeywordInfo) {
    Text1.SetText(kReasonResetText);
    boxes_.Show(InfoBoxText());
  }
  if (Text1.Text() == kKeywordScreenNames) {
    Text1.SetText(kReasonResetText);
    boxes_.Show(ScreenNamesBoxText());
  }
  if (Text1.Text() == kKeywordAuthor) {
    Text1.SetText(kReasonResetText);
    boxes_.Show(AuthorBoxText());
  }
}

}  // namespace tallow
