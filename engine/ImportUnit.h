// The larkpane functions the engine calls. They are linked through the import table, so the
// engine library does not load without larkpane.
#pragma once

#include "larkpane.h"
