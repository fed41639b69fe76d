// The site picker in layouts: its published properties in streaming order,
// the extra properties ImageIndexes, Checked and Height after them, their
// exact text, and reading them back (also with too few or too many values).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/picker/Dxfcombobox.h"
#include "framework/HeadlessFixture.h"
#include "framework/streaming/Streaming.h"
#include "framework/streaming/StreamingReader.h"
#include "framework/streaming/StreamingRegistry.h"
#include "framework/streaming/StreamingWriter.h"

namespace {

class TDxfcomboHost : public TWinControl {
public:
  explicit TDxfcomboHost(TComponent* AOwner) : TWinControl(AOwner) {}
  ~TDxfcomboHost() override { DestroyComponents(); }
  static const TPropList& PublishedProperties() { return TWinControl::PublishedProperties(); }
};

class DxfcomboLayout : public THeadlessFixture {
protected:
  static void SetUpTestSuite() {
    RegisterDxfComboBox();
    RegisterDxfComboBox();  // a second call is harmless
    RegisterClass<TDxfcomboHost>("TDxfcomboHost");
  }

  TdxfComboBox* NewPicker(TDxfcomboHost& Host) {
    Host.SetName("Host");
    auto* Box = new TdxfComboBox(&Host);
    Box->SetName("ComboBox1");
    Box->SetParent(&Host);
    return Box;
  }

  // The lines of one nested object after its "object" line, up to its "end".
  static std::string ObjectText(const std::string& Layout, const std::string& Header) {
    const auto Start = Layout.find(Header);
    if (Start == std::string::npos) return "(no " + Header + ")";
    const auto End = Layout.find("\n  end\n", Start);
    return Layout.substr(Start, End - Start);
  }
  // The text from the first line naming Name to the end of the object.
  static std::string Tail(const std::string& Object, const std::string& Name) {
    const auto Start = Object.find("    " + Name + " =");
    return Start == std::string::npos ? "(no " + Name + ")" : Object.substr(Start);
  }
};

TEST_F(DxfcomboLayout, PublishesItsPropertiesInStreamingOrder) {
  const TPropList& Base = TControl::PublishedProperties();
  const TPropList& List = TdxfComboBox::PublishedProperties();
  ASSERT_GT(List.size(), Base.size());
  for (std::size_t I = 0; I < Base.size(); ++I) EXPECT_EQ(List[I].Name, Base[I].Name);
  EXPECT_EQ(FindProperty(List, "Height")->Storage.Mode, TStoreMode::smNever);
  std::vector<std::string> Own;
  for (std::size_t I = Base.size(); I < List.size(); ++I) Own.push_back(List[I].Name);
  EXPECT_EQ(
      Own,
      (std::vector<std::string>{
          "MRUListCount",   "MRUListColor",   "PopupWidth",   "PopupHeight",     "MinPopupWidth",
          "MinPopupHeight", "ResizePopup",    "ResizeHeight", "PopupWindowFont", "Font",
          "Color",          "Ctl3D",          "DragCursor",   "DragMode",        "Enabled",
          "ImeMode",        "ImeName",        "MaxLength",    "ParentColor",     "ParentCtl3D",
          "ParentFont",     "ParentShowHint", "PopupMenu",    "ShowHint",        "Style",
          "Align",          "OnEnter",        "OnExit",       "OnKeyDown",       "OnKeyPress",
          "OnKeyUp",        "OnClick",        "OnDblClick",   "OnDragDrop",      "OnDragOver",
          "OnEndDrag",      "OnStartDrag",    "OnDropDown",   "OnCloseUp",       "OnChange",
          "OnMeasureItem",  "ShowCheckBoxes", "Items",        "Images",          "ItemIndex",
          "MultiLineText",  "ShowImage",      "AutoSearch",   "CheckBoxStyle",   "Text",
          "Sorted",         "OnDrawItem"}));
}

TEST_F(DxfcomboLayout, ExtraPropertiesFollowThePublishedOnes) {
  TDxfcomboHost Host(nullptr);
  TdxfComboBox* Box = NewPicker(Host);
  Box->SetHeight(20);
  Box->Items()->Add("Google");
  Box->Items()->Add("bing");
  Box->Items()->Add("Amazon");
  Box->SetChecked(0, true);
  Box->SetChecked(2, true);
  Box->SetImageIndex(0, 0);
  Box->SetImageIndex(1, 7);
  const std::string Object =
      ObjectText(WriteComponentLayout(Host), "object ComboBox1: TdxfComboBox");
  // Height is not among the base properties: only the extra one says it.
  EXPECT_EQ(Object.find("    Height = 20\n    Cursor"), std::string::npos);
  EXPECT_EQ(Tail(Object, "Sorted"),
            "    Sorted = False\n"
            "    ImageIndexes = (\n"
            "      0\n"
            "      7\n"
            "      -1)\n"
            "    Checked = (\n"
            "      True\n"
            "      False\n"
            "      True)\n"
            "    Height = 20");
}

TEST_F(DxfcomboLayout, FreshPickerWritesEveryAlwaysStoredProperty) {
  TDxfcomboHost Host(nullptr);
  NewPicker(Host);
  const std::string Object =
      ObjectText(WriteComponentLayout(Host), "object ComboBox1: TdxfComboBox");
  for (const char* Line :
       {"    MRUListCount = 0\n", "    MRUListColor = clWindow\n", "    PopupWidth = 145\n",
        "    PopupHeight = 150\n", "    MinPopupWidth = 100\n", "    MinPopupHeight = 100\n",
        "    ResizeHeight = False\n", "    Ctl3D = True\n", "    Enabled = True\n",
        "    MaxLength = 0\n", "    ShowHint = False\n", "    Style = dcsDropDown\n",
        "    ShowCheckBoxes = False\n", "    ItemIndex = -1\n", "    ShowImage = True\n",
        "    CheckBoxStyle = 0\n", "    Text = ''\n", "    ImageIndexes = ("})
    EXPECT_NE(Object.find(Line), std::string::npos) << Line << "\n" << Object;
  for (const char* Left : {"ResizePopup", "    Color =", "ParentColor", "DragMode",
                           "ImeMode =", "ParentFont", "Align"})
    EXPECT_EQ(Object.find(Left), std::string::npos) << Left;
}

TEST_F(DxfcomboLayout, WrittenPickerReadsBackAlike) {
  TDxfcomboHost Host(nullptr);
  TdxfComboBox* Box = NewPicker(Host);
  Box->Items()->Add("Google");
  Box->Items()->Add("bing");
  Box->Items()->Add("Amazon");
  Box->SetChecked(0, true);
  Box->SetChecked(2, true);
  for (int I = 0; I < 3; ++I) Box->SetImageIndex(I, 2 - I);
  Box->SetStyle(dcsDropDownList);
  Box->SetShowCheckBoxes(true);
  Box->SetMinPopupHeight(100);
  Box->SetPopupWidth(160);
  Box->SetPopupHeight(182);
  Box->SetResizePopup(false);
  Box->SetMRUListColor(clWhite);
  Box->SetItemIndex(1);
  Box->SetColor(clWhite);
  Box->Font()->SetColor(clBlue);
  Box->PopupWindowFont()->SetColor(clBlue);
  Box->SetResizeHeight(true);
  Box->SetHeight(27);
  const std::string Layout = WriteComponentLayout(Host);

  TDxfcomboHost Copy(nullptr);
  ReadComponentLayout(Copy, Layout);
  auto* Read = dynamic_cast<TdxfComboBox*>(Copy.FindComponent("ComboBox1"));
  ASSERT_NE(Read, nullptr);
  EXPECT_EQ(Read->Items()->Text(), "Google\r\nbing\r\nAmazon\r\n");
  for (int I = 0; I < 3; ++I) {
    EXPECT_EQ(Read->GetImageIndex(I), 2 - I) << I;
    EXPECT_EQ(Read->GetChecked(I), I != 1) << I;
  }
  EXPECT_EQ(Read->ItemIndex(), 1);
  EXPECT_EQ(Read->GetText(), "bing");
  EXPECT_EQ(Read->Style(), dcsDropDownList);
  EXPECT_TRUE(Read->Edit()->ReadOnly());
  EXPECT_TRUE(Read->ShowCheckBoxes());
  EXPECT_EQ(Read->PopupWidth(), 160);
  EXPECT_EQ(Read->PopupHeight(), 182);
  EXPECT_FALSE(Read->ResizePopup());
  EXPECT_EQ(Read->MRUListColor(), clWhite);
  EXPECT_EQ(Read->Color(), clWhite);
  EXPECT_EQ(Read->Font()->Color(), clBlue);
  EXPECT_EQ(Read->PopupWindowFont()->Color(), clBlue);
  EXPECT_TRUE(Read->ResizeHeight());
  EXPECT_EQ(Read->Height(), 27);
  EXPECT_FALSE(Read->IsLoading());
  EXPECT_EQ(WriteComponentLayout(Copy), Layout);
}

TEST_F(DxfcomboLayout, ReadsTheSearchBarPickerAndTakesItsHeightFromTheFont) {
  TDxfcomboHost Host(nullptr);
  ReadComponentLayout(Host,
                      "object Host: TDxfcomboHost\n"
                      "  object ComboBox1: TdxfComboBox\n"
                      "    Left = 66\n"
                      "    Top = 8\n"
                      "    Width = 160\n"
                      "    Font.Height = -12\n"
                      "    Style = dcsDropDownList\n"
                      "    ShowCheckBoxes = True\n"
                      "    Items.Strings = (\n"
                      "      'Google'\n"
                      u8"      'ニコニコ動画')\n"
                      "    ItemIndex = -1\n"
                      "    ImageIndexes = (\n"
                      "      0\n"
                      "      1)\n"
                      "    Checked = (\n"
                      "      False\n"
                      "      True)\n"
                      "    Height = 20\n"
                      "  end\n"
                      "end\n");
  auto* Box = dynamic_cast<TdxfComboBox*>(Host.FindComponent("ComboBox1"));
  ASSERT_NE(Box, nullptr);
  EXPECT_EQ(Box->Items()->Get(1), "ニコニコ動画");
  EXPECT_EQ(Box->GetImageIndex(0), 0);
  EXPECT_EQ(Box->GetImageIndex(1), 1);
  EXPECT_FALSE(Box->GetChecked(0));
  EXPECT_TRUE(Box->GetChecked(1));
  EXPECT_EQ(Box->Height(), 20);
  EXPECT_EQ(Box->EditRect(), (TRect{2, 2, 160 - Box->ButtonWidth() - 6, 16}));
}

TEST_F(DxfcomboLayout, ShortListLeavesTheRestAsItWas) {
  TDxfcomboHost Host(nullptr);
  ReadComponentLayout(Host,
                      "object Host: TDxfcomboHost\n"
                      "  object ComboBox1: TdxfComboBox\n"
                      "    Items.Strings = ('a' 'b' 'c')\n"
                      "    ImageIndexes = (4)\n"
                      "    Checked = ()\n"
                      "  end\n"
                      "end\n");
  auto* Box = dynamic_cast<TdxfComboBox*>(Host.FindComponent("ComboBox1"));
  ASSERT_NE(Box, nullptr);
  EXPECT_EQ(Box->GetImageIndex(0), 4);
  EXPECT_EQ(Box->GetImageIndex(1), -1);
  EXPECT_FALSE(Box->GetChecked(0));
}

TEST_F(DxfcomboLayout, LongListFailsAtItsEnd) {
  TDxfcomboHost Host(nullptr);
  EXPECT_THROW(ReadComponentLayout(Host,
                                   "object Host: TDxfcomboHost\n"
                                   "  object ComboBox1: TdxfComboBox\n"
                                   "    Items.Strings = ('a')\n"
                                   "    Checked = (True False)\n"
                                   "  end\n"
                                   "end\n"),
               EReadError);
}

}  // namespace
