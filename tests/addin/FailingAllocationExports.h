// The allocator's controls (FailingAllocations.h) as tandryaddin_failing.dll exports them, under
// C names: declared once, with the allocator's own types, for the DLL that defines them and for
// the test that finds them by name.
#pragma once

#include "FailingAllocations.h"

extern "C" {
decltype(tandry::addin::test::FailAllocation) TandryFailAllocation;
decltype(tandry::addin::test::DisarmAllocationFailure) TandryDisarmAllocationFailure;
decltype(tandry::addin::test::AllocationFailed) TandryAllocationFailed;
decltype(tandry::addin::test::AllocationsSinceArmed) TandryAllocationsSinceArmed;
}
