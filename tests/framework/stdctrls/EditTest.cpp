// TEdit as a user meets it: typing ASCII and Japanese text (double-byte
// characters are never split by the caret, deletion, selection or the
// length limit), selecting with keys and mouse, the clipboard and PRIMARY,
// read-only, the change notification and the key hooks.

#include <gtest/gtest.h>

#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/StdCtrlsTestSupport.h"
#include "framework/streaming/StreamingReader.h"
#include "framework/streaming/StreamingWriter.h"

using namespace stocktest;

namespace {

constexpr const char* kLayout =
    u8R"(
object Form1: TStockForm
  Left = 100
  Top = 100
  ClientWidth = 200
  ClientHeight = 70
  BorderStyle = bsNone
  object Edit1: TEdit
    Left = 10
    Top = 10
    Width = 121
    Height = 21
    TabOrder = 0
  end
  object Edit2: TEdit
    Left = 10
    Top = 40
    Width = 121
    Height = 21
    MaxLength = 20
    TabOrder = 1
    Text = '二番目'
  end
end
)";

// A derived edit whose hooks change and consume keys, as the picker's
// editor does.
class THookedEdit : public TEdit {
public:
  using TEdit::TEdit;
  std::vector<WORD> KeysDown;
  int Changes = 0;

protected:
  void KeyDown(WORD& Key, TShiftState Shift) override {
    KeysDown.push_back(Key);
    if (Key == VK_HOME) Key = 0;  // consumed: the caret stays
    TEdit::KeyDown(Key, Shift);
  }
  void KeyPress(char& Key) override {
    if (Key == 'a') Key = 'b';  // changed: b is typed
    if (Key == 'q') Key = 0;    // consumed
    TEdit::KeyPress(Key);
  }
  void Change() override {
    ++Changes;
    TEdit::Change();
  }
};

class EditTest : public THeadlessFixture {
protected:
  void SetUp() override {
    RegisterStockTestClasses();
    Form = MakeForm<TStockForm>();
    Form->ReadLayoutText(kLayout);
    Form->AfterConstruction();
    Form->BindComponent(Edit, "Edit1");
    Form->BindComponent(Edit2, "Edit2");
    Edit->OnChange = [this](TObject*) { ++Changes; };
    Form->Show();
    Pump();
    Edit->SetFocus();
    Pump();
  }
  void Type(const std::string& Cp932) {
    Display.TypeText(Cp932);
    Pump();
  }
  // A click in the middle of the character that starts at Pos.
  int MidX(int Pos) { return (Edit->XFromChar(Pos) + Edit->XFromChar(Pos + 1)) / 2; }
  int Y() { return Edit->ClientHeight() / 2; }

  TStockForm* Form = nullptr;
  TEdit* Edit = nullptr;
  TEdit* Edit2 = nullptr;
  int Changes = 0;
};

TEST_F(EditTest, TypingJapaneseStepsTheCaretByWholeCharacters) {
  Type("aあb");
  EXPECT_EQ(Edit->Text(), "aあb");
  EXPECT_EQ(Edit->SelStart(), 4);
  Key(VK_LEFT);
  EXPECT_EQ(Edit->SelStart(), 3);
  Key(VK_LEFT);
  EXPECT_EQ(Edit->SelStart(), 1);  // over both bytes of あ
  Key(VK_RIGHT);
  EXPECT_EQ(Edit->SelStart(), 3);
  Key(VK_HOME);
  EXPECT_EQ(Edit->SelStart(), 0);
  Key(VK_END);
  EXPECT_EQ(Edit->SelStart(), 4);
}

TEST_F(EditTest, BackspaceAndDeleteRemoveWholeDoubleByteCharacters) {
  Type("日本語");
  Key(VK_BACK);
  EXPECT_EQ(Edit->Text(), "日本");
  Key(VK_HOME);
  Key(VK_DELETE);
  EXPECT_EQ(Edit->Text(), "本");
  Key(VK_DELETE);
  EXPECT_EQ(Edit->Text(), "");
  Key(VK_BACK);  // nothing left: no change announced
  EXPECT_EQ(Changes, 6);
}

TEST_F(EditTest, ShiftArrowsSelectWholeCharactersAndTypingReplacesTheSelection) {
  Type("日本語");
  Key(VK_LEFT, mkShift);
  EXPECT_EQ(Edit->SelStart(), 4);
  EXPECT_EQ(Edit->SelLength(), 2);
  EXPECT_EQ(Edit->SelText(), "語");
  Key(VK_LEFT, mkShift);
  EXPECT_EQ(Edit->SelText(), "本語");
  Type("x");
  EXPECT_EQ(Edit->Text(), "日x");
  // A plain arrow collapses a selection to its side.
  Key(VK_HOME, mkShift);
  Key(VK_RIGHT);
  EXPECT_EQ(Edit->SelLength(), 0);
  EXPECT_EQ(Edit->SelStart(), 3);
}

TEST_F(EditTest, PositionsSetByTheProgramSnapToCharacterStarts) {
  Edit->SetText("あいう");
  Edit->SetSelStart(3);  // inside い
  EXPECT_EQ(Edit->SelStart(), 2);
  Edit->SetSelLength(3);  // would end inside う
  EXPECT_EQ(Edit->SelText(), "い");
  Edit->SetSel(6, 1);  // caret before the anchor
  EXPECT_EQ(Edit->SelStart(), 0);
  EXPECT_EQ(Edit->SelLength(), 6);
  EXPECT_EQ(Edit->CaretPos(), 0);
}

TEST_F(EditTest, CtrlArrowsJumpByWordsAndScripts) {
  Type("abc def漢字かな");
  Key(VK_HOME);
  Key(VK_RIGHT, mkControl);
  EXPECT_EQ(Edit->SelStart(), 4);  // after the blank
  Key(VK_RIGHT, mkControl);
  EXPECT_EQ(Edit->SelStart(), 7);  // where the kanji start
  Key(VK_RIGHT, mkControl);
  EXPECT_EQ(Edit->SelStart(), 11);  // where the kana start
  Key(VK_END);
  Key(VK_LEFT, mkControl | mkShift);
  EXPECT_EQ(Edit->SelText(), "かな");
}

TEST_F(EditTest, CtrlBackspaceAndCtrlDeleteRemoveWords) {
  Type("search 東京タワー now");
  Key(VK_BACK, mkControl);
  EXPECT_EQ(Edit->Text(), "search 東京タワー ");
  Key(VK_HOME);
  Key(VK_DELETE, mkControl);
  EXPECT_EQ(Edit->Text(), "東京タワー ");
  Key(VK_DELETE, mkControl);
  EXPECT_EQ(Edit->Text(), "タワー ");
}

TEST_F(EditTest, SelTextFromTheProgramReplacesTheSelectionBeyondMaxLength) {
  Edit->SetText("abc");
  Edit->SetMaxLength(3);
  Edit->SetSel(1, 2);
  Edit->SetSelText("漢字");
  EXPECT_EQ(Edit->Text(), "a漢字c");
  EXPECT_EQ(Edit->SelStart(), 5);
  EXPECT_EQ(Changes, 2);
}

TEST_F(EditTest, MaxLengthRefusesACharacterThatWouldCrossIt) {
  Edit->SetMaxLength(5);
  Type("abあい");
  EXPECT_EQ(Edit->Text(), "abあ");  // い would make six bytes
  EXPECT_EQ(Display.Beeps().size(), 1u);
  Type("c");
  EXPECT_EQ(Edit->Text(), "abあc");
  EXPECT_EQ(Changes, 4);
}

TEST_F(EditTest, PasteIsCutAtMaxLengthOnACharacterStart) {
  Edit->SetMaxLength(4);
  SetClipboardText("aいうえ");
  Key('V', mkControl);
  EXPECT_EQ(Edit->Text(), "aい");
  EXPECT_EQ(Edit->SelStart(), 3);
  EXPECT_EQ(Display.Beeps().size(), 1u);
  EXPECT_EQ(Changes, 1);
}

TEST_F(EditTest, PasteTakesTheFirstLineOnly) {
  SetClipboardText("first\r\nsecond");
  Key(VK_INSERT, mkShift);
  EXPECT_EQ(Edit->Text(), "first");
}

TEST_F(EditTest, CharactersCodePage932CannotHoldAreRefusedWithABeep) {
  Type("\x85\x40");  // an unassigned double-byte code
  EXPECT_EQ(Edit->Text(), "");
  EXPECT_EQ(Display.Beeps().size(), 1u);
  Type("\xA0");  // no character in code page 932
  EXPECT_EQ(Display.Beeps().size(), 2u);
  SetClipboardText(
      "a\x85\x40"
      "b");
  Key('V', mkControl);
  EXPECT_EQ(Edit->Text(), "ab");
  EXPECT_EQ(Display.Beeps().size(), 3u);
  EXPECT_EQ(Changes, 1);
}

TEST_F(EditTest, ClipboardRoundTripWithTheShortcutsAndTheContextKeys) {
  Type("コピー");
  Key('A', mkControl);
  Key('C', mkControl);
  EXPECT_EQ(GetClipboardText(selClipboard), "コピー");
  Key(VK_END);
  Key(VK_INSERT, mkShift);
  EXPECT_EQ(Edit->Text(), "コピーコピー");
  Key(VK_LEFT, mkShift);
  Key(VK_INSERT, mkControl);
  EXPECT_EQ(GetClipboardText(selClipboard), "ー");
  Key(VK_LEFT);
  Key(VK_HOME, mkShift);
  Key(VK_DELETE, mkShift);  // cut
  EXPECT_EQ(Edit->Text(), "ー");
  EXPECT_EQ(GetClipboardText(selClipboard), "コピーコピ");
  Key('X', mkControl);  // nothing selected: the clipboard stays
  EXPECT_EQ(GetClipboardText(selClipboard), "コピーコピ");
}

TEST_F(EditTest, ReadOnlyRefusesEditsButAllowsSelectingAndCopying) {
  Edit->SetText("固定");
  Changes = 0;
  Edit->SetReadOnly(true);
  SetClipboardText("x");
  Type("a\x82\xA0");
  Key(VK_BACK);
  Key(VK_DELETE);
  Key('V', mkControl);
  Key(VK_HOME);
  Key(VK_RIGHT, mkShift);
  Key('X', mkControl);
  EXPECT_EQ(Edit->Text(), "固定");
  EXPECT_EQ(GetClipboardText(selClipboard), "x");
  Key('C', mkControl);
  EXPECT_EQ(GetClipboardText(selClipboard), "固");
  EXPECT_EQ(Changes, 0);
  EXPECT_TRUE(Display.Beeps().empty());
}

TEST_F(EditTest, OnChangeFiresOncePerChangeOfTheText) {
  Type("ab");
  EXPECT_EQ(Changes, 2);
  Type("あ");  // two bytes, one character
  EXPECT_EQ(Changes, 3);
  Edit->SetText(Edit->Text());
  EXPECT_EQ(Changes, 3);
  Edit->SetText("new");
  EXPECT_EQ(Changes, 4);
  EXPECT_FALSE(Edit->Modified());
  Key(VK_RIGHT);  // moving changes nothing
  Key('A', mkControl);
  EXPECT_EQ(Changes, 4);
  Type("z");
  EXPECT_EQ(Changes, 5);
  EXPECT_TRUE(Edit->Modified());
  EXPECT_EQ(Edit->Text(), "z");
  Edit->Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("z"));
  EXPECT_EQ(Changes, 5);
}

TEST_F(EditTest, UndoTakesBackTheLastChangeAndRedoesItWhenRepeated) {
  Type("abc");
  Key(VK_HOME);
  Type("日x");
  Key('Z', mkControl);  // the typing after the caret moved, as one change
  EXPECT_EQ(Edit->Text(), "abc");
  EXPECT_EQ(Edit->SelStart(), 0);
  Key('Z', mkControl);
  EXPECT_EQ(Edit->Text(), "日xabc");
  Key(VK_END);
  Key(VK_BACK);
  Key('Z', mkControl);
  EXPECT_EQ(Edit->Text(), "日xabc");
  EXPECT_EQ(Changes, 9);
  Edit->SetText("set");
  EXPECT_FALSE(Edit->CanUndo());
  Key('Z', mkControl);
  EXPECT_EQ(Edit->Text(), "set");
}

TEST_F(EditTest, KeyHooksChangeAndConsumeKeys) {
  auto* Hooked = new THookedEdit(Form);
  Hooked->SetParent(Form);
  Hooked->SetBounds(140, 10, 50, 21);
  Hooked->SetText("xyz");
  Hooked->SetFocus();
  Pump();
  Hooked->SetSelStart(3);
  Type("aq");
  EXPECT_EQ(Hooked->Text(), "xyzb");
  Key(VK_HOME);
  EXPECT_EQ(Hooked->SelStart(), 4);  // consumed by KeyDown
  EXPECT_EQ(Hooked->KeysDown.back(), VK_HOME);
  // The event consumes as well.
  Hooked->OnKeyDown = [](TObject*, WORD& Key, TShiftState) {
    if (Key == VK_LEFT) Key = 0;
  };
  Hooked->OnKeyPress = [](TObject*, char& Key) {
    if (Key == 8) Key = 0;
  };
  Key(VK_LEFT);
  Key(VK_BACK);
  EXPECT_EQ(Hooked->SelStart(), 4);
  EXPECT_EQ(Hooked->Text(), "xyzb");
  EXPECT_EQ(Hooked->Changes, 2);  // the SetText and the b
}

TEST_F(EditTest, DoubleClickSelectsAWordAndDragExtendsByWords) {
  Type("hello big world");
  const TPoint P = ScreenPoint(Edit, MidX(7), Y());
  Display.MoveMouse(P.X, P.Y);
  Display.Click();
  Display.Press();  // the second press within the double-click time, held
  Pump();
  EXPECT_EQ(Edit->SelText(), "big");
  EXPECT_EQ(GetClipboardText(selPrimary), "big");
  MoveTo(Edit, MidX(1), Y());
  Release();
  // Dragging left after a double click keeps "big" and takes whole words.
  EXPECT_EQ(Edit->SelText(), "hello big");
}

TEST_F(EditTest, PressDragSelectsAndOffersPrimaryShiftClickExtends) {
  Type("0123456789");
  PressAt(Edit, MidX(2) - 1, Y());
  EXPECT_EQ(Edit->SelStart(), 2);
  MoveTo(Edit, MidX(5) + 1, Y());
  Release();
  EXPECT_EQ(Edit->SelText(), "2345");
  EXPECT_EQ(GetClipboardText(selPrimary), "2345");
  Display.KeyDown(VK_SHIFT);
  ClickAt(Edit, MidX(8) + 1, Y());
  Display.KeyUp(VK_SHIFT);
  Pump();
  EXPECT_EQ(Edit->SelText(), "2345678");
  ClickAt(Edit, MidX(0) - 1, Y());
  EXPECT_EQ(Edit->SelLength(), 0);
  EXPECT_EQ(Edit->SelStart(), 0);
}

TEST_F(EditTest, MiddleClickPastesPrimaryAtThePointer) {
  Type("ac");
  SetClipboardText("b", selPrimary);
  SetClipboardText("clipboard", selClipboard);
  const TPoint P = ScreenPoint(Edit, MidX(1) - 1, Y());
  Display.MoveMouse(P.X, P.Y);
  Display.Click(mbMiddle);
  Pump();
  EXPECT_EQ(Edit->Text(), "abc");
}

TEST_F(EditTest, AutoSelectOnKeyboardFocusButNotOnAClick) {
  Key(VK_TAB);
  ASSERT_TRUE(Edit2->Focused());
  EXPECT_EQ(Edit2->SelText(), "二番目");
  Edit2->SetSelStart(0);
  ClickAt(Edit, 2, Y());
  ClickAt(Edit2, Edit2->XFromChar(2) + 1, Y());
  EXPECT_EQ(Edit2->SelLength(), 0);
  EXPECT_EQ(Edit2->SelStart(), 2);
}

TEST_F(EditTest, MaxLengthFromTheLayoutLimitsTyping) {
  Edit2->SetFocus();
  Pump();
  Key(VK_END);
  Type("abcdefghijklmnopq");  // 6 + 17 bytes for a limit of 20
  EXPECT_EQ(Edit2->Text(), "二番目abcdefghijklmn");
}

class EditLayoutTest : public THeadlessFixture {};

TEST_F(EditLayoutTest, PublishedPropertiesRoundTripWithDefaultsLeftOut) {
  RegisterStockTestClasses();
  TStockForm Root(nullptr);
  Root.SetName("Form1");
  auto* Plain = new TEdit(&Root);
  Plain->SetParent(&Root);
  Plain->SetName("Plain");
  auto* Source = new TEdit(&Root);
  Source->SetParent(&Root);
  Source->SetName("Edit1");
  Source->SetBorderStyle(bsNone);
  Source->SetReadOnly(true);
  Source->SetMaxLength(7);
  Source->SetAutoSelect(false);
  Source->SetColor(clYellow);
  Source->SetText("検索");
  const std::string Text = WriteComponentLayout(Root);
  const std::size_t PlainAt = Text.find("object Plain"), SourceAt = Text.find("object Edit1");
  ASSERT_NE(SourceAt, std::string::npos) << Text;
  const std::string PlainPart = Text.substr(PlainAt, SourceAt - PlainAt);
  for (const char* Default : {"AutoSelect", "BorderStyle", "ReadOnly", "MaxLength", "Color",
                              "TabStop", "Text", "ParentColor"})
    EXPECT_EQ(PlainPart.find(Default), std::string::npos) << Default << "\n" << PlainPart;

  TStockForm Copy(nullptr);
  ReadComponentLayout(Copy, Text);
  auto* Read = dynamic_cast<TEdit*>(Copy.FindComponent("Edit1"));
  ASSERT_NE(Read, nullptr);
  EXPECT_EQ(Read->BorderStyle(), bsNone);
  EXPECT_TRUE(Read->ReadOnly());
  EXPECT_EQ(Read->MaxLength(), 7);
  EXPECT_FALSE(Read->AutoSelect());
  EXPECT_EQ(Read->Color(), clYellow);
  EXPECT_EQ(Read->Text(), "検索");
  EXPECT_EQ(WriteComponentLayout(Copy), Text);
}

}  // namespace
