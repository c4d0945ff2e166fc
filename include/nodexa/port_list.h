// The list of strings that FindPorts, FindAllPorts and FindAllPortsFiltered
// take and return, and `nodexa::PortList`, the one type that builds and
// reads it.
//
// The setup program is built against msvcp60.dll and reads these lists in
// place as that runtime's std::vector<std::string>. So on Windows the list
// has exactly that runtime's 64-bit layout, whatever compiler built the
// caller or the library:
//   - the vector: its (empty) allocator, then the first, last and
//     end-of-storage pointers; an empty vector holds three null pointers;
//   - each string: its (empty) allocator, the pointer to the characters,
//     the length and the reserved size; the characters are followed by a
//     NUL and preceded by one byte counting the strings that share them
//     (0: one owner; 255: frozen, never shared); an empty string holds a
//     null pointer;
//   - all memory comes from msvcrt.dll's operator new and is given back
//     with its operator delete, as msvcp60 does.
// On Linux caller and library share the system's libstdc++, and the list is
// simply its std::vector<std::string>.
//
// A caller builds a request with PortList{"Inkjet", "10.1.0.0"} and passes
// get(); reads a result with PortList::Read; and takes ownership of a
// FindAllPortsFiltered result with PortList::Adopt, whose destructor frees
// it the way msvcp60's own code would.
#ifndef NODEXA_PORT_LIST_H_
#define NODEXA_PORT_LIST_H_

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#if defined(_WIN32)
#include <cstring>
#include <new>

// The three loader functions the list needs, declared as <windows.h>
// declares them, so that this header neither needs <windows.h> nor decides
// how a caller includes it (winsock2.h first, WIN32_LEAN_AND_MEAN, ...).
struct HINSTANCE__;
extern "C" {
__declspec(dllimport) HINSTANCE__* __stdcall GetModuleHandleA(const char* name);
__declspec(dllimport) HINSTANCE__* __stdcall LoadLibraryExA(const char* name, void* file,
                                                              unsigned long flags);
__declspec(dllimport) long long(__stdcall* __stdcall GetProcAddress(HINSTANCE__* module,
                                                                    const char* name))();
}
#endif

#if defined(_WIN32)

namespace nodexa::msvcp60 {

struct String {
  void* allocator;
  char* text;
  std::size_t length;
  std::size_t reserved;
};

struct Vector {
  void* allocator;
  String* first;
  String* last;
  String* end;
};

static_assert(sizeof(String) == 32 && sizeof(Vector) == 32, "msvcp60's 64-bit layout");

}  // namespace nodexa::msvcp60

using NodexaList = nodexa::msvcp60::Vector;

#else

using NodexaList = std::vector<std::string>;

#endif

namespace nodexa {

class PortList {
 public:
  PortList() : PortList(std::vector<std::string>()) {}
  PortList(std::initializer_list<std::string> lines) : PortList(std::vector<std::string>(lines)) {}
  explicit PortList(const std::vector<std::string>& lines) : list_(Build(lines)) {}
  PortList(PortList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}
  PortList& operator=(PortList&& other) noexcept {
    std::swap(list_, other.list_);
    return *this;
  }
  PortList(const PortList&) = delete;
  PortList& operator=(const PortList&) = delete;
  ~PortList() { Destroy(list_); }

  // Takes ownership of a list FindAllPortsFiltered returned (null stays
  // null).
  static PortList Adopt(NodexaList* list) { return PortList(list); }

  NodexaList* get() const { return list_; }

  // Gives the list up, for a caller that deletes it with its own runtime.
  NodexaList* Release() { return std::exchange(list_, nullptr); }

  // The list's strings; nothing for a list whose pointers or lengths do not
  // describe one (a null list reads as empty). The list is not changed.
  static std::optional<std::vector<std::string>> Read(const NodexaList* list);

  // Calls `visit` with each string in order, copying nothing; false, before
  // the first call, for a list that Read refuses.
  template <typename Visit>
  static bool ForEach(const NodexaList* list, Visit visit);

  // Empties the list and fills it with `lines`, keeping its address. Should
  // that fail, the list is left empty.
  void Assign(std::vector<std::string> lines);

 private:
  explicit PortList(NodexaList* list) : list_(list) {}
  static NodexaList* Build(const std::vector<std::string>& lines);
  static void Destroy(NodexaList* list);

  NodexaList* list_;
};

#if defined(_WIN32)

namespace msvcp60 {

// msvcrt.dll's operator new and delete, the heap msvcp60 and its callers
// share: the msvcrt.dll the process already has (asking for it is safe while
// a DLL is being loaded), else the system folder's.
struct Heap {
  using Allocate = void*(__cdecl*)(std::size_t);
  using Free = void(__cdecl*)(void*);
  Allocate allocate = nullptr;
  Free free = nullptr;

  static const Heap& Get() {
    static const Heap heap = [] {
      Heap found;
      constexpr unsigned long kSystem32Only = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
      HINSTANCE__* crt = GetModuleHandleA("msvcrt.dll");
      if (crt == nullptr) crt = LoadLibraryExA("msvcrt.dll", nullptr, kSystem32Only);
      if (crt != nullptr) {
        found.allocate = reinterpret_cast<Allocate>(
            reinterpret_cast<void*>(GetProcAddress(crt, "??2@YAPEAX_K@Z")));
        found.free =
            reinterpret_cast<Free>(reinterpret_cast<void*>(GetProcAddress(crt, "??3@YAXPEAX@Z")));
      }
      return found;
    }();
    return heap;
  }

  static void* Take(std::size_t bytes) {
    void* block = Get().allocate != nullptr ? Get().allocate(bytes) : nullptr;
    if (block == nullptr) throw std::bad_alloc();
    return block;
  }

  static void Give(void* block) {
    if (block != nullptr && Get().free != nullptr) Get().free(block);
  }
};

constexpr unsigned char kFrozen = 255;

inline String MakeString(const std::string& text) {
  String made{};
  if (text.empty()) return made;
  auto* block = static_cast<char*>(Heap::Take(text.size() + 2));
  block[0] = 0;
  std::memcpy(block + 1, text.data(), text.size());
  block[text.size() + 1] = '\0';
  made.text = block + 1;
  made.length = made.reserved = text.size();
  return made;
}

// What msvcp60's destructor does: the characters go when no other string
// shares them; otherwise one sharer fewer is counted.
inline void ReleaseString(String& string) {
  if (string.text != nullptr) {
    auto& sharers = reinterpret_cast<unsigned char*>(string.text)[-1];
    if (sharers == 0 || sharers == kFrozen) {
      Heap::Give(string.text - 1);
    } else {
      --sharers;
    }
  }
  string = String{};
}

inline void ReleaseStrings(Vector& list) {
  for (String* string = list.first; string != list.last; ++string) ReleaseString(*string);
  Heap::Give(list.first);
  list.first = list.last = list.end = nullptr;
}

inline void Fill(Vector& list, const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  list.first = static_cast<String*>(Heap::Take(lines.size() * sizeof(String)));
  list.last = list.first;
  list.end = list.first + lines.size();
  try {
    for (const std::string& line : lines) *list.last++ = MakeString(line);
  } catch (...) {
    ReleaseStrings(list);
    throw;
  }
}

}  // namespace msvcp60

inline NodexaList* PortList::Build(const std::vector<std::string>& lines) {
  auto* list = new (msvcp60::Heap::Take(sizeof(NodexaList))) NodexaList{};
  try {
    msvcp60::Fill(*list, lines);
  } catch (...) {
    msvcp60::Heap::Give(list);
    throw;
  }
  return list;
}

inline void PortList::Destroy(NodexaList* list) {
  if (list == nullptr) return;
  msvcp60::ReleaseStrings(*list);
  msvcp60::Heap::Give(list);
}

inline void PortList::Assign(std::vector<std::string> lines) {
  if (list_ == nullptr) {
    list_ = Build(lines);
    return;
  }
  msvcp60::ReleaseStrings(*list_);
  msvcp60::Fill(*list_, lines);
}

template <typename Visit>
bool PortList::ForEach(const NodexaList* list, Visit visit) {
  using msvcp60::String;
  if (list == nullptr) return true;
  if (list->first == nullptr) return list->last == nullptr && list->end == nullptr;
  const auto first = reinterpret_cast<std::uintptr_t>(list->first);
  const auto last = reinterpret_cast<std::uintptr_t>(list->last);
  const auto end = reinterpret_cast<std::uintptr_t>(list->end);
  if (last < first || end < last || (last - first) % sizeof(String) != 0) return false;
  for (const String* string = list->first; string != list->last; ++string) {
    if (string->text == nullptr ? string->length != 0 : string->length > string->reserved) {
      return false;
    }
  }
  for (const String* string = list->first; string != list->last; ++string) {
    visit(string->text != nullptr ? std::string_view(string->text, string->length)
                                  : std::string_view());
  }
  return true;
}

#else

inline NodexaList* PortList::Build(const std::vector<std::string>& lines) {
  return std::make_unique<NodexaList>(lines).release();
}

inline void PortList::Destroy(NodexaList* list) { std::unique_ptr<NodexaList> owned(list); }

inline void PortList::Assign(std::vector<std::string> lines) {
  if (list_ == nullptr) {
    list_ = Build({});
  }
  *list_ = std::move(lines);
}

template <typename Visit>
bool PortList::ForEach(const NodexaList* list, Visit visit) {
  if (list != nullptr) {
    for (const std::string& line : *list) visit(std::string_view(line));
  }
  return true;
}

#endif

inline std::optional<std::vector<std::string>> PortList::Read(const NodexaList* list) {
  std::vector<std::string> lines;
  if (!ForEach(list, [&lines](std::string_view line) { lines.emplace_back(line); })) {
    return std::nullopt;
  }
  return lines;
}

}  // namespace nodexa

#endif  // NODEXA_PORT_LIST_H_
