#pragma once

#include <cstddef>
#include <memory>

#include "runtime/control.h"
#include "runtime/form.h"

namespace tallow {

class DeclaredForm;

// The platform's half of one form: the window and its controls as its
// declaration describes them. It tells the form of its window's events
// (DeclaredForm's ControlClicked, MouseDown, TimerDue and Destroyed).
class FormPeer {
 public:
  virtual ~FormPeer() = default;
  // Makes the window and its controls, not yet visible. False when the
  // platform could not.
  virtual bool Create() = 0;
  virtual WindowHandle Handle() const = 0;
  // Visible, restored if it was minimised, in front and active.
  virtual void Present() = 0;
  virtual void Destroy() = 0;
  virtual void Minimize() = 0;
  // The control of the declaration's row `row`, for the whole run.
  virtual Control& ControlAt(std::size_t row) = 0;
  // The form's timer `timer` next falls due at `due` (clock seconds;
  // infinity while it is off or busy).
  virtual void ArmTimer(std::size_t timer, double due) = 0;
};

// Makes the platform half of each form.
class FormPeers {
 public:
  virtual ~FormPeers() = default;
  virtual std::unique_ptr<FormPeer> Make(DeclaredForm& form) = 0;
};

}  // namespace tallow
