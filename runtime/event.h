#pragma once

#include <source_location>
#include <string_view>

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
    return Event(&Invoke<Method>, ClassName<HandlerOf<Method>>());
  }

  constexpr bool IsSet() const { return call_ != nullptr; }
  // Unset, or a member function of Handlers.
  template <class Handlers>
  constexpr bool GoesTo() const {
    return class_[0] == '\0' || std::string_view(class_) == ClassName<Handlers>();
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
  // The class as the compiler names it. A name rather than an address: under
  // the sanitizers GCC will not compare addresses as it compiles.
  template <class C>
  static consteval const char* ClassName() {
    return std::source_location::current().function_name();
  }

  template <auto Method>
  static void Invoke(void* handlers) {
    (static_cast<HandlerOf<Method>*>(handlers)->*Method)();
  }
  constexpr Event(void (*call)(void*), const char* handlerClass) : call_(call), class_(handlerClass) {}

  void (*call_)(void*) = nullptr;
  const char* class_ = "";
};

template <auto Method>
inline constexpr Event On = Event::Of<Method>();

}  // namespace tallow
