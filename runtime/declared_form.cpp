#include "runtime/declared_form.h"

namespace tallow {
namespace {

// Stands in for a control that a handler names and the declaration lacks.
class NoControl : public Control {
 public:
  std::wstring Text() const override { return {}; }
  void SetText(const std::wstring&) override {}
  bool Enabled() const override { return false; }
  void SetEnabled(bool) override {}
};

class NoTimer : public Timer {
 public:
  bool Enabled() const override { return false; }
  void SetEnabled(bool) override {}
};

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

Control& DeclaredForm::ControlNamed(std::string_view name) {
  for (std::size_t i = 0; i < declaration_.controls.size(); ++i)
    if (name == declaration_.controls[i].name) return peer_->ControlAt(i);
  static NoControl none;
  return none;
}

Timer& DeclaredForm::TimerNamed(std::string_view name) {
  for (std::size_t i = 0; i < declaration_.timers.size(); ++i)
    if (name == declaration_.timers[i].name) return *timers_[i];
  static NoTimer none;
  return none;
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
