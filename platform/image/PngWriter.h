#pragma once
// Writes a 32-bit surface as an 8-bit PNG file. Pixel tests use it to leave
// the actual and expected images of a failure beside the test's output; the
// installer turns the program's icons into the PNG files desktops read.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/Surface.h"

// Throws Exception ("... に書き込めません") when the file cannot be written.
void WritePng(const std::string& FileName, const TSurface& Surface);
// The same with an opacity per pixel (0 transparent .. 255 opaque, rows
// top-down, one byte per pixel of Surface): an RGBA file. An Alpha of another
// size than the surface is refused with the same error.
void WritePng(const std::string& FileName, const TSurface& Surface,
              const std::vector<std::uint8_t>& Alpha);
