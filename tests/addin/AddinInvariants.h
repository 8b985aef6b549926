// What must hold after every call the host makes into the add-in, whatever failed on the way:
// nothing of a show outlives it (session, notes view, shortcut, event sink), the screen is not
// left frozen, no session call reaches the engine without a session, the stored settings keep
// their formats, and a shut-down add-in holds nothing.
#pragma once

#include <string>
#include <vector>

#include "RecordingPorts.h"

namespace tandry::addin::test {

// The invariants that do not hold, each as a sentence; empty when all hold.
std::vector<std::string> BrokenInvariants(const RecordingModule& m);

}  // namespace tandry::addin::test
