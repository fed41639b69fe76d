#pragma once
// Pixels for a visual whose layout is not the surface's own 0x00RRGGBB
// (16-bit, BGR or 30-bit screens). A pure function, tested without a display.

#include <cstdint>

namespace x11 {

// A 0x00RRGGBB surface pixel in the layout of a visual with the given
// channel masks (any width, any position): each 8-bit channel keeps its top
// bits when the mask is narrower, and is widened with zeros when it is wider.
unsigned long ServerPixel(std::uint32_t Rgb, unsigned long RedMask, unsigned long GreenMask,
                          unsigned long BlueMask);

}  // namespace x11
