#pragma once

// Every operating-system service the core uses is an interface with one
// process-wide implementation, chosen when the program is linked: the Win32
// one in the shipped program, a portable one in the native build. Tests
// replace an implementation with a fake for the length of a scope.
//
// A service header declares its interface and, right after it,
//     template <> Interface& platform::Service<Interface>::Default();
// and exactly one implementation file of the build defines that function.

namespace platform {

template <class Interface>
class Service {
 public:
  static Interface& Get() { return *Slot(); }

  // Installs `next` (or the build's own implementation for nullptr) and
  // returns what was installed before.
  static Interface* Replace(Interface* next) {
    Interface* previous = Slot();
    Slot() = next ? next : &Default();
    return previous;
  }

  static Interface& Default();

 private:
  static Interface*& Slot() {
    static Interface* current = &Default();
    return current;
  }
};

// Puts a fake in place for the lifetime of this object.
template <class Interface>
class ScopedService {
 public:
  explicit ScopedService(Interface& replacement)
      : previous_(Service<Interface>::Replace(&replacement)) {}
  ~ScopedService() { Service<Interface>::Replace(previous_); }
  ScopedService(const ScopedService&) = delete;
  ScopedService& operator=(const ScopedService&) = delete;

 private:
  Interface* previous_;
};

}  // namespace platform
