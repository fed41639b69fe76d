#pragma once
// The drawing resources that every site picker of the process shares: the
// check-box strip drawn in front of popup rows (CBBmp), the off-screen bitmap
// on which a popup composes each row (DrawBmp), the two font-kind marks of
// the font-name picker (ImageList), and the check-box cell sizes derived from
// the strip and from the system's own check-box glyphs.
//
// Start-up and shut-down. The program calls InitializeDxfres() once at
// start-up, before it creates any form, and FinalizeDxfres() after the last
// form is gone. Start-up is explicit rather than a global constructor
// because the bitmaps come from embedded resources, which register
// themselves from global constructors of their own: their order against
// ours is not defined. Every accessor below also starts the resources on
// first use, so a test or a tool that forgets the call still works, and a
// start-up that was never finalised is finalised when the process exits.
//
// The strip is optional: when "CHECKBOX" cannot be loaded the strip stays
// empty, CheckWidth() falls back to the system glyph width and every
// check-box style clamps to 0 (system check boxes). The two font marks are
// not: a missing "TTFONT" or "DEVICEFONT" makes InitializeDxfres raise the
// resource error, and nothing is left half made.

#include <array>
#include <memory>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImageList.h"

// The resource names the start-up loads; tests name missing ones to take the
// paths a damaged executable would.
struct TDxfResourceNames {
  std::string CheckBoxStrip = "CHECKBOX";
  std::string TrueTypeMark = "TTFONT";
  std::string DeviceFontMark = "DEVICEFONT";
};

// The process-wide set. Constructing it is the start-up, destroying it the
// shut-down (DrawBmp, then CBBmp, then ImageList).
class TDxfResources {
public:
  explicit TDxfResources(const TDxfResourceNames& Names = {});
  ~TDxfResources();
  TDxfResources(const TDxfResources&) = delete;
  TDxfResources& operator=(const TDxfResources&) = delete;

  std::unique_ptr<TBitmap> DrawBmp;
  std::unique_ptr<TBitmap> CBBmp;
  std::unique_ptr<TImageList> ImageList;
  // Width of one glyph of the system's check-box bitmap: the box size of
  // check-box style 0.
  int SystemCheckWidth = 0;
  // The box size of styles 1 and up: the strip's height, or the system
  // glyph width without a strip.
  int CheckWidth = 0;
  // The strip's height, or the system glyph height without a strip.
  int CheckHeight = 0;
};

// Start-up; does nothing when the resources exist already. Raises
// EResNotFound or EInvalidGraphic for a missing or unreadable font mark.
void InitializeDxfres(const TDxfResourceNames& Names = {});
// Shut-down; does nothing when there is nothing to free. A later accessor
// call starts the resources anew.
void FinalizeDxfres();
bool DxfresInitialized();

// The shared objects, started on first use.
TDxfResources& DxfResources();
TBitmap* CBBmp();
TBitmap* DrawBmp();
TImageList* ImageList();
int SystemCheckWidth();
int CheckWidth();
int CheckHeight();

// The sixteen basic colours, black to white, as the framework names them.
// Nothing in the program reads them; they belong to the picker's vocabulary.
extern const std::array<TColor, 16> StandardColors;
extern const std::array<TColor, 16> SystemColors;

// ---- check boxes

// The highest check-box style the strip offers: its width / (height * 4),
// 0 for an empty strip.
int MaxCheckBoxStyle();
// The rule of the picker's CheckBoxStyle setter: negative values become 0,
// values above MaxCheckBoxStyle() become the maximum.
int ClampCheckBoxStyle(int Value);
// The strip cell of a style from 1 up: four cells per style, unticked,
// ticked, unticked greyed, ticked greyed; the popup uses the first two.
int CheckBoxCell(int Style, bool Checked);
// The source rectangle of that cell for a box of Width by Height.
TRect CheckBoxCellRect(int Style, bool Checked, int Width, int Height);
// The box size a style draws at: SystemCheckWidth() for style 0,
// CheckWidth() otherwise.
int CheckBoxSize(int Style);
// The whole factor a check box is drawn at for a scale: the largest not
// above it (1 at 96 and 144 pixels per inch, 2 at 192), so the strip's
// pixels stay square and a box never outgrows the text of its row.
int CheckBoxFactor(double PixelsPerInch);
// Draws a check box into Box on Canvas. Style 0 draws the system's check-box
// glyph; a higher style copies its strip cell (each pixel as a square of
// Box's whole factor of the cell size) with the strip's transparent
// colour replaced by the canvas's brush colour (the row's background).
void DrawCheckBox(TCanvas* Canvas, const TRect& Box, int Style, bool Checked);
