// The idler is built without exceptions (cmake/windows.cmake): nothing in it
// catches one, and the C++ library's machinery for throwing them (the
// unwinder, the exception classes, a terminate handler that demangles type
// names) was most of the exe. What the library would throw, and an
// allocation that fails, end the process here at once, as the exception
// would have ended it uncaught.
//
// The library's headers never throw themselves: they call std::__throw_*,
// one function per exception class. The libstdc++ manual describes them in
// "Exceptions", section "Doing without" (-fno-exceptions; gcc.gnu.org/
// onlinedocs/libstdc++/manual/using_exceptions.html#intro.using.exception.no):
// a library built without exceptions defines each as abort(). MinGW's
// libstdc++ is built with them, so its own versions throw; the definitions
// below are the manual's for the other case, and with every one defined here
// the throwing versions are never linked. The names are the library's own,
// not an interface it promises: a helper that a newer libstdc++ adds would
// link its throwing version again, and the exe's size would show it.
#include <cstdlib>
#include <functional>
#include <new>
#include <string>

namespace {

[[noreturn]] void Fail() { std::abort(); }

}  // namespace

void* operator new(std::size_t size) {
  if (void* block = std::malloc(size ? size : 1)) return block;
  Fail();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace std {

void __throw_bad_exception() { Fail(); }
void __throw_bad_alloc() { Fail(); }
void __throw_bad_array_new_length() { Fail(); }
void __throw_bad_cast() { Fail(); }
void __throw_bad_typeid() { Fail(); }
void __throw_logic_error(const char*) { Fail(); }
void __throw_domain_error(const char*) { Fail(); }
void __throw_invalid_argument(const char*) { Fail(); }
void __throw_length_error(const char*) { Fail(); }
void __throw_out_of_range(const char*) { Fail(); }
void __throw_out_of_range_fmt(const char*, ...) { Fail(); }
void __throw_runtime_error(const char*) { Fail(); }
void __throw_range_error(const char*) { Fail(); }
void __throw_overflow_error(const char*) { Fail(); }
void __throw_underflow_error(const char*) { Fail(); }
void __throw_ios_failure(const char*) { Fail(); }
void __throw_ios_failure(const char*, int) { Fail(); }
void __throw_system_error(int) { Fail(); }
void __throw_future_error(int) { Fail(); }
void __throw_bad_function_call() { Fail(); }

}  // namespace std
