// The state images of a shine button: the plain copy, the hover effects and
// the disabled effects, each one pass over 32-bit rows.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "controls/shine/Shinebtncolors.h"
#include "controls/shine/Shinespdbtn.h"
#include "controls/shine/Shinestateglyph.h"

namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFF;
constexpr std::uint32_t kWhitePixel = 0x00FFFFFF;
constexpr std::uint32_t kBlackPixel = 0;

int Red(std::uint32_t P) { return int((P >> 16) & 0xFF); }
int Green(std::uint32_t P) { return int((P >> 8) & 0xFF); }
int Blue(std::uint32_t P) { return int(P & 0xFF); }
std::uint32_t Pixel(int R, int G, int B) {
  return (std::uint32_t(R) << 16) | (std::uint32_t(G) << 8) | std::uint32_t(B);
}
TColor KeyPixelToColor(std::uint32_t P) { return TColor(RGB(Red(P), Green(P), Blue(P))); }

// Rows of a 32-bit bitmap, top first.
class TRows {
public:
  explicit TRows(TBitmap& Bitmap) : FRows(std::size_t(Bitmap.Height())) {
    for (int Y = 0; Y < Bitmap.Height(); ++Y) FRows[std::size_t(Y)] = Bitmap.ScanLine(Y);
  }
  explicit TRows(const TBitmap& Bitmap) : FRows(std::size_t(Bitmap.Height())) {
    for (int Y = 0; Y < Bitmap.Height(); ++Y)
      FRows[std::size_t(Y)] = const_cast<std::uint32_t*>(Bitmap.ScanLine(Y));
  }
  std::uint32_t* operator[](int Y) const { return FRows[std::size_t(Y)]; }

private:
  std::vector<std::uint32_t*> FRows;
};

// Applies Fn(old pixel) to every pixel that is not of the key colour.
template <class Fn>
void ForEachInk(const TRows& Rows, int W, int H, std::uint32_t Key, Fn Change) {
  for (int Y = 0; Y < H; ++Y) {
    std::uint32_t* Row = Rows[Y];
    for (int X = 0; X < W; ++X)
      if ((Row[X] & kRgbMask) != Key) Row[X] = Change(Row[X] & kRgbMask, X, Y);
  }
}

// Per channel: (Weight * Other + (Total - Weight) * Own) / Total, rounded down.
std::uint32_t Blend(std::uint32_t Own, std::uint32_t Other, int Weight, int Total) {
  auto Mix = [&](int O, int T) { return (Weight * T + (Total - Weight) * O) / Total; };
  return Pixel(Mix(Red(Own), Red(Other)), Mix(Green(Own), Green(Other)),
               Mix(Blue(Own), Blue(Other)));
}

// The outline of the ink in the shine colour: key pixels next to ink (four
// neighbours, inside the image only), and with Wide also key pixels next to
// those. Tests read the source, writes go to the copy.
void Outline(const TRows& Source, const TRows& Copy, int W, int H, std::uint32_t Key,
             std::uint32_t Shine, bool Wide) {
  auto IsKey = [&](int X, int Y) { return (Source[Y][X] & kRgbMask) == Key; };
  std::vector<std::uint8_t> InOutline(std::size_t(W) * std::size_t(H), 0);
  auto Mark = [&](int X, int Y) { return InOutline[std::size_t(Y) * std::size_t(W) + X]; };
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      if (!IsKey(X, Y)) continue;
      const bool NextToInk = (X > 0 && !IsKey(X - 1, Y)) || (X + 1 < W && !IsKey(X + 1, Y)) ||
                             (Y > 0 && !IsKey(X, Y - 1)) || (Y + 1 < H && !IsKey(X, Y + 1));
      if (!NextToInk) continue;
      InOutline[std::size_t(Y) * std::size_t(W) + X] = 1;
      Copy[Y][X] = Shine;
    }
  if (!Wide) return;
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      if (!IsKey(X, Y) || Mark(X, Y)) continue;
      const bool NextToOutline = (X > 0 && Mark(X - 1, Y)) || (X + 1 < W && Mark(X + 1, Y)) ||
                                 (Y > 0 && Mark(X, Y - 1)) || (Y + 1 < H && Mark(X, Y + 1));
      if (NextToOutline) Copy[Y][X] = Shine;
    }
}

void ApplyActiveEffect(const TRows& Source, const TRows& Copy, int W, int H, std::uint32_t Key,
                       TActiveImageType Effect, std::uint32_t Shine) {
  switch (Effect) {
    case aiNormal:
      break;
    case aiXorLight:
      ForEachInk(Copy, W, H, Key, [&](std::uint32_t P, int, int) { return P ^ Shine; });
      break;
    case aiHalfLight:
      ForEachInk(Copy, W, H, Key, [&](std::uint32_t P, int, int) { return Blend(P, Shine, 1, 2); });
      break;
    case aiQuaterLight:
      ForEachInk(Copy, W, H, Key, [&](std::uint32_t P, int, int) { return Blend(P, Shine, 3, 4); });
      break;
    case aiAddLight:
      ForEachInk(Copy, W, H, Key, [&](std::uint32_t P, int, int) {
        return Pixel(std::min(Red(P) + Red(Shine), 255), std::min(Green(P) + Green(Shine), 255),
                     std::min(Blue(P) + Blue(Shine), 255));
      });
      break;
    case aiFrameLight:
    case aiFrameLight2:
      Outline(Source, Copy, W, H, Key, Shine, Effect == aiFrameLight2);
      break;
    case aiMaskLight:
      ForEachInk(Copy, W, H, Key,
                 [&](std::uint32_t P, int X, int Y) { return (X + Y) % 2 ? Shine : P; });
      break;
  }
}

void ApplyDisabledEffect(const TRows& Source, const TRows& Copy, int W, int H, std::uint32_t Key,
                         TDisabledImageType Effect, std::uint32_t Face) {
  switch (Effect) {
    case diDefault:
      // Every colour boundary inside the glyph, found across both diagonals
      // of each 2 by 2 block; the last row and column stay black.
      for (int Y = 0; Y < H; ++Y) std::fill(Copy[Y], Copy[Y] + W, kBlackPixel);
      for (int Y = 0; Y + 1 < H; ++Y)
        for (int X = 0; X + 1 < W; ++X) {
          const bool Differs = (Source[Y][X] & kRgbMask) != (Source[Y + 1][X + 1] & kRgbMask) ||
                               (Source[Y][X + 1] & kRgbMask) != (Source[Y + 1][X] & kRgbMask);
          if (Differs) Copy[Y][X] = kWhitePixel;
        }
      break;
    case diGrayscale:
      ForEachInk(Copy, W, H, Key, [](std::uint32_t P, int, int) {
        const int G = (Red(P) + Green(P) + Blue(P)) / 3;
        return Pixel(G, G, G);
      });
      break;
    case diAlphaHalfTrans:
      ForEachInk(Copy, W, H, Key, [&](std::uint32_t P, int, int) { return Blend(P, Face, 1, 2); });
      break;
    case diAlphaQuaterTrans:
      ForEachInk(Copy, W, H, Key, [&](std::uint32_t P, int, int) { return Blend(P, Face, 3, 4); });
      break;
    case diMaskTrans:
      ForEachInk(Copy, W, H, Key,
                 [&](std::uint32_t P, int X, int Y) { return (X + Y) % 2 ? Key : P; });
      break;
  }
}

bool Is32Bit(const TBitmap& Bitmap) {
  return !Bitmap.Monochrome() &&
         (Bitmap.PixelFormat() == pf32bit || Bitmap.PixelFormat() == pfDevice);
}

}  // namespace

std::unique_ptr<TBitmap> CreateStateGlyph(const TBitmap& Glyph, const TStateGlyphLook& Look) {
  if (Glyph.Empty()) return nullptr;

  // The button keeps its glyph in 32 bits; any other source is read through
  // a converted copy.
  const TBitmap* Source = &Glyph;
  std::unique_ptr<TBitmap> Converted;
  if (!Is32Bit(Glyph)) {
    Converted = std::make_unique<TBitmap>();
    Converted->Assign(&Glyph);
    Converted->SetPixelFormat(pf32bit);
    Source = Converted.get();
  }

  const int W = Source->Width();
  const int H = Source->Height();
  auto Result = std::make_unique<TBitmap>();
  Result->Assign(Source);
  Result->SetTransparent(false);
  const TRows SourceRows(*Source);
  const TRows Copy(*Result);
  const std::uint32_t Key = SourceRows[H - 1][0] & kRgbMask;

  const bool EdgeMask = Look.State == sdDisabled && Look.DisabledImage == diDefault;
  if (Look.State == sdDownActive || Look.State == sdUpActive)
    ApplyActiveEffect(SourceRows, Copy, W, H, Key, Look.ActiveImage,
                      ColorToDIBPixel(Look.ShineColor));
  else if (Look.State == sdDisabled)
    ApplyDisabledEffect(SourceRows, Copy, W, H, Key, Look.DisabledImage,
                        ColorToDIBPixel(Look.FaceColor));

  if (EdgeMask) {
    Result->SetMonochrome(true);
    Result->SetTransparentColor(clBlack);
  } else {
    Result->SetHandleType(bmDDB);
    // The key colour of the source, not the corner after the effect: an
    // outline effect may paint the corner in the shine colour, and taking
    // that as transparent would hide the outline and show the background.
    Result->SetTransparentColor(KeyPixelToColor(Key));
  }
  Result->SetTransparent(true);
  return Result;
}

std::unique_ptr<TBitmap> TShineSpeedButton::CreateStateGlyph() const {
  TStateGlyphLook Look;
  Look.State = FDrawState;
  Look.ActiveImage = FActiveImage;
  Look.DisabledImage = FDisabledImage;
  Look.ShineColor = FShineColor;
  Look.FaceColor = FColors->Color();
  return ::CreateStateGlyph(*FGlyph, Look);
}
