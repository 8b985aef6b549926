// The exports of tandryaddin_failing.dll that arm and read its operator new: the program that
// loads the DLL has an allocator of its own and reaches the DLL's only through these.
#include "FailingAllocationExports.h"

namespace test = tandry::addin::test;

extern "C" {
__declspec(dllexport) void TandryFailAllocation(long n) { test::FailAllocation(n); }
__declspec(dllexport) void TandryDisarmAllocationFailure() { test::DisarmAllocationFailure(); }
__declspec(dllexport) bool TandryAllocationFailed() { return test::AllocationFailed(); }
__declspec(dllexport) long TandryAllocationsSinceArmed() { return test::AllocationsSinceArmed(); }
}
