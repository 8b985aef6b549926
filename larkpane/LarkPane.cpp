#include "larkpane.h"
