// The window layer's one set of mouse message classes.

#include "platform/window/MouseMessages.h"

#include <gtest/gtest.h>

namespace {

struct TMessageClass {
  UINT Msg;
  const char* Name;
  bool Mouse, Client, ClientButton, Down, Up, Press;
};

constexpr bool Y = true, N = false;

class MouseMessagesTest : public ::testing::TestWithParam<TMessageClass> {};

TEST_P(MouseMessagesTest, Classifies) {
  const TMessageClass& C = GetParam();
  EXPECT_EQ(IsMouseMessage(C.Msg), C.Mouse);
  EXPECT_EQ(IsClientMouseMessage(C.Msg), C.Client);
  EXPECT_EQ(IsNonClientMouseMessage(C.Msg), C.Mouse && !C.Client);
  EXPECT_EQ(IsClientButtonMessage(C.Msg), C.ClientButton);
  EXPECT_EQ(IsButtonDown(C.Msg), C.Down);
  EXPECT_EQ(IsButtonUp(C.Msg), C.Up);
  EXPECT_EQ(IsButtonPress(C.Msg), C.Press);
  EXPECT_EQ(IsClientButtonPress(C.Msg), C.Press && C.Client);
}

// Y yes, N no. Msg, name, mouse, client, client button, down, up, press (down or double).
INSTANTIATE_TEST_SUITE_P(
    Table, MouseMessagesTest,
    ::testing::Values(TMessageClass{WM_MOUSEMOVE, "MouseMove", Y, Y, N, N, N, N},
                      TMessageClass{WM_LBUTTONDOWN, "LButtonDown", Y, Y, Y, Y, N, Y},
                      TMessageClass{WM_LBUTTONUP, "LButtonUp", Y, Y, Y, N, Y, N},
                      TMessageClass{WM_LBUTTONDBLCLK, "LButtonDblClk", Y, Y, Y, N, N, Y},
                      TMessageClass{WM_RBUTTONDOWN, "RButtonDown", Y, Y, Y, Y, N, Y},
                      TMessageClass{WM_RBUTTONUP, "RButtonUp", Y, Y, Y, N, Y, N},
                      TMessageClass{WM_RBUTTONDBLCLK, "RButtonDblClk", Y, Y, Y, N, N, Y},
                      TMessageClass{WM_MBUTTONDOWN, "MButtonDown", Y, Y, Y, Y, N, Y},
                      TMessageClass{WM_MBUTTONUP, "MButtonUp", Y, Y, Y, N, Y, N},
                      TMessageClass{WM_MBUTTONDBLCLK, "MButtonDblClk", Y, Y, Y, N, N, Y},
                      TMessageClass{WM_MOUSEWHEEL, "MouseWheel", Y, Y, N, N, N, N},
                      TMessageClass{WM_MOUSEHWHEEL, "MouseHWheel", Y, Y, N, N, N, N},
                      TMessageClass{WM_NCMOUSEMOVE, "NCMouseMove", Y, N, N, N, N, N},
                      TMessageClass{WM_NCLBUTTONDOWN, "NCLButtonDown", Y, N, N, Y, N, Y},
                      TMessageClass{WM_NCLBUTTONUP, "NCLButtonUp", Y, N, N, N, Y, N},
                      TMessageClass{WM_NCLBUTTONDBLCLK, "NCLButtonDblClk", Y, N, N, N, N, Y},
                      TMessageClass{WM_NCRBUTTONDOWN, "NCRButtonDown", Y, N, N, Y, N, Y},
                      TMessageClass{WM_NCRBUTTONUP, "NCRButtonUp", Y, N, N, N, Y, N},
                      TMessageClass{WM_NCMBUTTONDBLCLK, "NCMButtonDblClk", Y, N, N, N, N, Y},
                      TMessageClass{WM_MOUSELEAVE, "MouseLeave", N, N, N, N, N, N},
                      TMessageClass{WM_NCHITTEST, "NCHitTest", N, N, N, N, N, N},
                      TMessageClass{WM_KEYDOWN, "KeyDown", N, N, N, N, N, N}),
    [](const auto& Info) { return std::string(Info.param.Name); });

}  // namespace
