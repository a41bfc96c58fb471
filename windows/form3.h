#pragma once

#include "bridge/tallow_idler.h"
#include "runtime/declared_form.h"

namespace tallow {

// The dedication window's one handler: it keeps itself on top of every
// other window, each time it loads.
class Form3 {
 public:
  // The handlers of `self`, a form made from kForm3Declaration.
  Form3(Tallow_Idler& module, DeclaredForm& self);
  void Form_Load() { module_.KeepOnTop(self_); }

 private:
  Tallow_Idler& module_;
  const Form& self_;
};

}  // namespace tallow
