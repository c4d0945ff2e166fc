// Forced allocation failure for the test program that links this file: it
// replaces the program's global operator new and delete. Unarmed they are
// plain malloc and free; armed, a given number of allocations succeed and
// the next one throws std::bad_alloc, once.
//
// Only the library's own allocations are failed. A stand-in companion module
// stands for the maker's code, which never sees our exceptions: on POSIX
// its allocations reach this operator new too and are let through (the
// failure moves to the next allocation outside it); on Windows a stand-in
// carries its own runtime and never comes here.
//
// Link it into one program only: it changes allocation for everything in
// that program, gtest included (which is why it is armed only around the
// call under test).
#ifndef NODEXA_TESTS_EXPORTS_FAILING_ALLOCATION_H_
#define NODEXA_TESTS_EXPORTS_FAILING_ALLOCATION_H_

#include <cstddef>

namespace nodexa::test {

class FailingAllocation {
 public:
  // Arms: `successes` allocations succeed, the next one fails.
  explicit FailingAllocation(size_t successes);
  // Disarms.
  ~FailingAllocation();
  FailingAllocation(const FailingAllocation&) = delete;
  FailingAllocation& operator=(const FailingAllocation&) = delete;

  // Whether an allocation was failed while armed.
  static bool Failed();
};

// True while the calling code runs inside a stand-in module (POSIX: a
// frame of the stack lies in a shared object named *.dll).
bool InsideStandInModule();

}  // namespace nodexa::test

#endif  // NODEXA_TESTS_EXPORTS_FAILING_ALLOCATION_H_
