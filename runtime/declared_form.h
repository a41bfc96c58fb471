#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
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

  // The object whose member functions the declaration's events name.
  template <class Handlers>
  void Bind(Handlers& handlers) {
    handlers_ = &handlers;
    handlersType_ = Event::TypeKey<Handlers>();
  }

  const FormDeclaration& Declaration() const { return declaration_; }
  // The control or timer of that name in the declaration; a control that
  // does nothing if there is none.
  Control& ControlNamed(std::string_view name);
  Timer& TimerNamed(std::string_view name);
  TimerDriver& TimerAt(std::size_t timer) { return *timers_[timer]; }

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
  void Fire(const Event& event) { event.Fire(handlers_, handlersType_); }

  const FormDeclaration& declaration_;
  Application& application_;
  std::vector<std::unique_ptr<TimerDriver>> timers_;
  std::unique_ptr<FormPeer> peer_;
  void* handlers_ = nullptr;
  const void* handlersType_ = nullptr;
  bool loaded_ = false;
};

}  // namespace tallow
