// What the stand-in's Windows tests share: key presses on the show window, and the slides'
// colours in the form captures give them.
#pragma once

#include <windows.h>

#include "SlideLayout.h"

namespace tandry::standin {

// A key press as the show window receives it: the show moves on the key going down, the engine
// captures on the key coming up.
inline void PressKey(HWND window, unsigned virtualKey) {
  SendMessageA(window, WM_KEYDOWN, virtualKey, 1);
  SendMessageA(window, WM_KEYUP, virtualKey, 0xC0000001);
}

// The background of slide n (1-based) as a capture shows it.
inline COLORREF BackgroundColour(int slideNumber) {
  const Rgb colour = SlideBackground(slideNumber);
  return RGB(colour.red, colour.green, colour.blue);
}

}  // namespace tandry::standin
