#include "framework/graphics/ImageList.h"

#include <algorithm>
#include <string>

#include "platform/gdi/Blit.h"
#include "platform/gdi/SysColors.h"

namespace {

constexpr std::uint32_t kRgb = 0x00FFFFFF;

// A context that only reads from Bitmap: blits take their source as a
// context, and drawing from an image never writes to it.
TDeviceContext SourceContext(const TDeviceBitmap& Bitmap) {
  return TDeviceContext(const_cast<TDeviceBitmap&>(Bitmap));
}

}  // namespace

// ---- TChangeLink ------------------------------------------------------------

TChangeLink::~TChangeLink() {
  if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
  if (OnChange) OnChange(FSender);
}

// ---- TImageList -------------------------------------------------------------

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::TImageList(TComponent* AOwner, int AWidth, int AHeight) : TComponent(AOwner) {
  SetSize(AWidth, AHeight);
}

TImageList::~TImageList() {
  // The links outlive the list in their controls; they must not point here.
  for (TChangeLink* Link : FLinks) Link->FSender = nullptr;
  FLinks.clear();
}

void TImageList::SetSize(int AWidth, int AHeight) {
  if (AWidth < 1 || AHeight < 1) throw EInvalidGraphicOperation(messages::kInvalidImageSize);
  if (AWidth == FWidth && AHeight == FHeight) return;
  FWidth = AWidth;
  FHeight = AHeight;
  FImages.clear();
  Change();
}

void TImageList::SetMasked(bool Value) {
  if (Value == FMasked) return;
  FMasked = Value;
  Change();
}

template <class IsTransparent>
int TImageList::AddCells(const TBitmap& Image, IsTransparent&& Transparent) {
  if (Image.Empty()) return -1;
  const TSurface& Source = Image.Image().Surface();
  const int Cells = std::max(1, Image.Width() / FWidth);
  const int First = Count();
  for (int Cell = 0; Cell < Cells; ++Cell) {
    TImage Entry{TDeviceBitmap(FWidth, FHeight, bfColor32),
                 TDeviceBitmap(FWidth, FHeight, bfMonochrome)};
    for (int Y = 0; Y < FHeight; ++Y) {
      std::uint32_t* Pixels = Entry.Pixels.Surface().Row(Y);
      std::uint32_t* Mask = Entry.Mask.Surface().Row(Y);
      for (int X = 0; X < FWidth; ++X) {
        const int SX = Cell * FWidth + X;
        const bool Inside = SX < Image.Width() && Y < Image.Height();
        if (Inside && !Transparent(SX, Y)) {
          Pixels[X] = Source.Row(Y)[SX] & kRgb;
          Mask[X] = 0;
        } else {
          Pixels[X] = 0;
          Mask[X] = kRgb;
        }
      }
    }
    FImages.push_back(std::move(Entry));
  }
  Change();
  return First;
}

int TImageList::Add(const TBitmap* Image, const TBitmap* Mask) {
  if (!Image) return -1;
  if (!Mask) return AddCells(*Image, [](int, int) { return false; });
  const TSurface& MaskPixels = Mask->Image().Surface();
  return AddCells(*Image, [&](int X, int Y) {
    return X < MaskPixels.Width() && Y < MaskPixels.Height() &&
           (MaskPixels.Row(Y)[X] & kRgb) == kRgb;
  });
}

int TImageList::AddMasked(const TBitmap* Image, TColor MaskColor) {
  if (!Image) return -1;
  if (MaskColor == clDefault) MaskColor = Image->TransparentColor();
  if (MaskColor == clNone) return Add(Image, nullptr);
  const std::uint32_t Key = ColorToPixel(MaskColor);
  const TSurface& Pixels = Image->Image().Surface();
  return AddCells(*Image, [&](int X, int Y) { return (Pixels.Row(Y)[X] & kRgb) == Key; });
}

void TImageList::Delete(int Index) {
  if (Index < 0 || Index >= Count())
    throw EInvalidGraphicOperation(
        FormatMessage(messages::kImageIndexError, {std::to_string(Index)}));
  FImages.erase(FImages.begin() + Index);
  Change();
}

void TImageList::Clear() {
  if (FImages.empty()) return;
  FImages.clear();
  Change();
}

void TImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled, int Factor) const {
  if (!Canvas || Index < 0 || Index >= Count()) return;
  const TImage& Image = FImages[static_cast<std::size_t>(Index)];
  TDeviceContext& DC = *Canvas->Handle();
  TDCStateSaver Saver(DC);

  if (Enabled) {
    const int F = Factor < 1 ? 1 : Factor;
    const int W = FWidth * F, H = FHeight * F;
    auto Copy = [&](const TDeviceContext& Source, std::uint32_t Rop) {
      if (F == 1)
        BitBlt(DC, X, Y, FWidth, FHeight, Source, 0, 0, Rop);
      else
        StretchBlt(DC, X, Y, W, H, Source, 0, 0, FWidth, FHeight, Rop);
    };
    const TDeviceContext Pixels = SourceContext(Image.Pixels);
    if (!FMasked) {
      Copy(Pixels, SRCCOPY);
      return;
    }
    // Cut the opaque part out of the target (mask 0 draws as black through
    // the target's text colour), then lay the image, black where it is
    // transparent, into the hole.
    const TDeviceContext Mask = SourceContext(Image.Mask);
    DC.SetTextColor(clBlack);
    DC.SetBkColor(clWhite);
    Copy(Mask, SRCAND);
    Copy(Pixels, SRCPAINT);
    return;
  }

  // The embossed look: 0 bits of Ink mark the pixels to paint, which are the
  // opaque ones that are not white (a white pixel is the face's own light).
  TDeviceBitmap Ink(FWidth, FHeight, bfMonochrome);
  for (int IY = 0; IY < FHeight; ++IY) {
    const std::uint32_t* Pixels = Image.Pixels.Surface().Row(IY);
    const std::uint32_t* Mask = Image.Mask.Surface().Row(IY);
    std::uint32_t* Out = Ink.Surface().Row(IY);
    for (int IX = 0; IX < FWidth; ++IX)
      Out[IX] = ((Mask[IX] & kRgb) == kRgb || (Pixels[IX] & kRgb) == kRgb) ? kRgb : 0;
  }
  const TDeviceContext InkDC = SourceContext(Ink);
  // Through ROP_MASKPAINT a source pixel that comes out white takes the
  // brush, black keeps the target: 0 bits must come out white.
  DC.SetTextColor(clWhite);
  DC.SetBkColor(clBlack);
  DC.SetBrush(SolidBrush(clBtnHighlight));
  BitBlt(DC, X + 1, Y + 1, FWidth, FHeight, InkDC, 0, 0, ROP_MASKPAINT);
  DC.SetBrush(SolidBrush(clBtnShadow));
  BitBlt(DC, X, Y, FWidth, FHeight, InkDC, 0, 0, ROP_MASKPAINT);
}

bool TImageList::GetBitmap(int Index, TBitmap* Image) const {
  if (!Image || Index < 0 || Index >= Count()) return false;
  Image->SetSize(FWidth, FHeight);
  Draw(Image->Canvas(), 0, 0, Index, true);
  return true;
}

void TImageList::RegisterChanges(TChangeLink* Link) {
  if (!Link) return;
  if (Link->FSender == this) return;
  if (Link->FSender) Link->FSender->UnRegisterChanges(Link);
  Link->FSender = this;
  FLinks.push_back(Link);
}

void TImageList::UnRegisterChanges(TChangeLink* Link) {
  auto Found = std::find(FLinks.begin(), FLinks.end(), Link);
  if (Found == FLinks.end()) return;
  FLinks.erase(Found);
  Link->FSender = nullptr;
}

void TImageList::BeginUpdate() { ++FUpdateCount; }

void TImageList::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0 && FChangedDuringUpdate) Change();
}

void TImageList::Change() {
  if (FUpdateCount > 0) {
    FChangedDuringUpdate = true;
    return;
  }
  FChangedDuringUpdate = false;
  // A link's handler may unregister links (its own included) or destroy
  // them; only links still registered when their turn comes are called.
  const std::vector<TChangeLink*> Links = FLinks;
  for (TChangeLink* Link : Links)
    if (std::find(FLinks.begin(), FLinks.end(), Link) != FLinks.end()) Link->Change();
  if (OnChange) OnChange(this);
}

const TPropList& TImageList::PublishedProperties() {
  static const TPropList List =
      TPropertyTable<TImageList>(ComponentPublishedProperties())
          .Integer("Height", &TImageList::Height, &TImageList::SetHeight, DefaultIs(16))
          .Boolean("Masked", &TImageList::Masked, &TImageList::SetMasked, DefaultIs(1))
          .Integer("Width", &TImageList::Width, &TImageList::SetWidth, DefaultIs(16));
  return List;
}
