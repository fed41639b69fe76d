#pragma once
// The values a font is described by, in the shapes of the Windows GDI
// structures the controls were written against (TEXTMETRIC), so the framework
// can pass them through unchanged.

#include <string>

// The request itself (TLogFont with its weights and character sets) is part
// of the device context's state.
#include "platform/gdi/DeviceContext.h"

constexpr int SYMBOL_CHARSET = 2;
constexpr int FW_DONTCARE = 0;

// The kinds a font enumeration reports.
constexpr int RASTER_FONTTYPE = 1;
constexpr int DEVICE_FONTTYPE = 2;
constexpr int TRUETYPE_FONTTYPE = 4;

// Metrics of a realised font, in whole pixels. tmHeight = tmAscent +
// tmDescent; tmInternalLeading = tmHeight - the em height.
struct TTextMetric {
  int tmHeight = 0;
  int tmAscent = 0;
  int tmDescent = 0;
  int tmInternalLeading = 0;
  int tmExternalLeading = 0;
  int tmAveCharWidth = 0;
  int tmMaxCharWidth = 0;
  int tmWeight = FW_NORMAL;
  int tmOverhang = 0;
  bool tmItalic = false;
  bool tmUnderlined = false;
  bool tmStruckOut = false;
  int tmCharSet = DEFAULT_CHARSET;
};

// One entry of the font enumeration: a face name as code page 932 text and its
// kind (RASTER_FONTTYPE, DEVICE_FONTTYPE or TRUETYPE_FONTTYPE).
struct TEnumFontEntry {
  std::string FaceName;
  int FontType = 0;
};
