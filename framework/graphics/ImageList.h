#pragma once
// TImageList: a list of same-sized images, each with a mask of the pixels it
// leaves transparent, drawn onto a canvas by index; and TChangeLink, through
// which the controls that use a list hear of its changes.
//
// A control that keeps a pointer to a list it does not own registers a change
// link (to repaint when the images change) and asks for the list's free
// notification (to drop the pointer when the list is destroyed).

#include <memory>
#include <vector>

#include "framework/core/Classes.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Graphics.h"
#include "framework/streaming/StreamingProperties.h"
#include "platform/gdi/Bitmap.h"

class TImageList;

// Registered with an image list (TImageList::RegisterChanges), a link calls
// its OnChange with the list as Sender after every change of the list. A
// link unregisters itself when it is destroyed; a list that is destroyed
// first sets the Sender of its links to null.
class TChangeLink : public TObject {
public:
  TChangeLink() = default;
  ~TChangeLink() override;

  TImageList* Sender() const { return FSender; }
  // Calls OnChange with the list as Sender.
  virtual void Change();

  TNotifyEvent OnChange;

private:
  friend class TImageList;
  TImageList* FSender = nullptr;
};

class TImageList : public TComponent {
public:
  // Cells of 16 by 16 pixels.
  explicit TImageList(TComponent* AOwner);
  TImageList(TComponent* AOwner, int AWidth, int AHeight);
  ~TImageList() override;

  // The cell size. Changing either clears the list. Sizes below 1 raise
  // EInvalidGraphicOperation.
  int Width() const { return FWidth; }
  void SetWidth(int Value) { SetSize(Value, FHeight); }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { SetSize(FWidth, Value); }
  void SetSize(int AWidth, int AHeight);

  // Whether images draw through their masks (default) or as opaque cells.
  bool Masked() const { return FMasked; }
  void SetMasked(bool Value);

  int Count() const { return static_cast<int>(FImages.size()); }

  // Adds Image with Mask, whose white pixels mark what is transparent (null:
  // nothing is). An image wider than a cell is cut into as many cells as fit
  // whole (at least one); pixels of a cell that the image does not cover
  // are transparent. Answers the index of the first image added, or -1 (and
  // nothing changes) for a null or empty image.
  int Add(const TBitmap* Image, const TBitmap* Mask);
  // Adds Image with every pixel of MaskColor transparent. clDefault takes
  // the bitmap's transparent colour, clNone makes nothing transparent. The
  // bitmap itself is not changed.
  int AddMasked(const TBitmap* Image, TColor MaskColor);
  // EInvalidGraphicOperation for an index outside the list.
  void Delete(int Index);
  void Clear();

  // Draws image Index with its top-left corner at (X, Y). Disabled images
  // are drawn embossed: the image's dark pixels in the button highlight
  // colour one pixel down and right, then in the button shadow colour in
  // place; white and transparent pixels are left alone. An index outside
  // the list draws nothing. The canvas's own font, pen and brush are not
  // changed. Factor (enabled images) draws each pixel as a square of that
  // many pixels: an image at a whole multiple of its size, never blended.
  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true, int Factor = 1) const;
  // Makes Image one cell in size and draws image Index onto it (transparent
  // pixels keep what the resized bitmap holds). false, and Image untouched,
  // for a null Image or an index outside the list.
  bool GetBitmap(int Index, TBitmap* Image) const;

  // Change links: every change of the list calls each registered link and
  // then OnChange. Registering a link takes it from any list it was with.
  void RegisterChanges(TChangeLink* Link);
  void UnRegisterChanges(TChangeLink* Link);
  // Changes between BeginUpdate and the matching EndUpdate are told once, at
  // the end.
  void BeginUpdate();
  void EndUpdate();

  // Height, Masked and Width, for layouts.
  static const TPropList& PublishedProperties();

  TNotifyEvent OnChange;

protected:
  void Change();

private:
  // One image: its colour pixels (black where transparent) and its mask
  // (monochrome, 1 where transparent).
  struct TImage {
    TDeviceBitmap Pixels;
    TDeviceBitmap Mask;
  };

  // Adds the cells of Image; Transparent says which of its pixels are.
  template <class IsTransparent>
  int AddCells(const TBitmap& Image, IsTransparent&& Transparent);

  int FWidth = 16;
  int FHeight = 16;
  bool FMasked = true;
  std::vector<TImage> FImages;
  std::vector<TChangeLink*> FLinks;
  int FUpdateCount = 0;
  bool FChangedDuringUpdate = false;
};
