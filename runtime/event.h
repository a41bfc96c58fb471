#pragma once

namespace tallow {

// An event handler named in a window's declaration: a member function of the
// object that handles the window's events, written On<&Form1::Command1_Click>.
// DeclaredForm::Bind refuses to compile a declaration whose events name
// members of another class than the one it binds.
class Event {
 public:
  constexpr Event() = default;

  template <auto Method>
  static constexpr Event Of() {
    return Event(&Invoke<Method>, &Tag<HandlerOf<Method>>::key);
  }

  constexpr bool IsSet() const { return call_ != nullptr; }
  // Unset, or a member function of Handlers.
  template <class Handlers>
  constexpr bool GoesTo() const {
    return !call_ || type_ == &Tag<Handlers>::key;
  }
  // Runs the handler on `handlers`, an object of its class; nothing when
  // the event is unset or nothing handles the window's events.
  void Fire(void* handlers) const {
    if (call_ && handlers) call_(handlers);
  }

 private:
  template <class Method>
  struct ClassOf;
  template <class C>
  struct ClassOf<void (C::*)()> {
    using type = C;
  };
  template <auto Method>
  using HandlerOf = typename ClassOf<decltype(Method)>::type;
  // One per class, so that its address tells the class.
  template <class T>
  struct Tag {
    static constexpr char key = 0;
  };

  template <auto Method>
  static void Invoke(void* handlers) {
    (static_cast<HandlerOf<Method>*>(handlers)->*Method)();
  }
  constexpr Event(void (*call)(void*), const void* type) : call_(call), type_(type) {}

  void (*call_)(void*) = nullptr;
  const void* type_ = nullptr;
};

template <auto Method>
inline constexpr Event On = Event::Of<Method>();

}  // namespace tallow
