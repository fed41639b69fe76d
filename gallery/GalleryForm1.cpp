#include "gallery/GalleryForm1.h"

#include <array>

#include "controls/gradient/Gradbox.h"
#include "controls/history/Historycombobox.h"
#include "controls/picker/Dxfcombobox.h"
#include "controls/picker/Dxffontnamecombobox.h"
#include "controls/shine/Shinespdbtn.h"
#include "framework/dialogs/Dialogs.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/StdCtrls.h"
#include "framework/streaming/StreamingRegistry.h"

namespace {

// The site picker's marks: a square in each site's colour with its initial,
// drawn here so the gallery needs no bitmap of its own.
struct TSiteMark {
  TColor Color;
  const char* Letter;
};
constexpr std::array<TSiteMark, 10> kSiteMarks = {{
    {0x00F48542, "G"},   // Google
    {0x002020E0, "Y"},   // Yahoo! Japan
    {0x00A07800, "b"},   // bing
    {0x00404040, "W"},   // WikiPedia
    {0x00F2A11D, "t"},   // twitter
    {0x0053A834, "N"},   // Google News
    {0x0000A0F0, "M"},   // Google Maps
    {0x000000FF, "Y"},   // YouTube
    {0x00303030, "ニ"},  // ニコニコ動画
    {0x000099FF, "a"},   // Amazon
}};

void DrawSiteMarks(TImageList* Images) {
  const int Size = Images->Width();
  TBitmap Strip(Size * static_cast<int>(kSiteMarks.size()), Size);
  TCanvas* C = Strip.Canvas();
  C->Brush()->SetColor(clFuchsia);
  C->FillRect(TRect{0, 0, Strip.Width(), Size});
  C->Font()->SetHeight(-12);
  C->Font()->SetColor(clWhite);
  for (std::size_t I = 0; I < kSiteMarks.size(); ++I) {
    const int Left = static_cast<int>(I) * Size;
    C->Brush()->SetColor(kSiteMarks[I].Color);
    C->FillRect(TRect{Left + 1, 1, Left + Size - 1, Size - 1});
    const int W = C->TextWidth(kSiteMarks[I].Letter);
    const int H = C->TextHeight(kSiteMarks[I].Letter);
    C->Handle()->SetBkMode(TRANSPARENT);
    C->TextOut(Left + (Size - W) / 2, (Size - H) / 2, kSiteMarks[I].Letter);
  }
  Images->AddMasked(&Strip, clFuchsia);
}

}  // namespace

TGalleryForm1::TGalleryForm1(TComponent* AOwner) : TGalleryForm1(AOwner, TGalleryFormOptions{}) {}

TGalleryForm1::TGalleryForm1(TComponent* AOwner, const TGalleryFormOptions& Options)
    : TForm(AOwner) {
  FMethods.Add("FormKeyDown", this, &TGalleryForm1::FormKeyDown);
  FMethods.Add("CaptionStyleClick", this, &TGalleryForm1::CaptionStyleClick);
  FMethods.Add("FontTypesClick", this, &TGalleryForm1::FontTypesClick);
  FMethods.Add("PreviewClick", this, &TGalleryForm1::PreviewClick);
  FMethods.Add("FontComboBox1Change", this, &TGalleryForm1::FontComboBox1Change);
  FMethods.Add("HistoryComboBox1KeyPress", this, &TGalleryForm1::HistoryComboBox1KeyPress);
  FMethods.Add("ShineHookButtonClick", this, &TGalleryForm1::ShineHookButtonClick);
  FMethods.Add("ShineAccelButtonClick", this, &TGalleryForm1::ShineAccelButtonClick);
  if (Options.LayoutText.empty())
    ReadLayout("TGALLERYFORM1");
  else
    ReadLayoutText(Options.LayoutText);
  BindGradientPanel();
  BindFontPanel();
  BindSitePanel();
  BindHistoryPanel();
  BindShinePanel();
}

TGalleryForm1::~TGalleryForm1() = default;

void TGalleryForm1::FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
  if (Key != VK_ESCAPE || Shift != 0) return;
  // An open list takes the Escape itself.
  if (FontComboBox1->DroppedDown() || SiteComboBox1->DroppedDown() ||
      HistoryComboBox1->DroppedDown())
    return;
  Key = 0;
  Close();
}

// ---- gradient panel

void TGalleryForm1::BindGradientPanel() {
  BindComponent(GradBox1, "GradBox1");
  BindComponent(FlatCaptionButton, "FlatCaptionButton");
  BindComponent(ShadowCaptionButton, "ShadowCaptionButton");
  BindComponent(RaisedCaptionButton, "RaisedCaptionButton");
  BindComponent(SunkenCaptionButton, "SunkenCaptionButton");
}

void TGalleryForm1::CaptionStyleClick(TObject* Sender) {
  if (FlatCaptionButton->Down()) {
    GradBox1->SetFont3D(false);
    return;
  }
  GradBox1->SetFont3D(true);
  if (ShadowCaptionButton->Down())
    GradBox1->SetStyle3D(fsRaiseShadow);
  else if (SunkenCaptionButton->Down())
    GradBox1->SetStyle3D(fsLow3D);
  else
    GradBox1->SetStyle3D(fsRaise3D);
}

// ---- font-name picker

void TGalleryForm1::BindFontPanel() {
  BindComponent(FontComboBox1, "FontComboBox1");
  BindComponent(TrueTypeButton, "TrueTypeButton");
  BindComponent(RasterButton, "RasterButton");
  BindComponent(DeviceButton, "DeviceButton");
  BindComponent(PreviewButton, "PreviewButton");
  BindComponent(SampleLabel, "SampleLabel");
}

void TGalleryForm1::FontTypesClick(TObject* Sender) {
  TdxfFontTypes Types = 0;
  if (TrueTypeButton->Down()) Types |= FontTypeBit(ftTrueType);
  if (RasterButton->Down()) Types |= FontTypeBit(ftRaster);
  if (DeviceButton->Down()) Types |= FontTypeBit(ftDevice);
  FontComboBox1->SetFontTypes(Types);
}

void TGalleryForm1::PreviewClick(TObject* Sender) {
  FontComboBox1->SetPreviewFont(PreviewButton->Down());
}

void TGalleryForm1::FontComboBox1Change(TObject* Sender) {
  // Only a listed font: a half-typed name would show the sample in some
  // stand-in face at every key.
  const int Index = FontComboBox1->ItemIndex();
  if (Index < 0) return;
  SampleLabel->Font()->SetName(FontComboBox1->Items()->Get(Index));
}

// ---- site picker

void TGalleryForm1::BindSitePanel() {
  BindComponent(SiteComboBox1, "SiteComboBox1");
  SiteImages = new TImageList(this, 16, 16);
  DrawSiteMarks(SiteImages);
  SiteComboBox1->SetImages(SiteImages);
}

// ---- history box

void TGalleryForm1::BindHistoryPanel() { BindComponent(HistoryComboBox1, "HistoryComboBox1"); }

void TGalleryForm1::HistoryComboBox1KeyPress(TObject* Sender, char& Key) {
  if (Key != '\r') return;
  HistoryComboBox1->AddText();
  Key = 0;
}

// ---- shine buttons

void TGalleryForm1::BindShinePanel() {
  // The glyphs are the program's 32-bit bitmaps; a layout holds no pixels.
  TBitmap Star, Heart, Magnifier;
  Star.LoadFromResourceName("SHINESTAR");
  Heart.LoadFromResourceName("SHINEHEART");
  Magnifier.LoadFromResourceName("SHINEFIND");
  for (int I = 0; I < 8; ++I) {
    BindComponent(ShineHover[I], "ShineHover" + std::to_string(I));
    ShineHover[I]->SetGlyph(&Star);
  }
  for (int I = 0; I < 5; ++I) {
    BindComponent(ShineDisabled[I], "ShineDisabled" + std::to_string(I));
    ShineDisabled[I]->SetGlyph(&Heart);
  }
  BindComponent(ShineRadio1, "ShineRadio1");
  BindComponent(ShineRadio2, "ShineRadio2");
  BindComponent(StockRadio, "StockRadio");
  BindComponent(ShineHookButton, "ShineHookButton");
  BindComponent(ShineAccelButton, "ShineAccelButton");
  ShineAccelButton->SetGlyph(&Magnifier);
  BindComponent(ShineStatusLabel, "ShineStatusLabel");
}

void TGalleryForm1::ShineHookButtonClick(TObject* Sender) {
  // Near the button, below it, so the pressed button stays in sight.
  const TPoint At = ShineHookButton->ClientToScreen(TPoint{0, ShineHookButton->Height() + 8});
  MessageBoxPos(Handle(), "ボタンはこの箱が閉じるまで押されたままです。", "シャインボタン", miNone,
                At.X, At.Y);
}

void TGalleryForm1::ShineAccelButtonClick(TObject* Sender) {
  ShineStatusLabel->SetCaption("クリック: " + std::to_string(++ShineAccelClicks));
}

void RegisterGalleryClasses() {
  static bool Done = false;
  if (Done) return;
  Done = true;
  RegisterStockControls();
  RegisterGradBox();
  RegisterHistoryComboBox();
  RegisterDxfComboBox();
  RegisterDxfFontNameComboBox();
  RegisterShineSpeedButton();
  RegisterClass<TGalleryForm1>("TGalleryForm1");
}
