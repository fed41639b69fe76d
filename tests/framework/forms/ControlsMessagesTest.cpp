// Notifications: a setter announces a change once (CM_ message) and stays
// silent when the value does not change; parents hand changes down.

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "framework/HeadlessFixture.h"
#include "framework/forms/ControlsTestClasses.h"

using namespace controlstest;

namespace {

// Counts every framework notification that reaches it.
class TCounting : public TCtlGraphic {
public:
  using TCtlGraphic::TCtlGraphic;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg >= CM_BASE && Message.Msg < CM_BASE + 0x100) ++Count[Message.Msg];
    TCtlGraphic::Dispatch(Message);
  }
  std::map<UINT, int> Count;
};

struct TSetterCase {
  const char* Name;
  std::function<void(TControl&)> Set;
  UINT Notification;
};

std::ostream& operator<<(std::ostream& Out, const TSetterCase& C) { return Out << C.Name; }

class TSetterTest : public THeadlessFixture, public ::testing::WithParamInterface<TSetterCase> {
protected:
  void SetUp() override {
    Form = MakeForm<TForm>();
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(50, 50, 100, 60);
    Control = new TCounting(Form);
    Control->SetBounds(10, 10, 30, 30);
    Control->SetParent(Form);
    Form->Show();
    Pump();
    Control->Count.clear();
    Control->Paints = 0;
  }
  TForm* Form = nullptr;
  TCounting* Control = nullptr;
};

TEST_P(TSetterTest, AnnouncesAChangeOnceAndRepaintsOnlyThen) {
  GetParam().Set(*Control);
  Pump();
  EXPECT_EQ(Control->Count[GetParam().Notification], 1);
  const int Paints = Control->Paints;
  GetParam().Set(*Control);
  Pump();
  EXPECT_EQ(Control->Count[GetParam().Notification], 1);
  EXPECT_EQ(Control->Paints, Paints);
}

INSTANTIATE_TEST_SUITE_P(
    Setters, TSetterTest,
    ::testing::Values(
        TSetterCase{"Color", [](TControl& C) { C.SetColor(clRed); }, CM_COLORCHANGED},
        TSetterCase{"Enabled", [](TControl& C) { C.SetEnabled(false); }, CM_ENABLEDCHANGED},
        TSetterCase{"Visible", [](TControl& C) { C.SetVisible(false); }, CM_VISIBLECHANGED},
        TSetterCase{"Text", [](TControl& C) { C.SetText("検索"); }, CM_TEXTCHANGED},
        TSetterCase{"Cursor", [](TControl& C) { C.SetCursor(crHandPoint); }, CM_CURSORCHANGED},
        TSetterCase{"ShowHint", [](TControl& C) { C.SetShowHint(true); }, CM_SHOWHINTCHANGED},
        TSetterCase{"FontColor", [](TControl& C) { C.Font()->SetColor(clRed); }, CM_FONTCHANGED},
        TSetterCase{"Font",
                    [](TControl& C) {
                      TFont Big;
                      Big.SetHeight(-20);
                      C.SetFont(&Big);
                    },
                    CM_FONTCHANGED},
        TSetterCase{"ParentColor", [](TControl& C) { C.SetParentColor(false); },
                    CM_PARENTCOLORCHANGED},
        TSetterCase{"ParentFont", [](TControl& C) { C.SetParentFont(false); },
                    CM_PARENTFONTCHANGED}),
    [](const ::testing::TestParamInfo<TSetterCase>& Info) { return std::string(Info.param.Name); });

class TControlsMessagesTest : public TSetterTest {};

TEST_F(TControlsMessagesTest, ParentHandsColourAndFontDownOnlyToFollowers) {
  auto* Own = new TCounting(Form);
  Own->SetParent(Form);
  Own->SetColor(clLime);
  Own->Font()->SetColor(clBlue);
  Own->Count.clear();
  Form->SetColor(clYellow);
  Form->Font()->SetStyle(fsBold);
  EXPECT_EQ(Control->Color(), clYellow);
  EXPECT_EQ(Control->Font()->Style(), fsBold);
  EXPECT_EQ(Control->Count[CM_PARENTCOLORCHANGED], 1);
  EXPECT_EQ(Control->Count[CM_COLORCHANGED], 1);
  EXPECT_EQ(Control->Count[CM_PARENTFONTCHANGED], 1);
  EXPECT_EQ(Control->Count[CM_FONTCHANGED], 1);
  // Told, but it keeps its own.
  EXPECT_EQ(Own->Count[CM_PARENTCOLORCHANGED], 1);
  EXPECT_EQ(Own->Count[CM_COLORCHANGED], 0);
  EXPECT_EQ(Own->Count[CM_FONTCHANGED], 0);
  EXPECT_EQ(Own->Color(), clLime);
  EXPECT_TRUE(Control->ParentColor());
  EXPECT_FALSE(Own->ParentColor());
}

TEST_F(TControlsMessagesTest, NewChildTakesItsParentsLooksAtOnce) {
  Form->SetColor(clAqua);
  auto* Late = new TCounting(Form);
  EXPECT_EQ(Late->Color(), clWindow);
  Late->SetParent(Form);
  EXPECT_EQ(Late->Color(), clAqua);
  EXPECT_EQ(Late->Font()->Height(), Form->Font()->Height());
}

TEST_F(TControlsMessagesTest, SystemColourChangeReachesTheChildren) {
  SendMessage(Form->Handle(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(Control->Count[CM_SYSCOLORCHANGE], 1);
}

TEST_F(TControlsMessagesTest, ChildListChangesAreAnnouncedToTheParent) {
  std::vector<std::string> Seen;
  struct TWatching : TForm {
    using TForm::TForm;
    std::vector<std::string>* Seen = nullptr;
    void Dispatch(TMessage& M) override {
      if (M.Msg == CM_CONTROLLISTCHANGE || M.Msg == CM_CONTROLCHANGE)
        Seen->push_back((M.Msg == CM_CONTROLCHANGE ? "Change " : "List ") +
                        std::to_string(M.LParam));
      TForm::Dispatch(M);
    }
  };
  auto* Parent = MakeForm<TWatching>();
  Parent->Seen = &Seen;
  auto* Child = new TCounting(Parent);
  Child->SetParent(Parent);
  Child->SetParent(nullptr);
  EXPECT_EQ(Seen, (std::vector<std::string>{"List 1", "Change 1", "List 0", "Change 0"}));
}

TEST_F(TControlsMessagesTest, PerformReturnsTheHandlersResult) {
  EXPECT_EQ(Control->Perform(CM_HITTEST, 0, 0), HTCLIENT);
  EXPECT_EQ(Control->Perform(WM_GETTEXTLENGTH, 0, 0), 0);
  Control->SetText("ｷｰﾜｰﾄﾞ");
  char Buffer[4];
  // Cut to the buffer, never through a double-byte character.
  EXPECT_EQ(Control->Perform(WM_GETTEXT, sizeof Buffer, reinterpret_cast<LPARAM>(Buffer)), 3);
  EXPECT_EQ(std::string(Buffer), std::string("ｷｰﾜｰﾄﾞ").substr(0, 3));
  Control->SetText("検索");
  EXPECT_EQ(Control->Perform(WM_GETTEXT, 4, reinterpret_cast<LPARAM>(Buffer)), 2);
}

}  // namespace
