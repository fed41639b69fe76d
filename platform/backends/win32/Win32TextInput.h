#pragma once
// The input method's text as the window system wants it. Pure functions,
// tested without a desktop.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/text/Utf16.h"

namespace win32input {

// IMM32's clause attribute (ATTR_*) as the window system's
// TCompositionAttribute: an input error is still text being typed, and a
// clause fixed already counts as converted.
std::uint8_t CompositionAttributeOf(std::uint8_t ImeAttribute);

// GCS_COMPSTR with GCS_COMPATTR (one per UTF-16 unit) and GCS_CURSORPOS (a
// unit index): code page 932 text, one TCompositionAttribute per byte and
// the caret as a byte offset.
cp932::TValuedText ComposedText(const std::u16string& Text,
                                const std::vector<std::uint8_t>& ImeAttributes, int Caret);

}  // namespace win32input
