#pragma once
// Writes a 32-bit surface as an 8-bit RGB PNG file. Pixel tests use it to leave
// the actual and expected images of a failure beside the test's output.

#include <string>

#include "platform/gdi/Surface.h"

// Throws Exception ("... に書き込めません") when the file cannot be written.
void WritePng(const std::string& FileName, const TSurface& Surface);
