// One move-only owner for every kind of operating-system or library handle.
// A traits type names the handle type, its "no handle" value and how to
// release it; each kind gets an alias next to its users, e.g.
//
//   struct ModuleTraits {
//     using Type = HMODULE;
//     static Type Invalid() { return nullptr; }
//     static void Close(Type module) { FreeLibrary(module); }
//   };
//   using UniqueModule = UniqueHandle<ModuleTraits>;
#ifndef NODEXA_FRAME_UNIQUE_HANDLE_H_
#define NODEXA_FRAME_UNIQUE_HANDLE_H_

#include <utility>

namespace nodexa {

template <typename Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;

  UniqueHandle() : value(Traits::Invalid()) {}
  explicit UniqueHandle(Type handle) : value(handle) {}
  ~UniqueHandle() { reset(); }

  UniqueHandle(UniqueHandle&& other) noexcept : value(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Type get() const { return value; }
  explicit operator bool() const { return value != Traits::Invalid(); }

  // Gives up ownership without releasing.
  Type release() { return std::exchange(value, Traits::Invalid()); }
  void reset(Type handle = Traits::Invalid()) {
    const Type old = std::exchange(value, handle);
    if (old != Traits::Invalid()) Traits::Close(old);
  }

 private:
  Type value;
};

}  // namespace nodexa

#endif  // NODEXA_FRAME_UNIQUE_HANDLE_H_
