#pragma once
// Shared by the list box tests: a form that records the notifications its
// children send it, and an owner-drawn list whose rows take their heights
// from their data words and that records what it was asked.

#include <utility>
#include <vector>

#include "framework/HeadlessFixture.h"
#include "framework/stdctrls/ListBox.h"

namespace listboxtest {

class TNotifiedForm : public TForm {
public:
  using TForm::TForm;
  // (notification code, control window) of every WM_COMMAND.
  std::vector<std::pair<WORD, HWND>> Commands;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == WM_COMMAND)
      Commands.emplace_back(HIWORD(Message.WParam), reinterpret_cast<HWND>(Message.LParam));
    TForm::Dispatch(Message);
  }
};

class TMeasuredList : public TCustomListBox {
public:
  explicit TMeasuredList(TComponent* AOwner) : TCustomListBox(AOwner) {
    SetStyle(lbOwnerDrawVariable);
    SetBorderStyle(bsNone);
  }
  std::vector<int> Measured;  // the rows MeasureItem was asked for, in order
  struct TDrawCall {
    int Index;
    TRect Rect;
    TOwnerDrawState State;
    TColor BrushColor;
    TColor FontColor;
  };
  std::vector<TDrawCall> Drawn;
  std::vector<WORD> KeysSeen;
  WORD ConsumedKey = 0;  // KeyDown sets this key to 0
  DWORD StylesToRemove = 0;

protected:
  void MeasureItem(int Index, int& Height) override {
    Measured.push_back(Index);
    // The row's data word is its height.
    Height = int(Items()->Objects(Index));
  }
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override {
    Drawn.push_back({Index, Rect, State, Canvas()->Brush()->Color(), Canvas()->Font()->Color()});
    Canvas()->FillRect(Rect);
  }
  void KeyDown(WORD& Key, TShiftState Shift) override {
    KeysSeen.push_back(Key);
    if (ConsumedKey && Key == ConsumedKey) Key = 0;
    TCustomListBox::KeyDown(Key, Shift);
  }
  void CreateParams(TCreateParams& Params) override {
    TCustomListBox::CreateParams(Params);
    Params.Style &= ~StylesToRemove;
  }
};

// Twelve rows of mixed heights (140 pixels per six).
inline const std::vector<int>& RowHeights() {
  static const std::vector<int> Heights{20, 30, 10, 40, 25, 15, 20, 30, 10, 40, 25, 15};
  return Heights;
}

inline void AddRows(TCustomListBox* List, const std::vector<int>& Heights) {
  for (std::size_t I = 0; I < Heights.size(); ++I)
    List->Items()->AddObject("Row" + std::to_string(I), Heights[I]);
}

// A borderless form at (100, 100) with a borderless list at (10, 10),
// 120 x 100 (its client area 103 x 100 beside the vertical scroll bar).
class TListBoxFixture : public THeadlessFixture {
protected:
  void MakeList(bool AddBeforeShowing = false, DWORD RemoveStyles = 0) {
    Form = MakeForm<TNotifiedForm>();
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(100, 100, 300, 200);
    List = new TMeasuredList(Form);
    List->SetBounds(10, 10, 120, 100);
    List->StylesToRemove = RemoveStyles;
    List->SetParent(Form);
    if (AddBeforeShowing) AddRows(List, RowHeights());
    Form->Show();
    Pump();
    if (!AddBeforeShowing) AddRows(List, RowHeights());
    Pump();
  }

  TNotifiedForm* Form = nullptr;
  TMeasuredList* List = nullptr;
};

}  // namespace listboxtest
