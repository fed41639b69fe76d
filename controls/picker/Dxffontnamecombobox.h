#pragma once
// TdxfFontNameComboBox: the picker whose items are the installed fonts'
// face names. Each item carries the shared font-kind mark (image 0 for
// TrueType, image 1 for raster and device fonts), FontTypes restricts the
// list to some kinds, and with PreviewFont on the popup draws every name in
// its own typeface. A symbol font's own glyphs would not show its name, so
// for the ten symbol fonts of SymbolFontPreviews the row shows the name in
// the popup's font followed by a sample drawn in the symbol font.
//
// The items come from the platform's EnumFonts and are never stored in
// layouts; they are made when the picker is created and again whenever
// FontTypes changes. The style stays dcsDropDown, so a name can be typed,
// with completion.

#include <array>
#include <functional>
#include <string>

#include "controls/picker/Dxfcombobox.h"
#include "platform/fonts/FontTypes.h"

// One symbol font and the sample its preview row draws in it.
struct TSymbolFontPreview {
  const char* FontName;
  const char* Sample;
};
extern const std::array<TSymbolFontPreview, 10> SymbolFontPreviews;

// The entry of SymbolFontPreviews for FaceName, compared in upper case with
// the locale's rules; -1 for any other face.
int FindSymbolFontPreview(const std::string& FaceName);

inline constexpr TdxfFontTypes FontTypeBit(TdxfFontType Type) {
  return static_cast<TdxfFontTypes>(1u << Type);
}
inline constexpr TdxfFontTypes kAllFontTypes =
    FontTypeBit(ftDevice) | FontTypeBit(ftRaster) | FontTypeBit(ftTrueType);

// The source of installed fonts: calls Report for each face until it returns
// false, as EnumFonts does. Tests put one in place that reports kinds and
// names the machine does not have; SetFontEnumerator answers the one it
// replaced, and an empty function puts EnumFonts back.
using TFontEnumerator =
    std::function<bool(const std::function<bool(const TEnumFontEntry&)>& Report)>;
TFontEnumerator SetFontEnumerator(TFontEnumerator Enumerator);

class TdxfFontNameComboBox : public TdxfCustomComboBox {
public:
  explicit TdxfFontNameComboBox(TComponent* AOwner);

  // Rebuilds the items from the installed fonts of the kinds in FontTypes,
  // sorted ignoring case. Empties the recently-used list. The chosen face
  // stays chosen while it is still listed; one no longer listed leaves the
  // selection at its position while that is below the new count, else none.
  void LoadFontNames();

  TdxfFontTypes FontTypes() const { return FFontTypes; }
  // Rebuilds the list when the set changes.
  void SetFontTypes(TdxfFontTypes Value);
  // The editor's text.
  std::string GetFontName() const;
  // Selects the font of that name ignoring case, or shows the text with no
  // selection. A double-byte character cut off at the end is left out.
  void SetFontName(const std::string& Value);
  bool PreviewFont() const { return FPreviewFont; }
  void SetPreviewFont(bool Value) { FPreviewFont = Value; }

  // The picker's OnDrawItem: see the header comment.
  void DrawPreviewFont(TObject* Sender, int Index, bool ItemInMRUList, bool LastItemInMRUList,
                       int& ImageIndex, bool& Checked, TOwnerDrawState State, std::string& AText,
                       TCanvas* ACanvas, const TRect& ARect, TColor& AColor, TFont* AFont,
                       bool& ADone);

  // Only "Height" beside the published properties.
  void DefineProperties(TFiler* Filer) override;
  // The base properties, then ShowImage, AutoSearch, FontTypes (not written
  // while all three kinds), FontName and PreviewFont.
  static const TPropList& PublishedProperties();

private:
  TdxfFontTypes FFontTypes = kAllFontTypes;
  bool FPreviewFont = false;
};

// Makes TdxfFontNameComboBox known to the layout reader and writer; calling
// it again does nothing.
void RegisterDxfFontNameComboBox();
