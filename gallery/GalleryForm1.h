#pragma once
// TGalleryForm1: the control gallery's window, where every reusable control
// of the system can be seen and tried. Its controls come from the embedded
// layout "TGALLERYFORM1" (gallery/Gallery.layout), one panel below the
// other: the gradient panel with buttons for its caption's look, the
// font-name picker with its kinds, the preview switch and a sample line in
// the chosen font, the site picker with images and the recently-used
// section, a history box that keeps its entries in the registry store, and
// shine buttons in every look: the three frames, flat and gradient faces,
// one button per hover effect and per disabled effect (glyphs from the
// program's bitmaps), a radio group shared with a stock speed button, an
// AllowAllUp pair, a button that shows pressed while its message box is
// open, and one with an accelerator whose clicks a label counts.
// Escape closes the window unless it closes an open list first.
//
// Adding a panel: place its controls at the bottom of the layout, register
// their classes in RegisterGalleryClasses, and bind them and their handlers
// in a Bind...Panel member called from the constructor.

#include <memory>
#include <string>

#include "framework/forms/Forms.h"

class TGradBox;
class TLabel;
class TSpeedButton;
class TImageList;
class TdxfComboBox;
class TdxfFontNameComboBox;
class THistoryComboBox;
class TShineSpeedButton;

struct TGalleryFormOptions {
  std::string LayoutText;  // empty: the embedded layout
};

class TGalleryForm1 : public TForm {
public:
  explicit TGalleryForm1(TComponent* AOwner);
  TGalleryForm1(TComponent* AOwner, const TGalleryFormOptions& Options);
  ~TGalleryForm1() override;

  // ---- gradient panel
  TGradBox* GradBox1 = nullptr;
  TSpeedButton* FlatCaptionButton = nullptr;
  TSpeedButton* ShadowCaptionButton = nullptr;
  TSpeedButton* RaisedCaptionButton = nullptr;
  TSpeedButton* SunkenCaptionButton = nullptr;
  // ---- font-name picker
  TdxfFontNameComboBox* FontComboBox1 = nullptr;
  TSpeedButton* TrueTypeButton = nullptr;
  TSpeedButton* RasterButton = nullptr;
  TSpeedButton* DeviceButton = nullptr;
  TSpeedButton* PreviewButton = nullptr;
  TLabel* SampleLabel = nullptr;
  // ---- site picker
  TdxfComboBox* SiteComboBox1 = nullptr;
  TImageList* SiteImages = nullptr;  // made here, owned by the form
  // ---- history box
  THistoryComboBox* HistoryComboBox1 = nullptr;
  // ---- shine buttons
  TShineSpeedButton* ShineHover[8] = {};     // one per hover effect
  TShineSpeedButton* ShineDisabled[5] = {};  // one per disabled effect
  TShineSpeedButton* ShineRadio1 = nullptr;
  TShineSpeedButton* ShineRadio2 = nullptr;
  TSpeedButton* StockRadio = nullptr;
  TShineSpeedButton* ShineHookButton = nullptr;
  TShineSpeedButton* ShineAccelButton = nullptr;
  TLabel* ShineStatusLabel = nullptr;
  int ShineAccelClicks = 0;

  // Escape closes the window when no list of it is open.
  void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  // The caption's look follows the button that is down.
  void CaptionStyleClick(TObject* Sender);
  // The picker lists the kinds whose buttons are down.
  void FontTypesClick(TObject* Sender);
  void PreviewClick(TObject* Sender);
  // The sample line takes the picker's font name.
  void FontComboBox1Change(TObject* Sender);
  // Enter puts the typed text at the top of the history.
  void HistoryComboBox1KeyPress(TObject* Sender, char& Key);
  // Shows a message box; the button stays pressed until it is closed.
  void ShineHookButtonClick(TObject* Sender);
  // Counts the accelerator button's clicks in the label beside it.
  void ShineAccelButtonClick(TObject* Sender);

private:
  void BindGradientPanel();
  void BindFontPanel();
  void BindSitePanel();
  void BindHistoryPanel();
  void BindShinePanel();
};

// Makes the gallery's form class and every class its layout names known to
// the layout reader. Calling it again does nothing.
void RegisterGalleryClasses();
