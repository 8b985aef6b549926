// The replaced global operator new and delete, and their arming. Only the program that links
// this file gets them; everything it allocates goes through here.
#include "FailingAllocations.h"

#include <cstdlib>
#include <new>

namespace tandry::addin::test {
namespace {

// Plain integers: the allocator must not allocate to know whether to fail.
long failAt = 0;  // 0: not armed
long counted = 0;
bool failed = false;

void* Allocate(std::size_t size) {
  if (failAt != 0 && ++counted == failAt) {
    failed = true;
    throw std::bad_alloc();
  }
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}

}  // namespace

void FailAllocation(long n) {
  counted = 0;
  failed = false;
  failAt = n;
}

void DisarmAllocationFailure() { failAt = 0; }

bool AllocationFailed() { return failed; }

long AllocationsSinceArmed() { return counted; }

}  // namespace tandry::addin::test

void* operator new(std::size_t size) { return tandry::addin::test::Allocate(size); }
void* operator new[](std::size_t size) { return tandry::addin::test::Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return tandry::addin::test::Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
