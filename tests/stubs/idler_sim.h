#pragma once

// The main window's handlers wired to simulated controls and timers, as the
// real window wires them to its child windows.

#include <string>
#include <vector>

#include "bridge/ansi_text.h"
#include "idler/form1.h"
#include "windows/form3.h"
#include "tests/stubs/sim_desktop.h"

namespace tallow::sim {

struct IdlerSim {
  SimDesktop desk;
  std::vector<StubForm*> forms;
  StubForm form1{desk, forms, 0x1001};
  StubForm form2{desk, forms, 0x2002};  // About
  StubForm form3{desk, forms, 0x3003};  // dedication
  StubMessageBoxes boxes{desk};
  StubControl Text1{L"Reason Idle........."};
  StubControl Label2{L"00"}, Label3{L"00"}, Label4{L"00"};
  StubControl Command1, Command2, Command3, Command4, Command5, Command6, Command7;
  Tallow_Idler module{desk.platform()};
  TimerDriver Timer1{desk, 1.0, TimerDriver::Delivery::kEveryTick, [this] {
                       form.Timer1_Timer();
                       ticks.push_back({desk.Now(), Clock()});
                     }};
  TimerDriver Timer2{desk, 0.5, TimerDriver::Delivery::kReentrant, [this] { form.Timer2_Timer(); }};
  // Every tick of Timer1 as it ended: when, and the clock it left.
  struct Tick {
    double endedAt;
    std::wstring clock;
  };
  std::vector<Tick> ticks;
  Form1 form{module,
             Form1Controls{form1, Text1, Label2, Label3, Label4, Command1, Command2, Timer1, form2, form3, boxes}};
  Form3 dedication{module, form3};

  IdlerSim() {
    desk.AddTimer(Timer1);
    desk.AddTimer(Timer2);
    form1.timers = {&Timer1, &Timer2};
    form1.onLoad = [this] {
      Timer2.SetEnabled(true);
      form.Form_Load();
    };
    form3.onLoad = [this] { dedication.Form_Load(); };
  }

  void Load() { form1.Show(); }

  // A click reaches a handler only while its window is loaded, no message box
  // is open (the boxes are modal to the main window) and its button is
  // enabled, as on the real desktop.
  void Press(double time, Control& button, void (Form1::*handler)()) {
    desk.At(time, [this, &button, handler] {
      if (TakesInput() && button.Enabled()) {
        ++inputsDelivered;
        (form.*handler)();
      }
    });
  }
  void Start(double t) { Press(t, Command1, &Form1::Command1_Click); }
  void Stop(double t) { Press(t, Command2, &Form1::Command2_Click); }
  void Adv(double t) { Press(t, Command3, &Form1::Command3_Click); }
  void Exit(double t) { Press(t, Command4, &Form1::Command4_Click); }
  void About(double t) { Press(t, Command5, &Form1::Command5_Click); }
  void Site(double t) { Press(t, Command6, &Form1::Command6_Click); }
  void Minimize(double t) { Press(t, Command7, &Form1::Command7_Click); }
  void Type(double time, std::wstring text) {
    desk.At(time, [this, text] {
      if (TakesInput() && Text1.Enabled()) {
        ++inputsDelivered;
        Text1.SetText(text);
      }
    });
  }
  bool TakesInput() const { return form1.Loaded() && boxes.open == 0; }
  // Presses and typing that reached the window.
  long inputsDelivered = 0;

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const auto& p : desk.posted) lines.push_back(p.bytes);
    return lines;
  }
  std::vector<double> Times() const {
    std::vector<double> times;
    for (const auto& p : desk.posted) times.push_back(p.time);
    return times;
  }
  // Runs a scripted check at `time`, from inside whatever is running then.
  void Check(double time, std::function<void()> check) { desk.At(time, std::move(check)); }
  std::wstring Clock() const { return Label2.Text() + L":" + Label3.Text() + L":" + Label4.Text(); }
  bool Idling() const { return Timer1.Enabled() && !Command1.Enabled() && !Text1.Enabled() && Command2.Enabled(); }
  bool NotIdling() const { return !Timer1.Enabled() && Command1.Enabled() && Text1.Enabled() && !Command2.Enabled(); }
};

inline std::string Ansi(const std::wstring& line) { return ToWindows1252(line); }

}  // namespace tallow::sim
