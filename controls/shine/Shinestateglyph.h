#pragma once
// The state images of a shine button. The button holds one source glyph and
// no strip of images: every paint computes the image of the state it draws,
// as a plain copy, one of eight hover effects in the shine colour or one of
// five disabled effects, and frees it afterwards.
//
// The key colour is the source's bottom-left pixel: pixels of that colour
// are the background and every effect but the disabled edge mask leaves
// them alone.

#include <cstdint>
#include <memory>

#include "framework/graphics/Bitmap.h"

enum TActiveImageType {
  aiNormal,
  aiXorLight,
  aiHalfLight,
  aiQuaterLight,
  aiAddLight,
  aiFrameLight,
  aiFrameLight2,
  aiMaskLight
};

enum TDisabledImageType {
  diDefault,
  diGrayscale,
  diAlphaHalfTrans,
  diAlphaQuaterTrans,
  diMaskTrans
};

// What a shine button draws. 0 and 1 are the pressed looks, 2 to 4 the up
// looks; 0 and 2 are the hover ("active") looks.
enum TShineDrawState : std::uint8_t { sdDownActive, sdDown, sdUpActive, sdUp, sdDisabled };

struct TStateGlyphLook {
  TShineDrawState State = sdUp;
  TActiveImageType ActiveImage = aiFrameLight;
  TDisabledImageType DisabledImage = diDefault;
  TColor ShineColor = 0x0000FFFF;  // yellow
  TColor FaceColor = 0x8000000F;   // button face: the alpha effects fade toward it
};

// The image for Look.State made from Glyph (a 32-bit image; Glyph is not
// changed), or null when Glyph is empty. The result is transparent: in a
// 32-bit device form whose transparent colour is the key colour, except the
// disabled edge mask (diDefault), which is a monochrome bitmap whose white
// pixels are the ones to paint and whose transparent colour is black.
std::unique_ptr<TBitmap> CreateStateGlyph(const TBitmap& Glyph, const TStateGlyphLook& Look);
