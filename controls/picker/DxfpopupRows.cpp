// The popup's rows: their heights, how each is composed off-screen and
// copied to the list in one transfer, the selection following the mouse,
// ticking and choosing with the mouse, and Enter and Escape.

#include <algorithm>
#include <string>

#include "controls/picker/Dxfpopup.h"
#include "controls/picker/Dxfres.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/Primitives.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"

void TPopupWindow::MeasureItem(int Index, int& Height) {
  TCanvas* ListCanvas = Canvas();
  ListCanvas->SetFont(Font());
  int H = ListCanvas->TextHeight("Wg");
  if (ComboBox->ShowCheckBoxes()) H += ComboBox->Scaled(4);
  const int Factor = CheckBoxFactor(ComboBox->PixelsPerInch());
  if (TImageList* Images = ComboBox->Images();
      Images && Images->Height() * Factor + ComboBox->Scaled(2) > H)
    H = Images->Height() * Factor + ComboBox->Scaled(2);
  const int MRUCount = ComboBox->MRUList()->Count();
  // The last recently-used row makes room for the double line under it.
  if (Index == MRUCount - 1) H += 3 * ComboBox->ScaledStroke(1);
  if (ComboBox->OnMeasureItem)
    ComboBox->OnMeasureItem(ComboBox, ComboBox->PopupRowToItem(Index), Index < MRUCount,
                            Index == MRUCount - 1, H);
  Height = H;
}

void TPopupWindow::DrawRowCheckBox(TCanvas* Canvas, int X, int ContentHeight, bool Checked,
                                   TRect& Box) {
  const int Style = ComboBox->CheckBoxStyle();
  const int Size = CheckBoxSize(Style) * CheckBoxFactor(ComboBox->PixelsPerInch());
  // A box taller than the row gets a negative offset and is clipped.
  const int Offset = (ContentHeight - Size) / 2;
  const int Indent = ComboBox->Scaled(3);
  Box = TRect{X + Indent, Offset, X + Indent + Size, ContentHeight - Offset};
  DrawCheckBox(Canvas, Box, Style, Checked);
}

void TPopupWindow::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  TBitmap* Bitmap = DrawBmp();
  TCanvas* Row = Bitmap->Canvas();
  TCanvas* ListCanvas = Canvas();
  // The dispatch gave the list canvas the selected text colour where it
  // applies; the row takes it from there.
  Row->SetFont(ListCanvas->Font());
  const int Item = Index < 0 ? -1 : ComboBox->PopupRowToItem(Index);
  if (Item < 0) {
    TCustomListBox::DrawItem(Index, Rect, State);
    return;
  }

  const int MRUCount = ComboBox->MRUList()->Count();
  const bool InMRU = Index < MRUCount;
  const bool LastInMRU = Index == MRUCount - 1;
  int ImageIndex = ComboBox->GetImageIndex(Item);
  bool Checked = ComboBox->GetChecked(Item);
  std::string AText = ComboBox->Items()->Get(Item);

  TColor AColor = ComboBox->Color();
  if (InMRU) AColor = ComboBox->MRUListColor();
  if (ParentColor()) AColor = Color();
  if (State & odSelected) AColor = clHighlight;

  bool ADone = true;
  const int W = Rect.Right - Rect.Left, H = Rect.Bottom - Rect.Top;
  const TRect Work{0, 0, W, H};
  // The bitmap only grows, so a row never pays for a resize twice. It grows
  // before the row's handler draws: what a handler draws past a smaller
  // bitmap's edge would be lost.
  if (Bitmap->Width() < W || Bitmap->Height() < H)
    Bitmap->SetSize(std::max(W, Bitmap->Width()), std::max(H, Bitmap->Height()));
  Row->Brush()->SetColor(ComboBox->Color());
  Row->FillRect(Work);
  if (ComboBox->OnDrawItem)
    ComboBox->OnDrawItem(ComboBox, Item, InMRU, LastInMRU, ImageIndex, Checked, State, AText, Row,
                         Work, AColor, Row->Font(), ADone);

  const int Line = ComboBox->ScaledStroke(1);
  const int Content = LastInMRU ? H - 3 * Line : H;
  if (ADone) {
    Row->Brush()->SetColor(ComboBox->Color());
    Row->FillRect(Work);
    Row->Brush()->SetColor(AColor);
    Row->FillRect(TRect{0, 0, W, Content});

    int X = 0;
    if (TImageList* Images = ComboBox->Images()) {
      // Images (the font kinds' marks) at the check boxes' whole factor.
      const int Factor = CheckBoxFactor(ComboBox->PixelsPerInch());
      X = Images->Width() * Factor;
      if (ImageIndex >= 0 && ImageIndex < Images->Count())
        Images->Draw(Row, 1, (Content - Images->Height() * Factor) / 2, ImageIndex, true, Factor);
    }
    if (ComboBox->ShowCheckBoxes()) {
      TRect Box;
      DrawRowCheckBox(Row, X, Content, Checked, Box);
      X += Box.Right - Box.Left + ComboBox->Scaled(6);
      const int RowTop = ItemRect(Index).Top;
      ComboBox->CheckBoxRects()->SetRect(
          Index, TRect{Box.Left, Box.Top + RowTop, Box.Right, Box.Bottom + RowTop});
    }

    Row->Handle()->SetBkMode(TRANSPARENT);
    if (ComboBox->MultiLineText()) {
      const int Gap = ComboBox->Scaled(2);
      TRect TextRect{X + ComboBox->Scaled(3), Gap, W - Gap, Content - Gap};
      Row->DrawText(AText, TextRect, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_END_ELLIPSIS);
    } else {
      Row->TextOut(X + ComboBox->Scaled(3), (Content - Row->TextHeight(AText)) / 2, AText);
    }

    if (LastInMRU) {
      // Two black lines with a line of the picker's colour between them,
      // each as many pixels thick as the scale makes one.
      Row->Brush()->SetColor(clBlack);
      Row->FillRect(TRect{0, Content, W, Content + Line});
      Row->FillRect(TRect{0, Content + 2 * Line, W, Content + 3 * Line});
    }
  }

  BitBlt(*ListCanvas->Handle(), Rect.Left, Rect.Top, W, H, *Row->Handle(), 0, 0, SRCCOPY);
  if (Index == Count() - 1) {
    // The space under the last row, which the list does not erase.
    ListCanvas->Brush()->SetColor(ComboBox->Color());
    ListCanvas->FillRect(TRect{Rect.Left, Rect.Bottom, Rect.Right, Height()});
  }
  // The dispatch inverts a focus rectangle on a focused row after this;
  // inverting it here as well cancels it, so no dotted frame shows.
  if (State & odFocused) ::DrawFocusRect(*ListCanvas->Handle(), Rect);
}

void TPopupWindow::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomListBox::MouseMove(Shift, X, Y);
  if (CloseButtonPressed) {
    // The popup holds the capture, so no hit test follows the pointer off
    // the button (nor tells it left the list): the move decides.
    TPoint Screen{X, Y};
    ::ClientToScreen(WindowHandle(), Screen);
    const bool Hot = CloseButtonRect.Contains(Screen.X, Screen.Y);
    if (Hot != CloseButtonHot) {
      CloseButtonHot = Hot;
      RepaintFrame();
    }
  }
  const int Row = ItemAtPos(TPoint{X, Y}, false);
  if (Row == -1) return;
  const TRect R = ItemRect(Row);
  if (StripAtTop()) {
    if (R.Top < StripHeight()) return;
  } else if (R.Bottom > Height() - (2 + StripHeight())) {
    // The frame takes the two border lines and the strip of the height.
    return;  // a row cut off by the bottom would scroll the list
  }
  // Row Count() (under the last row) leaves no row selected.
  SetItemIndex(Row);
}

void TPopupWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomListBox::MouseUp(Button, Shift, X, Y);
  TdxfCustomComboBox* Box = ComboBox;
  // Whatever the button, the picker's drop button is drawn released again.
  Box->SetButtonPressed(false);
  if (Box->HandleAllocated()) {
    const TRect Button{Box->Width() - 4 - Box->ButtonWidth(), 0, Box->Width() - 4,
                       Box->Height() - 4};
    InvalidateRect(Box->WindowHandle(), &Button, false);
  }
  if (Button != mbLeft || !StillOpen()) return;
  const int Row = ItemAtPos(TPoint{X, Y}, true);
  if (Row == -1) return;
  const int Item = Box->PopupRowToItem(Row);
  if (Item == -1) return;

  TdxfRectsList* Boxes = Box->CheckBoxRects();
  const TRect CheckBox = Boxes->GetRect(Row);
  if (Box->ShowCheckBoxes() && Row < Boxes->Count() && CheckBox.Contains(X, Y)) {
    // A tick keeps the list open; the item's other row shows the same box.
    Box->SetChecked(Item, !Box->GetChecked(Item));
    InvalidateRect(WindowHandle(), &CheckBox, false);
    const int Twin =
        Row < Box->MRUList()->Count() ? Box->ItemToPopupRow(Item) : Box->ItemToMRURow(Item);
    if (Twin != -1) {
      const TRect TwinBox = Boxes->GetRect(Twin);
      InvalidateRect(WindowHandle(), &TwinBox, false);
    }
    return;
  }
  Box->SetItemIndex(Item);
  Box->CloseUp();
}

void TPopupWindow::KeyDown(WORD& Key, TShiftState Shift) {
  // The key-down event of the popup itself is not raised: the keys belong
  // to the picker.
  TdxfCustomComboBox* Box = ComboBox;
  if (Key == VK_RETURN) {
    const int Row = ItemIndex();
    if (Row == -1) return;
    const int Item = Box->PopupRowToItem(Row);
    Box->SetItemIndex(Item);
    Box->CloseUp();
    Key = 0;
    // The popup may be gone; the picker's editor is reached through Box.
    if (TValueEdit* Edit = Box->Edit()) Edit->SetSelStart(int(Edit->Text().size()));
  } else if (Key == VK_ESCAPE) {
    Box->CloseUp();
    Key = 0;
  }
}
