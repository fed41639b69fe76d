// The font-name picker: its list from the font enumeration, the kinds it
// keeps, the selection by name and the preview rows.

#include "controls/picker/Dxffontnamecombobox.h"

#include <utility>
#include <vector>

#include "controls/picker/Dxfres.h"
#include "framework/streaming/StreamingReader.h"
#include "framework/streaming/StreamingRegistry.h"
#include "framework/streaming/StreamingWriter.h"
#include "platform/fonts/FontEnum.h"
#include "platform/fonts/RealizedFont.h"
#include "platform/text/Cp932.h"

const std::array<TSymbolFontPreview, 10> SymbolFontPreviews = {{
    {"Bookshelf Symbol 1", "eryazxc12345465665"},
    {"Bookshelf Symbol 2", "dgad,yazxc12345465665"},
    {"Bookshelf Symbol 3", "a[]b"},
    {"CommonBullets", "12345790-=][ieadfghjk;/b"},
    {"Marlett", "12344567rylgavn"},
    {"Monotype Sorts", "136790-readf,mvc"},
    {"MS Outlook", "MNBCADGJIE"},
    {"Symbol", "Symbol"},
    {"Webdings", "ERIPKJHGFDSACBM"},
    {"Wingdings", "1267890-][a/IO:JC"},
}};

int FindSymbolFontPreview(const std::string& FaceName) {
  const std::string Key = cp932::AnsiUpperCase(FaceName);
  for (std::size_t I = 0; I < SymbolFontPreviews.size(); ++I)
    if (cp932::AnsiUpperCase(SymbolFontPreviews[I].FontName) == Key) return static_cast<int>(I);
  return -1;
}

namespace {

TFontEnumerator& CurrentEnumerator() {
  static TFontEnumerator Enumerator;
  return Enumerator;
}

bool Enumerate(const std::function<bool(const TEnumFontEntry&)>& Report) {
  if (const TFontEnumerator& Replaced = CurrentEnumerator()) return Replaced(Report);
  return EnumFonts(Report);
}

// The image of a listed kind, or -1 for a kind that is not listed.
int ImageOfKind(int FontType, TdxfFontTypes Types) {
  switch (FontType) {
    case RASTER_FONTTYPE:
      return (Types & FontTypeBit(ftRaster)) ? 1 : -1;
    case DEVICE_FONTTYPE:
      return (Types & FontTypeBit(ftDevice)) ? 1 : -1;
    case TRUETYPE_FONTTYPE:
      return (Types & FontTypeBit(ftTrueType)) ? 0 : -1;
    default:
      // Vector fonts (0) and combinations of kinds are never listed.
      return -1;
  }
}

}  // namespace

TFontEnumerator SetFontEnumerator(TFontEnumerator Enumerator) {
  return std::exchange(CurrentEnumerator(), std::move(Enumerator));
}

TdxfFontNameComboBox::TdxfFontNameComboBox(TComponent* AOwner) : TdxfCustomComboBox(AOwner) {
  FFontTypes = kAllFontTypes;
  SetAutoSearch(true);
  // The shared font-kind marks; the face lays itself out for their size.
  SetImages(ImageList());
  SetShowImage(true);
  LoadFontNames();
  OnDrawItem = [this](TObject* Sender, int Index, bool ItemInMRUList, bool LastItemInMRUList,
                      int& ImageIndex, bool& Checked, TOwnerDrawState State, std::string& AText,
                      TCanvas* ACanvas, const TRect& ARect, TColor& AColor, TFont* AFont,
                      bool& ADone) {
    DrawPreviewFont(Sender, Index, ItemInMRUList, LastItemInMRUList, ImageIndex, Checked, State,
                    AText, ACanvas, ARect, AColor, AFont, ADone);
  };
}

void TdxfFontNameComboBox::LoadFontNames() {
  // The chosen face, to be chosen again wherever it lands in the new list.
  const std::string Chosen = ItemIndex() >= 0 ? Items()->Get(ItemIndex()) : std::string();
  TStringList Found;
  BeginUpdate();
  // Each face comes with its kind in the entry's object slot. Names are
  // kept whole: the platform has no 32-byte limit on face names, and a cut
  // name would select some other font.
  Enumerate([&Found](const TEnumFontEntry& Entry) {
    Found.AddObject(Entry.FaceName, Entry.FontType);
    return true;
  });
  Found.Sort();
  Items()->Clear();
  ClearMRUList();
  for (int I = 0; I < Found.Count(); ++I) {
    const int Image = ImageOfKind(static_cast<int>(Found.GetObject(I)), FFontTypes);
    if (Image < 0) continue;
    Items()->Add(Found.Get(I));
    SetImageIndex(Items()->Count() - 1, Image);
  }
  // By its exact spelling: two faces may differ only in letter case. A face
  // no longer listed leaves the selection to the position rule of EndUpdate.
  if (!Chosen.empty())
    for (int I = 0; I < Items()->Count(); ++I)
      if (Items()->Get(I) == Chosen) {
        SetItemIndex(I);
        break;
      }
  EndUpdate();
}

void TdxfFontNameComboBox::SetFontTypes(TdxfFontTypes Value) {
  Value &= kAllFontTypes;
  if (Value == FFontTypes) return;
  FFontTypes = Value;
  LoadFontNames();
}

std::string TdxfFontNameComboBox::GetFontName() const { return GetText(); }

void TdxfFontNameComboBox::SetFontName(const std::string& Value) {
  // A lead byte without its trail byte is no character: shown or stored it
  // would join with whatever byte came next.
  std::string Name = Value;
  if (!Name.empty() && cp932::IsLeadByte(Name.back()) &&
      cp932::IsCharBoundary(Name, Name.size() - 1))
    Name.pop_back();
  SetText(Name);
}

void TdxfFontNameComboBox::DrawPreviewFont(TObject* Sender, int Index, bool ItemInMRUList,
                                           bool LastItemInMRUList, int& ImageIndex, bool& Checked,
                                           TOwnerDrawState State, std::string& AText,
                                           TCanvas* ACanvas, const TRect& ARect, TColor& AColor,
                                           TFont* AFont, bool& ADone) {
  if (!FPreviewFont) return;
  const int Symbol = FindSymbolFontPreview(AText);
  if (Symbol < 0) {
    // A face whose file cannot be read would be drawn in a stand-in face,
    // and one whose glyphs are empty would leave a blank row: either way
    // its name stays in the popup's font instead.
    TLogFont Own = AFont->LogFont();
    Own.Face = AText;
    const std::shared_ptr<TRealizedFont> Font = TRealizedFont::Create(Own);
    if (Font->IsStandIn() || !Font->DrawsInk(AText)) return;
    AFont->SetName(AText);
    return;
  }

  TRect R = ARect;
  if (LastItemInMRUList) R.Bottom -= 3;
  ACanvas->Brush()->SetColor(AColor);
  ACanvas->FillRect(R);
  // Names and samples are drawn on the row's colour.
  ACanvas->Handle()->SetBkMode(OPAQUE);

  int X0 = 0;
  if (TImageList* Marks = Images()) {
    X0 = Marks->Width();
    if (ImageIndex >= 0 && ImageIndex < Marks->Count())
      Marks->Draw(ACanvas, 1, (ARect.Height() - Marks->Height() - 2) / 2, ImageIndex, true);
  }
  ACanvas->TextOut(ARect.Left + X0 + 3,
                   (ARect.Top + ARect.Bottom - ACanvas->TextHeight(AText) - 2) / 2, AText);
  const int X1 = ARect.Left + X0 + 10 + ACanvas->TextWidth(AText);

  // The symbol font's height decides where its sample stands.
  ACanvas->Font()->SetName(AText);
  ACanvas->Handle()->SetBkMode(OPAQUE);
  ACanvas->TextOut(X1, (ARect.Top + ARect.Bottom - ACanvas->TextHeight(AText) - 2) / 2,
                   SymbolFontPreviews[Symbol].Sample);

  if (LastItemInMRUList) {
    ACanvas->Pen()->SetColor(clBlack);
    ACanvas->MoveTo(ARect.Left, ARect.Bottom - 1);
    ACanvas->LineTo(ARect.Right, ARect.Bottom - 1);
    ACanvas->MoveTo(ARect.Left, ARect.Bottom - 3);
    ACanvas->LineTo(ARect.Right, ARect.Bottom - 3);
  }
  ADone = false;
}

void TdxfFontNameComboBox::DefineProperties(TFiler* Filer) {
  TdxfCustomComboBox::DefineProperties(Filer);
  Filer->DefineProperty(
      "Height", [this](TReader& R) { ReadHeight(R); }, [this](TWriter& W) { WriteHeight(W); },
      true);
}

const TPropList& TdxfFontNameComboBox::PublishedProperties() {
  using C = TdxfFontNameComboBox;
  static const TPropList List =
      TPropertyTable<C>(TdxfCustomComboBox::PublishedProperties())
          .Boolean("ShowImage", &C::ShowImage, &C::SetShowImage)
          .Boolean("AutoSearch", &C::AutoSearch, &C::SetAutoSearch)
          .Set("FontTypes", &C::FontTypes, &C::SetFontTypes, {"ftDevice", "ftRaster", "ftTrueType"},
               DefaultIs(kAllFontTypes))
          .String("FontName", &C::GetFontName, &C::SetFontName)
          .Boolean("PreviewFont", &C::PreviewFont, &C::SetPreviewFont);
  return List;
}

void RegisterDxfFontNameComboBox() { RegisterClass<TdxfFontNameComboBox>("TdxfFontNameComboBox"); }
