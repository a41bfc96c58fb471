#pragma once

// The whole idler, as the program wires it, on the simulated desktop: its
// windows are made from their declarations and its events go through them.

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/program.h"
#include "bridge/ansi_text.h"
#include "idler/form1_declaration.h"
#include "tests/stubs/sim_desktop.h"

namespace tallow::sim {

struct IdlerSim {
  SimDesktop desk;
  SimForms peers{desk};
  StubMessageBoxes boxes{desk};
  Program program{desk.platform(), peers, boxes};
  SimFormPeer& form1 = peers.Of(program.form1);
  SimFormPeer& form2 = peers.Of(program.form2);  // About
  SimFormPeer& form3 = peers.Of(program.form3);  // the dedication
  SimControl& Text1 = Named("Text1");
  SimControl& Label2 = Named("Label2");
  SimControl& Label3 = Named("Label3");
  SimControl& Label4 = Named("Label4");
  SimControl& Command1 = Named("Command1");
  SimControl& Command2 = Named("Command2");
  // The timers the declaration gives the main window, as it runs them.
  TimerDriver& Timer1 = program.form1.TimerAt(kForm1Declaration.TimerIndex("Timer1"));
  TimerDriver& Timer2 = program.form1.TimerAt(kForm1Declaration.TimerIndex("Timer2"));

  // Every tick of Timer1 as it ended: when, and the clock it left.
  struct Tick {
    double endedAt;
    std::wstring clock;
  };
  std::vector<Tick> ticks;

  IdlerSim() {
    Timer1.SetTickEndHook([this] { ticks.push_back({desk.Now(), Clock()}); });
  }

  void Load() { program.Start(); }

  // A click reaches a handler only while its window is loaded, no message box
  // is open (the boxes are modal to the main window) and its button is
  // enabled, as on the real desktop.
  void Press(double time, const char* button) {
    desk.At(time, [this, button] {
      if (TakesInput() && Named(button).Enabled()) {
        ++inputsDelivered;
        program.form1.ControlClicked(kForm1Declaration.Control(button)->id);
      }
    });
  }
  void Start(double t) { Press(t, "Command1"); }
  void Stop(double t) { Press(t, "Command2"); }
  void Adv(double t) { Press(t, "Command3"); }
  void Exit(double t) { Press(t, "Command4"); }
  void About(double t) { Press(t, "Command5"); }
  void Site(double t) { Press(t, "Command6"); }
  void Minimize(double t) { Press(t, "Command7"); }
  void Type(double time, std::wstring text) {
    desk.At(time, [this, text] {
      if (TakesInput() && Text1.Enabled()) {
        ++inputsDelivered;
        Text1.SetText(text);
      }
    });
  }
  bool TakesInput() const { return program.form1.Loaded() && boxes.open == 0; }
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
  // The clock as the window shows it, or showed it last.
  std::wstring Clock() const { return Label2.Shown() + L":" + Label3.Shown() + L":" + Label4.Shown(); }
  bool Idling() const { return Timer1.Enabled() && !Command1.Enabled() && !Text1.Enabled() && Command2.Enabled(); }
  bool NotIdling() const { return !Timer1.Enabled() && Command1.Enabled() && Text1.Enabled() && !Command2.Enabled(); }
  // The main window's control of that name, as the simulated window made it;
  // a name it lacks ends the run.
  SimControl& Named(std::string_view name) {
    const ControlRow* row = kForm1Declaration.Control(name);
    if (!row) std::abort();
    return static_cast<SimControl&>(form1.ControlAt(static_cast<std::size_t>(row - kForm1Declaration.controls.data())));
  }
};

// The idler with its main window loaded.
struct Loaded : IdlerSim {
  Loaded() { Load(); }
};

inline std::string Ansi(const std::wstring& line) { return ToWindows1252(line); }

}  // namespace tallow::sim
