// The system's monitors as the engine numbers them (MonitorIndex: primary first), and the
// screen's resolution for the conversion between pixels and points.
#pragma once

#include <windows.h>

namespace tandry::standin {

// The full rectangle of monitor `index`; false when there is no such monitor.
bool MonitorRectByIndex(int index, RECT& rect);

// The screen's pixels per inch, horizontally (LOGPIXELSX) or vertically (LOGPIXELSY).
int ScreenPixelsPerInch(int axis);

}  // namespace tandry::standin
