#include "failing_allocation.h"

#include <cstdlib>
#include <new>

namespace nodexa::test {

namespace {

bool armed = false;
bool failed = false;
size_t successesLeft = 0;

void* Allocate(std::size_t size) {
  if (armed && !failed) {
    if (successesLeft > 0) {
      --successesLeft;
    } else if (!InsideStandInModule()) {
      failed = true;
      throw std::bad_alloc();
    }
  }
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}

}  // namespace

FailingAllocation::FailingAllocation(size_t successes) {
  successesLeft = successes;
  failed = false;
  armed = true;
}

FailingAllocation::~FailingAllocation() { armed = false; }

bool FailingAllocation::Failed() { return failed; }

}  // namespace nodexa::test

// The replaceable forms the library and the runtime use; the aligned forms
// stay the runtime's own, new and delete alike.
void* operator new(std::size_t size) { return nodexa::test::Allocate(size); }
void* operator new[](std::size_t size) { return nodexa::test::Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return nodexa::test::Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return nodexa::test::Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
