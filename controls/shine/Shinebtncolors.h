#pragma once
// TShineBtnColors: the colours of one look of a shine button. A button owns
// two of them, one for its up looks (Colors) and one for its pressed looks
// (PressedColors): the face colour, which is also where a gradient face
// starts, the three frame edges, the gradient's end colour and direction, and
// whether the face is a gradient at all.
//
// Every setter tells OnChange (the owning button, which repaints) only when
// the value really changes.

#include <cstdint>

#include "framework/core/Classes.h"
#include "framework/graphics/Graphics.h"
#include "framework/streaming/StreamingProperties.h"

class TShineBtnColors : public TPersistent {
public:
  TShineBtnColors() = default;
  ~TShineBtnColors() override;

  // Copies all seven values from another colour set and then tells this
  // set's OnChange. Anything else (null included) raises the assignment
  // error and copies nothing.
  void Assign(const TPersistent* Source) override;

  // The face colour, and the gradient's start colour.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // The light edge of the frames.
  TColor Highlight() const { return FHighlight; }
  void SetHighlight(TColor Value);
  // The dark edge of the frames.
  TColor Shadow() const { return FShadow; }
  void SetShadow(TColor Value);
  // The outermost dark edge of the normal frame, and the outline of the
  // enclosed frame.
  TColor DarkShadow() const { return FDarkShadow; }
  void SetDarkShadow(TColor Value);
  // The gradient's end colour.
  TColor GradColor() const { return FGradColor; }
  void SetGradColor(TColor Value);
  // The gradient runs top to bottom (true) or left to right (false).
  bool GradVertical() const { return FGradVertical; }
  void SetGradVertical(bool Value);
  // The face is a gradient (true) or a flat fill of Color (false).
  bool Gradation() const { return FGradation; }
  void SetGradation(bool Value);

  // Fired with the colour set as Sender after a value changed. Not
  // streamed: the owning button sets it.
  TNotifyEvent OnChange;

  // Highlight, Shadow, DarkShadow, GradColor, GradVertical and Gradation,
  // each left out of a layout while it holds its default, then Color,
  // which is always written.
  static const TPropList& PublishedProperties();

protected:
  // Copies the seven values into another colour set and tells that set's
  // OnChange; anything else is refused.
  void AssignTo(TPersistent* Dest) const override;

private:
  void Changed();
  void CopyValuesTo(TShineBtnColors& Dest) const;

  TColor FColor = clBtnFace;
  TColor FHighlight = clBtnHighlight;
  TColor FShadow = clBtnShadow;
  TColor FDarkShadow = clWindowFrame;
  TColor FGradColor = clBlue;
  bool FGradVertical = false;
  bool FGradation = false;
};

// A colour as a pixel of a 32-bit scan line: red in bits 16 to 23, green in
// bits 8 to 15, blue in bits 0 to 7, the top byte 0. System colours are
// resolved to their current value first.
std::uint32_t ColorToDIBPixel(TColor Color);
