// Allocation failures on demand, for tests of what survives them: the program that links
// FailingAllocations.cpp gets a global operator new that, once armed, throws std::bad_alloc at
// the n-th allocation counted from the arming, once, and otherwise allocates as usual.
#pragma once

namespace tandry::addin::test {

// Arms the failure at allocation `n` (1 = the next one) from now.
void FailAllocation(long n);
// Stops failing and counting.
void DisarmAllocationFailure();
// Whether the armed allocation has failed.
bool AllocationFailed();
// Allocations made since the last arming.
long AllocationsSinceArmed();

}  // namespace tandry::addin::test
