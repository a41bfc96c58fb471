#pragma once

namespace tallow {

// An event handler named in a window's declaration: a member function of the
// object that handles the window's events, written On<&Form1::Command1_Click>.
// It fires only on an object of that class.
class Event {
 public:
  constexpr Event() = default;

  template <auto Method>
  static constexpr Event Of() {
    return Event(&Invoke<Method>, TypeKey<HandlerOf<Method>>());
  }
  template <class Handlers>
  static constexpr const void* TypeKey() {
    return &Tag<Handlers>::key;
  }

  constexpr bool IsSet() const { return call_ != nullptr; }
  // Runs the handler on `handlers`, an object of the type `handlersType`
  // stands for; does nothing when the event is unset or names another class.
  void Fire(void* handlers, const void* handlersType) const {
    if (call_ && handlers && handlersType == type_) call_(handlers);
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
