// TWinControl: bounds and the alignment of children.

#include <algorithm>

#include "framework/forms/Controls.h"
#include "framework/forms/Forms.h"

// ---- bounds -------------------------------------------------------------------------

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft == Left() && ATop == Top() && AWidth == Width() && AHeight == Height()) return;
  if (FHandle) {
    // WM_WINDOWPOSCHANGED reads the new place back (UpdateBounds).
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
  }
  RequestAlign();
}

void TWinControl::UpdateBounds() {
  if (!FHandle) return;
  TRect R;
  if (!GetWindowRect(FHandle, R)) return;
  // A window placed on the desktop (a top-level, or a child-style popup
  // moved there) keeps screen coordinates.
  if (HWND Parent = GetAncestor(FHandle, GA_PARENT)) MapWindowPoints(nullptr, Parent, R);
  FLeft = R.Left;
  FTop = R.Top;
  FWidth = R.Width();
  FHeight = R.Height();
}

TRect TWinControl::ClientRect() const {
  TRect R;
  if (FHandle && GetClientRect(FHandle, R)) return R;
  return TControl::ClientRect();
}

TPoint TWinControl::ClientOrigin() const {
  if (!FHandle) return TControl::ClientOrigin();
  TPoint P{0, 0};
  ::ClientToScreen(FHandle, P);
  return P;
}

void TWinControl::WMWindowPosChanged(TMessage& Message) {
  if (!(FControlState & csDestroyingHandle)) UpdateBounds();
  DefaultHandler(Message);
}

void TWinControl::WMSize(TMessage& Message) {
  UpdateBounds();
  DefaultHandler(Message);
  Realign();
  if (!HasState(csLoading)) Resize();
}

void TWinControl::WMMove(TMessage& Message) {
  UpdateBounds();
  DefaultHandler(Message);
}

void TWinControl::Realign() {
  if (FAlignLevel > 0 || HasState(csLoading) || HasState(csDestroying)) return;
  TRect R = ClientRect();
  AlignControls(nullptr, R);
}

void TWinControl::AlignControls(TControl*, TRect& Rect) {
  std::vector<TControl*> Aligned;
  for (int I = 0; I < ControlCount(); ++I) {
    TControl* C = Controls(I);
    if (C->Visible() && C->Align() != alNone) Aligned.push_back(C);
  }
  if (Aligned.empty()) return;
  ++FAlignLevel;
  struct TLevel {
    int& Level;
    ~TLevel() { --Level; }
  } Level{FAlignLevel};
  // Edges first, in the order of their place along the edge, then the
  // client control in what is left.
  auto Place = [&](TAlign Align) {
    std::vector<TControl*> List;
    for (TControl* C : Aligned)
      if (C->Align() == Align) List.push_back(C);
    std::stable_sort(List.begin(), List.end(), [Align](TControl* A, TControl* B) {
      switch (Align) {
        case alTop:
          return A->Top() < B->Top();
        case alBottom:
          return A->Top() + A->Height() > B->Top() + B->Height();
        case alLeft:
          return A->Left() < B->Left();
        case alRight:
          return A->Left() + A->Width() > B->Left() + B->Width();
        default:
          return false;
      }
    });
    for (TControl* C : List) {
      int H = C->Height(), W = C->Width();
      switch (Align) {
        case alTop:
          C->SetBounds(Rect.Left, Rect.Top, Rect.Width(), H);
          Rect.Top += C->Height();
          break;
        case alBottom:
          C->SetBounds(Rect.Left, Rect.Bottom - H, Rect.Width(), H);
          Rect.Bottom -= C->Height();
          break;
        case alLeft:
          C->SetBounds(Rect.Left, Rect.Top, W, Rect.Height());
          Rect.Left += C->Width();
          break;
        case alRight:
          C->SetBounds(Rect.Right - W, Rect.Top, W, Rect.Height());
          Rect.Right -= C->Width();
          break;
        case alClient:
          C->SetBounds(Rect.Left, Rect.Top, std::max(0, Rect.Width()), std::max(0, Rect.Height()));
          break;
        default:
          break;
      }
    }
  };
  Place(alTop);
  Place(alBottom);
  Place(alLeft);
  Place(alRight);
  Place(alClient);
}

void TWinControl::ChangeScale(const TScale& Scale) {
  // Children first: a child aligned to this control is placed again when
  // this control's own size changes, from sizes already scaled.
  for (int I = 0; I < ControlCount(); ++I) Controls(I)->ChangeScale(Scale);
  TControl::ChangeScale(Scale);
}
