#pragma once

#include "bridge/tallow_idler.h"
#include "runtime/declared_form.h"
#include "runtime/message_boxes.h"

namespace tallow {

// The main window's event handlers. They decide what is posted and when;
// the window's declaration routes its events here.
class Form1 {
 public:
  // The handlers of `self`, a form made from kForm1Declaration.
  Form1(Tallow_Idler& module, DeclaredForm& self, Form& about, Form& dedication, MessageBoxes& boxes);

  void Form_Load();
  void Form_MouseDown();
  void Command1_Click();  // Start
  void Command2_Click();  // Stop
  void Command3_Click();  // Adv.
  void Command4_Click();  // Exit
  void Command5_Click();  // About
  void Command6_Click();  // Site
  void Command7_Click();  // Minimize
  void Timer1_Timer();    // one second of idling
  void Timer2_Timer();    // the reason box's keyword watcher

 private:
  // The pause between two lines of an announcement. False once the window
  // has been unloaded meanwhile: the rest of the announcement is dropped and
  // no control is touched, so nothing brings the window back.
  bool Pause();

  Tallow_Idler& module_;
  Form& form_;
  Control& Text1;     // the reason box
  Control& Label2;    // hours of the idle clock
  Control& Label3;    // minutes
  Control& Label4;    // seconds
  Control& Command1;  // Start
  Control& Command2;  // Stop
  Timer& Timer1;      // the one-second tick
  Form& Form2;        // the About window
  Form& Form3;        // the dedication window
  MessageBoxes& boxes_;
};

}  // namespace tallow
