#pragma once

#include "bridge/tallow_idler.h"
#include "runtime/controls.h"

namespace tallow {

// The dedication window's one handler: it keeps itself on top of every
// other window, each time it loads.
class Form3 {
 public:
  Form3(Tallow_Idler& module, const Form& self) : module_(module), self_(self) {}
  void Form_Load() { module_.KeepOnTop(self_); }

 private:
  Tallow_Idler& module_;
  const Form& self_;
};

}  // namespace tallow
