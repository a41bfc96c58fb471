#pragma once

#include "bridge/platform.h"
#include "bridge/tallow_idler.h"
#include "idler/form1.h"
#include "runtime/application.h"
#include "runtime/declared_form.h"
#include "runtime/form_peer.h"
#include "runtime/message_boxes.h"
#include "windows/form3.h"

namespace tallow {

// The idler as a whole: the code module and the three windows, one object
// each for the whole run, wired to their handlers. The same wiring runs on
// the real desktop and on the unit tests' simulated one.
class Program {
 public:
  // `boxes` are the keyword boxes, titled with kApplicationTitle.
  Program(const Platform& platform, FormPeers& peers, MessageBoxes& boxes);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Opens the main window; the platform's event loop does the rest, until
  // the last window has gone.
  void Start() { form1.Show(); }

  Tallow_Idler module;
  Application application;
  DeclaredForm form2;  // About
  DeclaredForm form3;  // the dedication
  DeclaredForm form1;  // the main window

 private:
  Form3 form3Handlers_;
  Form1 form1Handlers_;
};

}  // namespace tallow
