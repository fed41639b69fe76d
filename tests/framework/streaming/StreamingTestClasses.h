#pragma once
// Small components with one published property of every kind, used by the
// layout reader and writer tests in place of the real controls.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/StringList.h"
#include "framework/streaming/Streaming.h"
#include "platform/MessageLog.h"
#include "platform/gdi/SysColors.h"

namespace streamingtest {

// What happened, in order: "Loaded Label1", "SetCaption Label1", ...
inline TMessageLog<std::string>& Log() {
  static TMessageLog<std::string> Entries;
  return Entries;
}

// A fixed underlying type, so a test may store a number no member stands for.
enum TTestStyle : int { tsFlat, tsRaised, tsSunken };
enum TTestFormStyle { tfNormal, tfStayOnTop };
enum TTestFontStyleBits : std::uint8_t { tfsBold = 1, tfsItalic = 2, tfsUnderline = 4 };

class TTestFont : public TPersistent {
public:
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value, ++Changes; }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value, ++Changes; }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value) { FName = Value, ++Changes; }
  std::uint8_t Charset() const { return FCharset; }
  void SetCharset(std::uint8_t Value) { FCharset = Value, ++Changes; }
  std::uint8_t Style() const { return FStyle; }
  void SetStyle(std::uint8_t Value) { FStyle = Value, ++Changes; }
  int Changes = 0;

  static const TPropList& PublishedProperties() {
    static const TPropList List =
        TPropertyTable<TTestFont>()
            .Integer("Charset", &TTestFont::Charset, &TTestFont::SetCharset, DefaultIs(1),
                     &CharsetIdents())
            .Color("Color", &TTestFont::Color, &TTestFont::SetColor, DefaultIs(clWindowText))
            .Integer("Height", &TTestFont::Height, &TTestFont::SetHeight, DefaultIs(-11))
            .String("Name", &TTestFont::Name, &TTestFont::SetName, DefaultText("Tahoma"))
            .Set("Style", &TTestFont::Style, &TTestFont::SetStyle,
                 {"fsBold", "fsItalic", "fsUnderline"}, DefaultIs(0));
    return List;
  }

private:
  TColor FColor = clWindowText;
  int FHeight = -11;
  std::string FName = "Tahoma";
  std::uint8_t FCharset = 1;
  std::uint8_t FStyle = 0;
};

// A non-visual component with nested items, like a popup menu.
class TTestMenu : public TComponent {
public:
  using TComponent::TComponent;
  void Loaded() override {
    TComponent::Loaded();
    Log().push_back("Loaded " + Name());
  }
  static const TPropList& PublishedProperties() { return ComponentPublishedProperties(); }
};

// A control: a parent, a font, a popup menu reference and a click event.
class TTestControl : public TComponent {
public:
  using TComponent::TComponent;

  int Left() const { return FLeft; }
  void SetLeft(int Value) { FLeft = Value; }
  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value, Log().push_back("SetHeight " + Name()); }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value) {
    FCaption = Value;
    // Records whether the reader had the component in its loading states.
    Log().push_back("SetCaption " + Name() + (HasState(csLoading) ? " loading" : "") +
                    (HasState(csReading) ? " reading" : ""));
  }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  TTestStyle Style() const { return FStyle; }
  void SetStyle(TTestStyle Value) { FStyle = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  int Cursor() const { return FCursor; }
  void SetCursor(int Value) { FCursor = Value; }
  std::uint8_t Depth() const { return FDepth; }
  void SetDepth(std::uint8_t Value) { FDepth = Value; }
  TTestFont* Font() { return &FFont; }
  TTestMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TTestMenu* Value) { FPopupMenu = Value; }
  TComponent* Buddy() const { return FBuddy; }
  void SetBuddy(TComponent* Value) { FBuddy = Value; }
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(const TNotifyEvent& Value) { FOnClick = Value; }

  TComponent* GetParentComponent() const override { return FParent; }
  bool HasParent() const override { return true; }
  void SetParentComponent(TComponent* Value) override {
    FParent = Value;
    Log().push_back("SetParent " + Name() + " " + (Value ? Value->Name() : "-"));
  }
  void Loaded() override {
    TComponent::Loaded();
    Log().push_back("Loaded " + Name());
  }

  static const TPropList& PublishedProperties() {
    static const TPropList List =
        TPropertyTable<TTestControl>(ComponentPublishedProperties())
            .Integer("Left", &TTestControl::Left, &TTestControl::SetLeft)
            .Integer("Width", &TTestControl::Width, &TTestControl::SetWidth, DefaultIs(100))
            .Integer("Height", &TTestControl::Height, &TTestControl::SetHeight)
            .String("Caption", &TTestControl::Caption, &TTestControl::SetCaption)
            .Boolean("Visible", &TTestControl::Visible, &TTestControl::SetVisible, DefaultIs(1))
            .Enum("Style", &TTestControl::Style, &TTestControl::SetStyle,
                  {"tsFlat", "tsRaised", "tsSunken"}, DefaultIs(tsFlat))
            .Color("Color", &TTestControl::Color, &TTestControl::SetColor, DefaultIs(clWindow))
            .Integer("Cursor", &TTestControl::Cursor, &TTestControl::SetCursor, DefaultIs(0),
                     &CursorIdents())
            .Integer("Depth", &TTestControl::Depth, &TTestControl::SetDepth, DefaultIs(1))
            .Object<TTestFont>("Font", &TTestControl::Font)
            .Component("PopupMenu", &TTestControl::PopupMenu, &TTestControl::SetPopupMenu)
            .Component("Buddy", &TTestControl::Buddy, &TTestControl::SetBuddy)
            .Event("OnClick", &TTestControl::OnClick, &TTestControl::SetOnClick);
    return List;
  }

private:
  int FLeft = 0, FWidth = 100, FHeight = 0;
  std::string FCaption;
  bool FVisible = true;
  TTestStyle FStyle = tsFlat;
  TColor FColor = clWindow;
  int FCursor = 0;
  std::uint8_t FDepth = 1;
  TTestFont FFont;
  TTestMenu* FPopupMenu = nullptr;
  TComponent* FBuddy = nullptr;
  TNotifyEvent FOnClick;
  TComponent* FParent = nullptr;
};

// A list control in the manner of the site picker: items with an image index
// and a tick each, written as the extra properties ImageIndexes and Checked,
// and a height that is written as an extra property only.
class TTestList : public TTestControl {
public:
  using TTestControl::TTestControl;

  TStringList* Items() { return &FItems; }
  void SetItems(const TStrings* Value) {
    FItems.Assign(Value);
    Grow();
    ++ItemsAssigned;
  }
  int ImageIndex(int I) const {
    return std::size_t(I) < FImageIndexes.size() ? FImageIndexes[std::size_t(I)] : -1;
  }
  bool Checked(int I) const {
    return std::size_t(I) < FChecked.size() && FChecked[std::size_t(I)] != 0;
  }
  void SetImageIndex(int I, int Value) {
    if (I >= 0 && I < FItems.Count()) Grow(), FImageIndexes[std::size_t(I)] = Value;
  }
  void SetChecked(int I, bool Value) {
    if (I >= 0 && I < FItems.Count()) Grow(), FChecked[std::size_t(I)] = Value;
  }
  int ItemsAssigned = 0;

  void DefineProperties(TFiler* Filer) override {
    TTestControl::DefineProperties(Filer);
    Filer->DefineProperty(
        "ImageIndexes",
        [this](TReader& Reader) {
          Reader.ReadListBegin();
          for (int I = 0; I < FItems.Count() && !Reader.EndOfList(); ++I)
            SetImageIndex(I, Reader.ReadInteger());
          Reader.ReadListEnd();
        },
        [this](TWriter& Writer) {
          Writer.WriteListBegin();
          for (int I = 0; I < FItems.Count(); ++I) Writer.WriteInteger(ImageIndex(I));
          Writer.WriteListEnd();
        },
        true);
    Filer->DefineProperty(
        "Checked",
        [this](TReader& Reader) {
          Reader.ReadListBegin();
          for (int I = 0; I < FItems.Count() && !Reader.EndOfList(); ++I)
            SetChecked(I, Reader.ReadBoolean());
          Reader.ReadListEnd();
        },
        [this](TWriter& Writer) {
          Writer.WriteListBegin();
          for (int I = 0; I < FItems.Count(); ++I) Writer.WriteBoolean(Checked(I));
          Writer.WriteListEnd();
        },
        true);
    Filer->DefineProperty(
        "Height", [this](TReader& Reader) { SetHeight(Reader.ReadInteger()); },
        [this](TWriter& Writer) { Writer.WriteInteger(Height()); }, true);
  }

  static const TPropList& PublishedProperties() {
    static const TPropList List = TPropertyTable<TTestList>(TTestControl::PublishedProperties())
                                      .Redeclare("Height", NeverStored())
                                      .Strings("Items", &TTestList::Items, &TTestList::SetItems);
    return List;
  }

private:
  void Grow() {
    FImageIndexes.resize(std::size_t(FItems.Count()), -1);
    FChecked.resize(std::size_t(FItems.Count()), 0);
  }
  TStringList FItems;
  std::vector<int> FImageIndexes;
  std::vector<char> FChecked;
};

class TTestMenuItem : public TComponent {
public:
  using TComponent::TComponent;
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value) { FCaption = Value; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value) { FChecked = Value; }
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(const TNotifyEvent& Value) { FOnClick = Value; }
  TComponent* GetParentComponent() const override { return FMenu; }
  bool HasParent() const override { return true; }
  void SetParentComponent(TComponent* Value) override { FMenu = Value; }
  void Loaded() override {
    TComponent::Loaded();
    Log().push_back("Loaded " + Name());
  }

  static const TPropList& PublishedProperties() {
    static const TPropList List =
        TPropertyTable<TTestMenuItem>(ComponentPublishedProperties())
            .String("Caption", &TTestMenuItem::Caption, &TTestMenuItem::SetCaption)
            .Boolean("Checked", &TTestMenuItem::Checked, &TTestMenuItem::SetChecked, DefaultIs(0))
            .Event("OnClick", &TTestMenuItem::OnClick, &TTestMenuItem::SetOnClick);
    return List;
  }

private:
  std::string FCaption;
  bool FChecked = false;
  TNotifyEvent FOnClick;
  TComponent* FMenu = nullptr;
};

using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

// The root: a form with handlers that its layout binds by name.
class TTestForm : public TComponent, public TMethodOwner {
public:
  explicit TTestForm(TComponent* Owner = nullptr) : TComponent(Owner) {
    FMethods.Add("Button1Click", this, &TTestForm::Button1Click);
    FMethods.Add("N4Click", this, &TTestForm::N4Click);
    FMethods.Add("EditKeyPress", this, &TTestForm::EditKeyPress);
  }

  void Button1Click(TObject* Sender) { Clicks.push_back("Button1Click"), LastSender = Sender; }
  void N4Click(TObject* Sender) { Clicks.push_back("N4Click"), LastSender = Sender; }
  void EditKeyPress(TObject* Sender, char& Key) { Key = 0; }

  const TMethodTable& MethodTable() const override { return FMethods; }
  void Loaded() override {
    TComponent::Loaded();
    Log().push_back("Loaded " + Name());
  }

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value) { FCaption = Value; }
  TTestFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TTestFormStyle Value) { FFormStyle = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  TTestFont* Font() { return &FFont; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value) { FShowHint = Value; }

  static const TPropList& PublishedProperties() {
    static const TPropList List =
        TPropertyTable<TTestForm>(ComponentPublishedProperties())
            .Boolean("ShowHint", &TTestForm::ShowHint, &TTestForm::SetShowHint, DefaultIs(0))
            // A hint nobody will see is not worth keeping in the layout.
            .String("Hint", &TTestForm::Hint, &TTestForm::SetHint)
            .StoredWhen(&TTestForm::ShowHint)
            .String("Caption", &TTestForm::Caption, &TTestForm::SetCaption)
            .Color("Color", &TTestForm::Color, &TTestForm::SetColor, DefaultIs(clBtnFace))
            .Object<TTestFont>("Font", &TTestForm::Font)
            .Enum("FormStyle", &TTestForm::FormStyle, &TTestForm::SetFormStyle,
                  {"fsNormal", "fsStayOnTop"}, DefaultIs(tfNormal));
    return List;
  }

  std::vector<std::string> Clicks;
  TObject* LastSender = nullptr;

private:
  TMethodTable FMethods;
  std::string FCaption;
  TTestFormStyle FFormStyle = tfNormal;
  TColor FColor = clBtnFace;
  TTestFont FFont;
  std::string FHint;
  bool FShowHint = false;
};

// The main window's kinds of values, as its layout writes them.
inline const char* const kMainLayout =
    u8"object MainForm1: TTestForm\n"
    u8"  Caption = 'Scoutlane'' 2010'\n"
    u8"  Color = clBtnFace\n"
    u8"  Font.Charset = SHIFTJIS_CHARSET\n"
    u8"  Font.Color = clWindowText\n"
    u8"  Font.Height = -12\n"
    u8"  Font.Name = 'ＭＳ Ｐゴシック'\n"
    u8"  FormStyle = fsStayOnTop\n"
    u8"  object GradBox1: TTestControl\n"
    u8"    Width = 500\n"
    u8"    Height = 35\n"
    u8"    Color = 16744448\n"
    u8"    PopupMenu = PopupMenu1\n"
    u8"    object Button1: TTestControl\n"
    u8"      Left = 452\n"
    u8"      Caption = '検索'\n"
    u8"      Cursor = crHandPoint\n"
    u8"      Font.Color = clWhite\n"
    u8"      Font.Style = [fsUnderline]\n"
    u8"      Style = tsRaised\n"
    u8"      Visible = False\n"
    u8"      Depth = 3\n"
    u8"      Tag = -7\n"
    u8"      PopupMenu = PopupMenu1\n"
    u8"      OnClick = Button1Click\n"
    u8"    end\n"
    u8"  end\n"
    u8"  object ComboBox1: TTestList\n"
    u8"    Items.Strings = (\n"
    u8"      'Google'\n"
    u8"      'ニコニコ動画'\n"
    u8"      'Amazon')\n"
    u8"    ImageIndexes = (\n"
    u8"      0\n"
    u8"      1\n"
    u8"      2)\n"
    u8"    Checked = (\n"
    u8"      True\n"
    u8"      False\n"
    u8"      True)\n"
    u8"    Height = 20\n"
    u8"  end\n"
    u8"  object PopupMenu1: TTestMenu\n"
    u8"    object N4: TTestMenuItem\n"
    u8"      Caption = '常に手前に表示(&S)'\n"
    u8"      Checked = True\n"
    u8"      OnClick = N4Click\n"
    u8"    end\n"
    u8"  end\n"
    u8"end\n";

inline void RegisterTestClasses() {
  RegisterClass<TTestForm>("TTestForm");
  RegisterClass<TTestControl>("TTestControl");
  RegisterClass<TTestList>("TTestList");
  RegisterClass<TTestMenu>("TTestMenu");
  RegisterClass<TTestMenuItem>("TTestMenuItem");
}

}  // namespace streamingtest
