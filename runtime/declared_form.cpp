#include "runtime/declared_form.h"

#include <cstdio>
#include <cstdlib>

namespace tallow {
namespace {

// Window classes are ASCII.
void Write(const wchar_t* text) {
  for (; *text; ++text) std::fputc(*text < 0x80 ? static_cast<char>(*text) : '?', stderr);
}

}  // namespace

DeclaredForm::DeclaredForm(const FormDeclaration& declaration, Application& application, const Clock& clock,
                           FormPeers& peers)
    : declaration_(declaration), application_(application) {
  for (std::size_t i = 0; i < declaration.timers.size(); ++i) {
    const TimerRow& row = declaration.timers[i];
    timers_.push_back(
        std::make_unique<TimerDriver>(clock, row.intervalSeconds, row.delivery, [this, &row] { Fire(row.tick); }));
  }
  peer_ = peers.Make(*this);
  for (std::size_t i = 0; i < timers_.size(); ++i)
    timers_[i]->SetArmHook([this, i] { peer_->ArmTimer(i, timers_[i]->NextDue()); });
}

DeclaredForm::~DeclaredForm() = default;

void DeclaredForm::BoundWithAnotherDeclaration(const FormDeclaration& bound) const {
  Write(declaration_.windowClass);
  Write(L": bound to the handlers of ");
  Write(bound.windowClass);
  Write(L"\n");
  std::abort();
}

WindowHandle DeclaredForm::Handle() const { return loaded_ ? peer_->Handle() : 0; }

void DeclaredForm::Show() {
  if (!loaded_) Load();
  if (loaded_) peer_->Present();
}

void DeclaredForm::Load() {
  if (!peer_->Create()) return;
  loaded_ = true;
  application_.WindowOpened();
  for (std::size_t i = 0; i < timers_.size(); ++i)
    if (declaration_.timers[i].onAtLoad) timers_[i]->SetEnabled(true);
  Fire(declaration_.load);
}

void DeclaredForm::Unload() {
  if (loaded_) peer_->Destroy();
}

void DeclaredForm::Minimize() {
  if (loaded_) peer_->Minimize();
}

void DeclaredForm::ControlClicked(int id) {
  if (const ControlRow* row = declaration_.ControlWithId(id)) Fire(row->click);
}

void DeclaredForm::MouseDown() { Fire(declaration_.mouseDown); }

void DeclaredForm::TimerDue(std::size_t timer) {
  if (timer < timers_.size()) timers_[timer]->Service();
}

void DeclaredForm::Destroyed() {
  // A window that failed to be made was never counted in.
  if (!loaded_) return;
  loaded_ = false;
  for (auto& timer : timers_) timer->SetEnabled(false);
  application_.WindowClosed();
}

}  // namespace tallow
