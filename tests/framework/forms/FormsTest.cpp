// Forms: made from a layout, the tool-window main window's looks and
// placement, the stay-on-top switch, closing and its actions, window
// re-creation, modality and the order of destruction.

#include <gtest/gtest.h>

#include "framework/HeadlessFixture.h"
#include "framework/forms/ControlsTestClasses.h"
#include "framework/streaming/StreamingReader.h"

using namespace controlstest;

namespace {

constexpr const char* kMainLayout =
    u8R"(
object Main1: TCtlForm
  Left = 20
  Top = 20
  BorderStyle = bsToolWindow
  Caption = 'Scoutlane'' 2010'
  ClientHeight = 35
  ClientWidth = 500
  Color = clBtnFace
  Font.Charset = SHIFTJIS_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = 'ＭＳ Ｐゴシック'
  FormStyle = fsStayOnTop
  OnClose = FormClose
  OnCreate = FormCreate
  object Back: TCtlGraphic
    Left = 0
    Top = 0
    Width = 500
    Height = 35
    Color = clBlue
  end
  object Caption1: TCtlGraphic
    Left = 8
    Top = 12
    Width = 55
    Height = 12
    Font.Color = clWhite
    ParentColor = False
    ParentFont = False
  end
  object Box: TCtlWindowed
    Left = 66
    Top = 8
    Width = 160
    Height = 20
  end
end
)";

// A form that reads its layout in its constructor, as the program's forms do.
class TCtlLayoutForm : public TCtlForm {
public:
  explicit TCtlLayoutForm(TComponent* AOwner) : TCtlForm(AOwner) {
    ReadLayoutText(Layout);
    BindComponent(Back, "Back");
    BindComponent(Caption1, "Caption1");
    BindComponent(Box, "Box");
  }
  TCtlGraphic* Back = nullptr;
  TCtlGraphic* Caption1 = nullptr;
  TCtlWindowed* Box = nullptr;
  static inline std::string Layout = kMainLayout;
};

class TFormsTest : public THeadlessFixture {
protected:
  void SetUp() override {
    RegisterTestClasses();
    RegisterClass<TCtlLayoutForm>("TCtlLayoutForm");
    Log().clear();
    TCtlForm::ThrowOnCreate = false;
    TCtlLayoutForm::Layout = kMainLayout;
    std::string& L = TCtlLayoutForm::Layout;
    L.replace(L.find("TCtlForm"), 8, "TCtlLayoutForm");
  }
  void TearDown() override { TCtlForm::ThrowOnCreate = false; }
  TCtlLayoutForm* CreateMain() {
    TCtlLayoutForm* Form = nullptr;
    App.CreateForm(Form);
    return Form;
  }
};

TEST_F(TFormsTest, LayoutControlsAreAllLoadedBeforeOnCreate) {
  TCtlLayoutForm* Form = CreateMain();
  EXPECT_EQ(Log(), (std::vector<std::string>{"Loaded Back", "Loaded Caption1", "Loaded Box",
                                             "FormCreate"}));
  EXPECT_EQ(App.MainForm(), Form);
  EXPECT_EQ(Form->Name(), "Main1");
  EXPECT_EQ(Form->Box->Parent(), Form);
}

TEST_F(TFormsTest, ParentFontAndColorReachTheControlsThatFollowTheirParent) {
  TCtlLayoutForm* Form = CreateMain();
  EXPECT_EQ(Form->Box->Font()->Height(), -12);
  EXPECT_EQ(Form->Box->Font()->Color(), clWindowText);
  EXPECT_TRUE(Form->Box->ParentFont());
  EXPECT_EQ(Form->Box->Color(), clBtnFace);
  // Caption1 has its own font colour and keeps it.
  EXPECT_EQ(Form->Caption1->Font()->Color(), clWhite);
  EXPECT_FALSE(Form->Caption1->ParentFont());
}

TEST_F(TFormsTest, ParentChangesPropagateOnlyToFollowers) {
  TCtlLayoutForm* Form = CreateMain();
  const int BoxFontChanges = Form->Back->FontChanges;
  const int CaptionFontChanges = Form->Caption1->FontChanges;
  Form->Font()->SetHeight(-16);
  EXPECT_EQ(Form->Box->Font()->Height(), -16);
  EXPECT_EQ(Form->Back->Font()->Height(), -16);
  EXPECT_EQ(Form->Back->FontChanges, BoxFontChanges + 1);
  EXPECT_EQ(Form->Caption1->Font()->Height(), -12);
  EXPECT_EQ(Form->Caption1->FontChanges, CaptionFontChanges);
  Form->SetColor(clRed);
  EXPECT_EQ(Form->Box->Color(), clRed);
  EXPECT_EQ(Form->Back->Color(), clBlue);  // set in the layout: not a follower
  // Following again takes the parent's value at once.
  Form->Caption1->SetParentFont(true);
  EXPECT_EQ(Form->Caption1->Font()->Height(), -16);
  EXPECT_EQ(Form->Caption1->Font()->Color(), clWindowText);
}

TEST_F(TFormsTest, ToolWindowOnTopAtItsLayoutPlaceWithItsClientSize) {
  TCtlLayoutForm* Form = CreateMain();
  Form->Show();
  Pump();
  EXPECT_EQ(Form->ClientWidth(), 500);
  EXPECT_EQ(Form->ClientHeight(), 35);
  const auto* Native = NativeOf(Form);
  ASSERT_NE(Native, nullptr);
  EXPECT_TRUE(Native->Shown);
  EXPECT_TRUE(Native->Params.ToolWindow);
  EXPECT_TRUE(Native->Params.Topmost);
  EXPECT_TRUE(Native->Params.Decorated);
  EXPECT_FALSE(Native->Params.Resizable);
  EXPECT_EQ(Native->Params.ScreenRect, Bounds(20, 20, 500, 35));
  EXPECT_EQ(Native->Params.Title, "Scoutlane' 2010");
  // Painted: the background block over the form colour.
  EXPECT_EQ(Shown(Form, 0, 0), PixelOf(clBlue));
}

TEST_F(TFormsTest, FormStyleSwitchMovesTheWindowInAndOutOfTheTopmostBand) {
  TCtlLayoutForm* Form = CreateMain();
  Form->Show();
  auto* Other = MakeForm<TForm>();
  Other->SetBounds(300, 300, 100, 100);
  Other->Show();
  Pump();
  const HWND Before = Form->Handle();
  const TNativeWindow Main = System.NativeWindowOf(Form->Handle());
  const TNativeWindow Second = System.NativeWindowOf(Other->Handle());
  EXPECT_EQ(Display.Stack().front(), Main);  // on top although the other came later

  Form->SetFormStyle(fsNormal);
  Pump();
  EXPECT_FALSE(NativeOf(Form)->Params.Topmost);
  EXPECT_EQ(Form->Handle(), Before);  // the same window: nothing was re-created
  Other->Show();
  Pump();
  EXPECT_EQ(Display.Stack().front(), Second);

  Form->SetFormStyle(fsStayOnTop);
  Pump();
  EXPECT_TRUE(NativeOf(Form)->Params.Topmost);
  EXPECT_EQ(Display.Stack().front(), Main);
  EXPECT_FALSE(Log().Contains("Destroy Box"));
}

TEST_F(TFormsTest, CreationErrorPassesToTheCallerAndLeavesNoForm) {
  TCtlForm::ThrowOnCreate = true;
  TCtlLayoutForm* Form = reinterpret_cast<TCtlLayoutForm*>(1);
  const int Forms = Screen->FormCount();
  EXPECT_THROW(App.CreateForm(Form), Exception);
  EXPECT_EQ(Form, nullptr);
  EXPECT_EQ(App.MainForm(), nullptr);
  EXPECT_EQ(Screen->FormCount(), Forms);
  EXPECT_EQ(App.ComponentCount(), 0);
}

TEST_F(TFormsTest, LayoutErrorPassesToTheCaller) {
  TCtlLayoutForm::Layout.replace(TCtlLayoutForm::Layout.find("ClientHeight"), 12, "NoSuchThing");
  TCtlLayoutForm* Form = nullptr;
  EXPECT_THROW(App.CreateForm(Form), EReadError);
  EXPECT_EQ(Form, nullptr);
  EXPECT_EQ(App.ComponentCount(), 0);
}

TEST_F(TFormsTest, BindComponentRefusesAMissingOrMistypedComponent) {
  TCtlLayoutForm* Form = CreateMain();
  TCtlWindowed* Wrong = nullptr;
  EXPECT_THROW(Form->BindComponent(Wrong, "Back"), EComponentError);
  EXPECT_THROW(Form->BindComponent(Wrong, "Nothing"), EComponentError);
}

// ---- closing

struct TCloseCase {
  TCloseAction Action;
  bool VisibleAfter;
  bool ExistsAfter;
};

class TFormsCloseTest : public TFormsTest, public ::testing::WithParamInterface<TCloseCase> {};

TEST_P(TFormsCloseTest, CloseActionDecidesWhatHappensToASecondaryForm) {
  CreateMain()->Show();
  auto* Second = MakeForm<TCtlForm>();
  Second->SetBounds(300, 300, 80, 60);
  Second->CloseAction = GetParam().Action;
  Second->OnClose = [Second](TObject* S, TCloseAction& A) { Second->FormClose(S, A); };
  Second->Show();
  Pump();
  const int Forms = Screen->FormCount();
  Second->Close();
  Pump();
  EXPECT_EQ(Screen->FormCount(), GetParam().ExistsAfter ? Forms : Forms - 1);
  if (GetParam().ExistsAfter) {
    EXPECT_EQ(Second->Visible(), GetParam().VisibleAfter);
  }
  EXPECT_FALSE(App.Terminated());
}

INSTANTIATE_TEST_SUITE_P(Actions, TFormsCloseTest,
                         ::testing::Values(TCloseCase{caNone, true, true},
                                           TCloseCase{caHide, false, true},
                                           TCloseCase{caMinimize, true, true},
                                           TCloseCase{caFree, false, false}));

TEST_F(TFormsTest, ClosingTheMainFormEndsTheLoopUnlessTheHandlerRefuses) {
  TCtlLayoutForm* Form = CreateMain();
  Form->CloseAction = caNone;
  Form->Show();
  Pump();
  Display.RequestClose(System.NativeWindowOf(Form->Handle()));
  App.Run();
  EXPECT_FALSE(App.Terminated());
  EXPECT_TRUE(Form->Visible());
  Form->CloseAction = caHide;
  Display.RequestClose(System.NativeWindowOf(Form->Handle()));
  App.Run();
  EXPECT_TRUE(App.Terminated());
  EXPECT_EQ(std::count(Log().begin(), Log().end(), "FormClose"), 2);
}

TEST_F(TFormsTest, CloseQueryCanRefuse) {
  TCtlLayoutForm* Form = CreateMain();
  Form->OnCloseQuery = [](TObject*, bool& CanClose) { CanClose = false; };
  Form->Show();
  Form->Close();
  Pump();
  EXPECT_FALSE(App.Terminated());
  EXPECT_FALSE(Log().Contains("FormClose"));
}

TEST_F(TFormsTest, RunShowsTheMainFormAndEndsWhenInputRunsOut) {
  TCtlLayoutForm* Form = CreateMain();
  EXPECT_FALSE(Form->Visible());
  App.Run();
  EXPECT_TRUE(Form->Visible());
  EXPECT_TRUE(NativeOf(Form)->Shown);
}

// ---- windows

TEST_F(TFormsTest, RecreatingTheWindowDestroysTheOldOnesFirst) {
  TCtlLayoutForm* Form = CreateMain();
  Form->Show();
  Pump();
  Form->Box->SetFocus();
  const HWND OldBox = Form->Box->Handle();
  Log().clear();
  Form->Box->RecreateWnd();
  EXPECT_EQ(Log(), (std::vector<std::string>{"Destroy Box"}));
  EXPECT_FALSE(IsWindow(OldBox));
  ASSERT_TRUE(Form->Box->HandleAllocated());
  EXPECT_NE(Form->Box->Handle(), OldBox);
  EXPECT_TRUE(Form->Box->Focused());
  EXPECT_TRUE(IsWindowVisible(Form->Box->Handle()));
}

TEST_F(TFormsTest, BorderStyleChangeRecreatesTheFormWithItsControls) {
  TCtlLayoutForm* Form = CreateMain();
  Form->Show();
  Pump();
  Log().clear();
  Form->SetBorderStyle(bsSingle);
  Pump();
  EXPECT_EQ(Log(), (std::vector<std::string>{"Destroy Box"}));
  EXPECT_FALSE(NativeOf(Form)->Params.ToolWindow);
  EXPECT_TRUE(NativeOf(Form)->Shown);
  EXPECT_TRUE(IsWindowVisible(Form->Box->Handle()));
  EXPECT_EQ(Form->Left(), 20);
}

TEST_F(TFormsTest, ControlsSeeTheirWindowsGoBeforeTheyAreDestroyed) {
  TCtlLayoutForm* Form = CreateMain();
  Form->Show();
  Pump();
  Form->Box->OnExit = nullptr;
  bool WindowWasGone = false;
  struct TProbe : TComponent {
    using TComponent::TComponent;
    std::function<void()> OnGone;
    ~TProbe() override {
      if (OnGone) OnGone();
    }
  };
  // Owned by the box: destroyed with it, when the box's window must be gone.
  auto* Probe = new TProbe(Form->Box);
  const HWND BoxWindow = Form->Box->Handle();
  Probe->OnGone = [&] { WindowWasGone = !IsWindow(BoxWindow); };
  Log().clear();
  delete Form;
  EXPECT_EQ(Log(), (std::vector<std::string>{"Destroy Box"}));
  EXPECT_TRUE(WindowWasGone);
  EXPECT_EQ(App.MainForm(), nullptr);
}

TEST_F(TFormsTest, ScreenCentredPlacement) {
  auto* Form = MakeForm<TForm>();
  Form->SetBorderStyle(bsNone);
  Form->SetPosition(poScreenCenter);
  Form->SetBounds(0, 0, 100, 50);
  Form->Show();
  Pump();
  EXPECT_EQ(Form->Left(), (1024 - 100) / 2);
  EXPECT_EQ(Form->Top(), (768 - 50) / 2);
  EXPECT_EQ(Screen->Width(), 1024);
  EXPECT_EQ(Screen->Height(), 768);
}

TEST_F(TFormsTest, ShowModalDisablesTheOtherFormsUntilAResultIsSet) {
  TCtlLayoutForm* Main = CreateMain();
  Main->Show();
  Pump();
  auto* Dialog = MakeForm<TForm>();
  Dialog->SetBorderStyle(bsNone);
  Dialog->SetBounds(400, 400, 50, 50);
  auto* Ok = new TCtlWindowed(Dialog);
  Ok->SetParent(Dialog);
  bool MainWasEnabled = true;
  Ok->OnClick = [&](TObject*) {
    MainWasEnabled = IsWindowEnabled(Main->Handle());
    Dialog->SetModalResult(mrOk);
  };
  // The user's click, queued before the dialog runs.
  Display.MoveMouse(410, 410);
  Display.Click();
  EXPECT_EQ(Dialog->ShowModal(), mrOk);
  EXPECT_FALSE(MainWasEnabled);
  EXPECT_TRUE(IsWindowEnabled(Main->Handle()));
  EXPECT_FALSE(Dialog->Visible());
  EXPECT_EQ(GetActiveWindow(), Main->Handle());
}

TEST_F(TFormsTest, ShowModalOfAVisibleFormIsRefused) {
  auto* Dialog = MakeForm<TForm>();
  Dialog->Show();
  EXPECT_THROW(Dialog->ShowModal(), EInvalidOperation);
}

}  // namespace
