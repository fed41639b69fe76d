#include "controls/shine/Shinebtncolors.h"

#include "platform/gdi/SysColors.h"

TShineBtnColors::~TShineBtnColors() = default;

void TShineBtnColors::Changed() {
  if (OnChange) OnChange(this);
}

void TShineBtnColors::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TShineBtnColors::SetHighlight(TColor Value) {
  if (Value == FHighlight) return;
  FHighlight = Value;
  Changed();
}

void TShineBtnColors::SetShadow(TColor Value) {
  if (Value == FShadow) return;
  FShadow = Value;
  Changed();
}

void TShineBtnColors::SetDarkShadow(TColor Value) {
  if (Value == FDarkShadow) return;
  FDarkShadow = Value;
  Changed();
}

void TShineBtnColors::SetGradColor(TColor Value) {
  if (Value == FGradColor) return;
  FGradColor = Value;
  Changed();
}

void TShineBtnColors::SetGradVertical(bool Value) {
  if (Value == FGradVertical) return;
  FGradVertical = Value;
  Changed();
}

void TShineBtnColors::SetGradation(bool Value) {
  if (Value == FGradation) return;
  FGradation = Value;
  Changed();
}

void TShineBtnColors::CopyValuesTo(TShineBtnColors& Dest) const {
  Dest.FColor = FColor;
  Dest.FHighlight = FHighlight;
  Dest.FShadow = FShadow;
  Dest.FDarkShadow = FDarkShadow;
  Dest.FGradColor = FGradColor;
  Dest.FGradVertical = FGradVertical;
  Dest.FGradation = FGradation;
}

void TShineBtnColors::Assign(const TPersistent* Source) {
  if (const auto* Colors = dynamic_cast<const TShineBtnColors*>(Source)) {
    // Assigning a set to itself still counts as a change: the owner repaints.
    Colors->CopyValuesTo(*this);
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void TShineBtnColors::AssignTo(TPersistent* Dest) const {
  if (auto* Colors = dynamic_cast<TShineBtnColors*>(Dest)) {
    CopyValuesTo(*Colors);
    Colors->Changed();
    return;
  }
  TPersistent::AssignTo(Dest);
}

const TPropList& TShineBtnColors::PublishedProperties() {
  static const TPropList List =
      TPropertyTable<TShineBtnColors>()
          .Color("Highlight", &TShineBtnColors::Highlight, &TShineBtnColors::SetHighlight,
                 DefaultIs(clBtnHighlight))
          .Color("Shadow", &TShineBtnColors::Shadow, &TShineBtnColors::SetShadow,
                 DefaultIs(clBtnShadow))
          .Color("DarkShadow", &TShineBtnColors::DarkShadow, &TShineBtnColors::SetDarkShadow,
                 DefaultIs(clWindowFrame))
          .Color("GradColor", &TShineBtnColors::GradColor, &TShineBtnColors::SetGradColor,
                 DefaultIs(clBlue))
          .Boolean("GradVertical", &TShineBtnColors::GradVertical,
                   &TShineBtnColors::SetGradVertical, DefaultIs(0))
          .Boolean("Gradation", &TShineBtnColors::Gradation, &TShineBtnColors::SetGradation,
                   DefaultIs(0))
          .Color("Color", &TShineBtnColors::Color, &TShineBtnColors::SetColor);
  return List;
}

std::uint32_t ColorToDIBPixel(TColor Color) { return ColorToPixel(Color); }
