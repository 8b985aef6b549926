// Draws a slide of the show with GDI: background of the slide's colour, title, the bullets shown
// so far and, unless the slide hides its master's shapes, its number.
#pragma once

#include <windows.h>

#include "Deck.h"

namespace tandry::standin {

void PaintSlide(HDC dc, int width, int height, const Slide& slide, int slideNumber,
                int bulletsShown);

// What the window shows outside a running show.
void PaintBlack(HDC dc, int width, int height);

}  // namespace tandry::standin
