// TGradBox in layouts: its published properties in streaming order, which
// of them a layout leaves out, reading the search bar's panel, and writing
// it back unchanged.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/gradient/Gradbox.h"
#include "framework/streaming/Streaming.h"
#include "framework/streaming/StreamingReader.h"
#include "framework/streaming/StreamingRegistry.h"
#include "framework/streaming/StreamingWriter.h"

namespace {

// A windowed control standing in for the form a layout's root is; it offers
// one handler by name.
class TGradboxHost : public TWinControl, public TMethodOwner {
public:
  explicit TGradboxHost(TComponent* AOwner) : TWinControl(AOwner) {
    FMethods.Add("GradBox1Paint", this, &TGradboxHost::GradBox1Paint);
  }
  ~TGradboxHost() override { DestroyComponents(); }
  const TMethodTable& MethodTable() const override { return FMethods; }
  void GradBox1Paint(TObject* Sender) { PaintSender = Sender; }
  static const TPropList& PublishedProperties() { return TWinControl::PublishedProperties(); }

  TObject* PaintSender = nullptr;

private:
  TMethodTable FMethods;
};

class TGradboxTestMenu : public TPopupMenuBase {
public:
  using TPopupMenuBase::TPopupMenuBase;
  void Popup(int, int) override {}
  static const TPropList& PublishedProperties() { return ComponentPublishedProperties(); }
};

class GradboxLayout : public testing::Test {
protected:
  static void SetUpTestSuite() {
    RegisterGradBox();
    RegisterGradBox();  // a second call is harmless
    RegisterClass<TGradboxHost>("TGradboxHost");
    RegisterClass<TGradboxTestMenu>("TGradboxTestMenu");
  }

  // The text of one nested object, from its "object" line to its "end".
  static std::string ObjectText(const std::string& Layout, const std::string& Header) {
    const auto Start = Layout.find(Header);
    if (Start == std::string::npos) return "(no " + Header + ")";
    const auto End = Layout.find("\n  end\n", Start);
    return Layout.substr(Start, End - Start);
  }
};

TEST_F(GradboxLayout, PublishesItsPropertiesInStreamingOrder) {
  const TPropList& Base = TControl::PublishedProperties();
  const TPropList& List = TGradBox::PublishedProperties();
  ASSERT_GT(List.size(), Base.size());
  for (std::size_t I = 0; I < Base.size(); ++I) EXPECT_EQ(List[I].Name, Base[I].Name);
  std::vector<std::string> Own;
  for (std::size_t I = Base.size(); I < List.size(); ++I) Own.push_back(List[I].Name);
  EXPECT_EQ(Own, (std::vector<std::string>{
                     "CaptionLeft", "CaptionTop", "TopColor",    "LastColor",      "OutLineColor",
                     "DrawOutLine", "GradStyle",  "Font3D",      "FontDepth",      "Style3D",
                     "BackFont",    "Align",      "Caption",     "DragCursor",     "DragMode",
                     "Enabled",     "Font",       "ParentFont",  "ParentShowHint", "PopupMenu",
                     "ShowHint",    "Visible",    "OnClick",     "OnDblClick",     "OnDragDrop",
                     "OnDragOver",  "OnEndDrag",  "OnMouseDown", "OnMouseMove",    "OnMouseUp",
                     "OnPaint",     "OnStartDrag"}));
}

TEST_F(GradboxLayout, AFreshPanelWritesOnlyItsSizeAndTheAlwaysStoredFlags) {
  TGradboxHost Host(nullptr);
  Host.SetName("Host");
  auto* Box = new TGradBox(&Host);
  Box->SetName("GradBox1");
  Box->SetParent(&Host);
  EXPECT_EQ(ObjectText(WriteComponentLayout(Host), "object GradBox1: TGradBox"),
            "object GradBox1: TGradBox\n"
            "    Left = 0\n"
            "    Top = 0\n"
            "    Width = 200\n"
            "    Height = 100\n"
            "    DrawOutLine = False\n"
            "    Font3D = False");
}

TEST_F(GradboxLayout, EveryOwnPropertyAwayFromItsDefaultIsWrittenAndReadBack) {
  TGradboxHost Host(nullptr);
  Host.SetName("Host");
  auto* Box = new TGradBox(&Host);
  Box->SetName("GradBox1");
  Box->SetParent(&Host);
  Box->SetCaptionLeft(-3);
  Box->SetCaptionTop(40);
  Box->SetTopColor(clBtnFace);
  Box->SetLastColor(16744448);
  Box->SetOutLineColor(clBlue);
  Box->SetDrawOutLine(true);
  Box->SetGradStyle(gsNone);
  Box->SetFont3D(true);
  Box->SetFontDepth(255);
  Box->SetStyle3D(fsLowShadow);
  Box->SetBackFont(0x123456);
  Box->SetCaption("検索");
  const std::string Layout = WriteComponentLayout(Host);
  EXPECT_EQ(ObjectText(Layout, "object GradBox1: TGradBox"),
            "object GradBox1: TGradBox\n"
            "    Left = 0\n"
            "    Top = 0\n"
            "    Width = 200\n"
            "    Height = 100\n"
            "    CaptionLeft = -3\n"
            "    CaptionTop = 40\n"
            "    TopColor = clBtnFace\n"
            "    LastColor = 16744448\n"
            "    OutLineColor = clBlue\n"
            "    DrawOutLine = True\n"
            "    GradStyle = gsNone\n"
            "    Font3D = True\n"
            "    FontDepth = 255\n"
            "    Style3D = fsLowShadow\n"
            "    BackFont = 1193046\n"
            u8"    Caption = '検索'");  // layouts are UTF-8

  TGradboxHost Copy(nullptr);
  ReadComponentLayout(Copy, Layout);
  auto* Read = dynamic_cast<TGradBox*>(Copy.FindComponent("GradBox1"));
  ASSERT_NE(Read, nullptr);
  EXPECT_EQ(Read->CaptionLeft(), -3);
  EXPECT_EQ(Read->CaptionTop(), 40);
  EXPECT_EQ(Read->TopColor(), clBtnFace);
  EXPECT_EQ(Read->LastColor(), 16744448);
  EXPECT_EQ(Read->OutLineColor(), clBlue);
  EXPECT_TRUE(Read->DrawOutLine());
  EXPECT_EQ(Read->GradStyle(), gsNone);
  EXPECT_TRUE(Read->Font3D());
  EXPECT_EQ(Read->FontDepth(), 255);
  EXPECT_EQ(Read->Style3D(), fsLowShadow);
  EXPECT_EQ(Read->BackFont(), 0x123456);
  EXPECT_EQ(Read->Caption(), "検索");
  EXPECT_EQ(WriteComponentLayout(Copy), Layout);
}

// The search bar's background panel as its window's layout places it.
constexpr const char* kSearchBarLayout =
    "object Host: TGradboxHost\n"
    "  Left = 0\n"
    "  Top = 0\n"
    "  Width = 500\n"
    "  Height = 35\n"
    "  object GradBox1: TGradBox\n"
    "    Left = 0\n"
    "    Top = 0\n"
    "    Width = 500\n"
    "    Height = 35\n"
    "    TopColor = clWhite\n"
    "    LastColor = 16744448\n"
    "    OutLineColor = clBlue\n"
    "    DrawOutLine = True\n"
    "    Font3D = False\n"
    "    PopupMenu = PopupMenu1\n"
    "    OnPaint = GradBox1Paint\n"
    "  end\n"
    "  object PopupMenu1: TGradboxTestMenu\n"
    "  end\n"
    "end\n";

TEST_F(GradboxLayout, ReadsTheSearchBarPanelAndWritesItBackUnchanged) {
  TGradboxHost Host(nullptr);
  ReadComponentLayout(Host, kSearchBarLayout);
  auto* Box = dynamic_cast<TGradBox*>(Host.FindComponent("GradBox1"));
  ASSERT_NE(Box, nullptr);
  EXPECT_EQ(Box->Parent(), &Host);
  EXPECT_EQ(Box->BoundsRect(), (TRect{0, 0, 500, 35}));
  EXPECT_EQ(Box->TopColor(), clWhite);
  EXPECT_EQ(Box->LastColor(), 16744448);
  EXPECT_EQ(Box->OutLineColor(), clBlue);
  EXPECT_TRUE(Box->DrawOutLine());
  EXPECT_FALSE(Box->Font3D());
  EXPECT_EQ(Box->Caption(), "");
  EXPECT_EQ(Box->PopupMenu(), Host.FindComponent("PopupMenu1"));
  // What the layout leaves out keeps the panel's defaults.
  EXPECT_EQ(Box->CaptionLeft(), 10);
  EXPECT_EQ(Box->GradStyle(), gsTopBottom);
  EXPECT_EQ(Box->FontDepth(), 1);
  EXPECT_EQ(Box->Style3D(), fsRaise3D);
  EXPECT_EQ(Box->BackFont(), clYellow);

  ASSERT_TRUE(Box->OnPaint);
  Box->OnPaint(Box);
  EXPECT_EQ(Host.PaintSender, Box);

  EXPECT_EQ(WriteComponentLayout(Host), kSearchBarLayout);
}

TEST_F(GradboxLayout, RefusesAStyleOutsideItsNames) {
  const std::string Bad =
      "object Host: TGradboxHost\n"
      "  object GradBox1: TGradBox\n"
      "    GradStyle = gsDiagonal\n"
      "  end\n"
      "end\n";
  TGradboxHost Host(nullptr);
  EXPECT_THROW(ReadComponentLayout(Host, Bad), EReadError);
}

}  // namespace
