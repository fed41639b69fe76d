// Windowed controls: creation parameters, a child-style window moved to the
// desktop (a drop-down list), broadcasts to a parent's children, alignment,
// dragging, and what a control's window knows of its place.

#include <gtest/gtest.h>

#include "framework/HeadlessFixture.h"
#include "framework/forms/ControlsTestClasses.h"

using namespace controlstest;

namespace {

// A sunken-edged control, as a custom control with a 3D border makes itself.
class TEdgeControl : public TCtlWindowed {
public:
  using TCtlWindowed::TCtlWindowed;

protected:
  void CreateParams(TCreateParams& Params) override {
    TCtlWindowed::CreateParams(Params);
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  }
};

// A list that drops down from a control: made as a child of the form, then
// moved to the desktop so it floats above everything without taking the
// focus.
class TDropList : public TCtlWindowed {
public:
  explicit TDropList(TComponent* AOwner) : TCtlWindowed(AOwner) {
    SetVisible(false);
    SetTabStop(false);
  }
  HWND DefaultProcedureWindow = nullptr;

protected:
  void CreateParams(TCreateParams& Params) override {
    TCtlWindowed::CreateParams(Params);
    Params.Style |= WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    Params.WindowClass.style |= CS_SAVEBITS;
  }
  void CreateWnd() override {
    TCtlWindowed::CreateWnd();
    ::SetParent(WindowHandle(), nullptr);
  }
  // Unlike the block it derives from, a click does not focus it.
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    TCustomControl::MouseDown(Button, Shift, X, Y);
  }
};

class TControlsWindowTest : public THeadlessFixture {
protected:
  void SetUp() override {
    RegisterTestClasses();
    Log().clear();
    Form = MakeForm<TCtlForm>();
    Form->SetName("Form1");
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(100, 100, 200, 100);
    Face = new TCtlWindowed(Form);
    Face->SetName("Face");
    Face->SetBounds(10, 10, 60, 20);
    Face->SetParent(Form);
    Form->Show();
    Pump();
  }
  TCtlForm* Form = nullptr;
  TCtlWindowed* Face = nullptr;
};

TEST_F(TControlsWindowTest, ClientEdgeTakesTwoPixelsOnEverySide) {
  auto* Edge = new TEdgeControl(Form);
  Edge->SetBounds(80, 10, 60, 20);
  Edge->SetParent(Form);
  ASSERT_TRUE(Edge->HandleAllocated());
  EXPECT_EQ(Edge->ClientRect(), TRect(Rect(0, 0, 56, 16)));
  EXPECT_EQ(Edge->ClientOrigin(), (TPoint{100 + 80 + 2, 100 + 10 + 2}));
  EXPECT_EQ(Edge->Width(), 60);
}

TEST_F(TControlsWindowTest, ControlAddedToAShownFormGetsItsWindowAtOnce) {
  EXPECT_TRUE(Face->HandleAllocated());
  EXPECT_TRUE(Face->Showing());
  EXPECT_TRUE(IsWindowVisible(Face->Handle()));
  EXPECT_EQ(GetParent(Face->Handle()), Form->Handle());
  Face->Hide();
  EXPECT_FALSE(IsWindowVisible(Face->Handle()));
  Face->SetParent(nullptr);
  EXPECT_FALSE(Face->HandleAllocated());
  EXPECT_EQ(Form->ControlCount(), 0);
}

TEST_F(TControlsWindowTest, BoundsFollowTheWindowBothWays) {
  Face->SetBounds(20, 30, 40, 10);
  TRect R;
  GetWindowRect(Face->Handle(), R);
  EXPECT_EQ(R, Bounds(120, 130, 40, 10));
  MoveWindow(Face->Handle(), 5, 6, 7, 8, true);
  EXPECT_EQ(Face->BoundsRect(), Bounds(5, 6, 7, 8));
}

TEST_F(TControlsWindowTest, TextIsTheWindowText) {
  Face->SetText("検索");
  EXPECT_EQ(GetWindowText(Face->Handle()), "検索");
  SetWindowText(Face->Handle(), "キーワード");
  EXPECT_EQ(Face->Text(), "キーワード");
  Form->SetCaption("タイトル");
  EXPECT_EQ(NativeOf(Form)->Params.Title, "タイトル");
}

TEST_F(TControlsWindowTest, DropListFloatsOnTheDesktopAndStillBelongsToTheForm) {
  auto* List = new TDropList(Form);
  List->SetName("List");
  List->SetParent(Form);
  EXPECT_FALSE(List->HandleAllocated());  // hidden: no window yet
  List->SetBounds(110, 130, 80, 50);      // screen coordinates once on the desktop
  List->HandleNeeded();
  List->SetBounds(110, 130, 80, 50);
  List->Show();
  Pump();
  ASSERT_TRUE(List->HandleAllocated());
  EXPECT_EQ(GetAncestor(List->Handle(), GA_PARENT), nullptr);
  EXPECT_EQ(List->Parent(), Form);
  EXPECT_EQ(GetParentForm(List), Form);
  const auto* Native = Display.Native(System.NativeWindowOf(List->Handle()));
  ASSERT_NE(Native, nullptr);
  EXPECT_TRUE(Native->Params.Topmost);
  EXPECT_TRUE(Native->Params.NoActivate);
  EXPECT_EQ(List->BoundsRect(), Bounds(110, 130, 80, 50));
  // Clicking it does not take the focus from the face.
  Face->SetFocus();
  Log().clear();
  int Clicks = 0;
  List->OnClick = [&](TObject*) { ++Clicks; };
  Display.MoveMouse(130, 150);
  Display.Click();
  Pump();
  EXPECT_EQ(Clicks, 1);
  EXPECT_TRUE(Face->Focused());
  EXPECT_EQ(GetActiveWindow(), Form->Handle());
  // A press in the list, client area or frame, tells the focused control
  // that the list starts a mouse action.
  EXPECT_EQ(std::count(Log().begin(), Log().end(), "CancelMode Face from List"), 1);
  SendMessage(List->Handle(), WM_NCLBUTTONDOWN, HTBORDER, MAKELPARAM(110, 130));
  EXPECT_EQ(std::count(Log().begin(), Log().end(), "CancelMode Face from List"), 2);
  delete List;
  EXPECT_EQ(Form->ControlCount(), 1);
}

TEST_F(TControlsWindowTest, BroadcastReachesEverySiblingUntilOneAnswers) {
  std::vector<std::string> Heard;
  for (const char* Name : {"A", "B", "C"}) {
    auto* G = new TCtlGraphic(Form);
    G->SetName(Name);
    G->SetParent(Form);
  }
  struct TListener : TCtlGraphic {
    using TCtlGraphic::TCtlGraphic;
    std::vector<std::string>* Heard = nullptr;
    bool Answer = false;
    void Dispatch(TMessage& M) override {
      if (M.Msg == CM_BUTTONPRESSED) {
        Heard->push_back(Name() + ":" + std::to_string(M.WParam));
        if (Answer) M.Result = 1;
        return;
      }
      TCtlGraphic::Dispatch(M);
    }
  };
  auto* L1 = new TListener(Form);
  L1->SetName("L1");
  L1->Heard = &Heard;
  L1->SetParent(Form);
  auto* L2 = new TListener(Form);
  L2->SetName("L2");
  L2->Heard = &Heard;
  L2->Answer = true;
  L2->SetParent(Form);
  auto* L3 = new TListener(Form);
  L3->SetName("L3");
  L3->Heard = &Heard;
  L3->SetParent(Form);
  TMessage M{CM_BUTTONPRESSED, 7, 0, 0};
  Form->Broadcast(M);
  EXPECT_EQ(Heard, (std::vector<std::string>{"L1:7", "L2:7"}));
  EXPECT_EQ(M.Result, 1);
}

TEST_F(TControlsWindowTest, AlignedChildrenShareTheClientArea) {
  auto* Top = new TCtlGraphic(Form);
  Top->SetHeight(10);
  Top->SetParent(Form);
  Top->SetAlign(alTop);
  auto* Left = new TCtlGraphic(Form);
  Left->SetWidth(30);
  Left->SetParent(Form);
  Left->SetAlign(alLeft);
  auto* Rest = new TCtlWindowed(Form);
  Rest->SetParent(Form);
  Rest->SetAlign(alClient);
  EXPECT_EQ(Top->BoundsRect(), Bounds(0, 0, 200, 10));
  EXPECT_EQ(Left->BoundsRect(), Bounds(0, 10, 30, 90));
  EXPECT_EQ(Rest->BoundsRect(), Bounds(30, 10, 170, 90));
  Form->SetBounds(100, 100, 300, 120);
  EXPECT_EQ(Rest->BoundsRect(), Bounds(30, 10, 270, 110));
}

TEST_F(TControlsWindowTest, DragFromOneControlDropsOnAnother) {
  auto* Source = new TCtlGraphic(Form);
  Source->SetName("Source");
  Source->SetBounds(10, 50, 30, 30);
  Source->SetParent(Form);
  auto* Target = new TCtlGraphic(Form);
  Target->SetName("Target");
  Target->SetBounds(100, 50, 30, 30);
  Target->SetParent(Form);
  Source->SetDragMode(dmAutomatic);
  std::vector<std::string> Events;
  Target->OnDragOver = [&](TObject*, TObject* From, int X, int Y, TDragState State, bool& Accept) {
    Events.push_back("Over " + NameOf(From) + " " + std::to_string(int(State)));
    Accept = true;
  };
  Target->OnDragDrop = [&](TObject*, TObject* From, int X, int Y) {
    Events.push_back("Drop " + NameOf(From) + " " + std::to_string(X) + "," + std::to_string(Y));
  };
  Source->OnEndDrag = [&](TObject*, TObject* To, int X, int Y) {
    Events.push_back("End " + NameOf(To));
  };
  PressAt(Form, 20, 60);
  EXPECT_TRUE(Source->Dragging());
  MoveTo(Form, 105, 55);
  MoveTo(Form, 110, 60);
  Release();
  EXPECT_FALSE(Source->Dragging());
  EXPECT_EQ(Events, (std::vector<std::string>{"Over Source 0", "Over Source 2", "Drop Source 10,10",
                                              "End Target"}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(TControlsWindowTest, DragReleasedWhereNothingAcceptsDropsNothing) {
  auto* Source = new TCtlGraphic(Form);
  Source->SetName("Source");
  Source->SetBounds(10, 50, 30, 30);
  Source->SetParent(Form);
  Source->SetDragMode(dmAutomatic);
  std::string Ended = "not yet";
  Source->OnEndDrag = [&](TObject*, TObject* To, int, int) { Ended = NameOf(To); };
  PressAt(Form, 20, 60);
  MoveTo(Form, 150, 60);
  Release();
  EXPECT_EQ(Ended, "?");  // ended without a target
  PressAt(Form, 20, 60);
  Key(VK_ESCAPE);
  EXPECT_FALSE(Source->Dragging());
  Release();
}

}  // namespace
