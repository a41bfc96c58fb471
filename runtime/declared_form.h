#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "runtime/application.h"
#include "runtime/clock.h"
#include "runtime/form.h"
#include "runtime/form_peer.h"
#include "runtime/form_declaration.h"

namespace tallow {

// A form built from its declaration: its life (loaded once per show of a
// closed window, counted while its window exists, its timers on at load and
// off when the window goes) and the routing of its events to the handlers
// the declaration names. The window itself is the platform's peer.
class DeclaredForm : public Form {
 public:
  DeclaredForm(const FormDeclaration& declaration, Application& application, const Clock& clock, FormPeers& peers);
  ~DeclaredForm() override;
  DeclaredForm(const DeclaredForm&) = delete;
  DeclaredForm& operator=(const DeclaredForm&) = delete;

  // Sends the events of `Declaration` to `handlers`, and returns this form.
  // An event there that names a member of another class than Handlers does
  // not compile. `Declaration` must be the one this form is made from: if
  // it is not, the program ends at once, naming both windows.
  template <const FormDeclaration& Declaration, class Handlers>
  DeclaredForm& Bind(Handlers& handlers) {
    static_assert(Declaration.template HandledBy<Handlers>(), "an event of this window names another class's handler");
    if (&Declaration != &declaration_) BoundWithAnotherDeclaration(Declaration);
    handlers_ = &handlers;
    return *this;
  }

  const FormDeclaration& Declaration() const { return declaration_; }
  // The control or timer of the declaration's row `row`, which handlers
  // look up by name as they compile: ControlAt(kForm1Declaration.ControlIndex("Text1")).
  Control& ControlAt(std::size_t row) { return peer_->ControlAt(row); }
  TimerDriver& TimerAt(std::size_t row) { return *timers_[row]; }

  bool Loaded() const override { return loaded_; }
  WindowHandle Handle() const override;
  void Show() override;
  void Unload() override;
  void Minimize() override;

  // Events from the platform's window.
  void ControlClicked(int id);
  void MouseDown();
  void TimerDue(std::size_t timer);
  // The window has gone, whoever closed it.
  void Destroyed();

 private:
  void Load();
  void Fire(const Event& event) { event.Fire(handlers_); }
  [[noreturn]] void BoundWithAnotherDeclaration(const FormDeclaration& bound) const;

  const FormDeclaration& declaration_;
  Application& application_;
  std::vector<std::unique_ptr<TimerDriver>> timers_;
  std::unique_ptr<FormPeer> peer_;
  void* handlers_ = nullptr;
  bool loaded_ = false;
};

}  // namespace tallow
