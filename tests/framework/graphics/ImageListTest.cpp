// TImageList: adding masked images, drawing them enabled and disabled, and
// telling the controls that use a list about its changes and its end.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/ImageList.h"
#include "platform/PixelAssert.h"

namespace {

const TPixelLegend kLegend = {
    {'.', clWhite},   {'#', clBlack},  {'r', clRed},          {'g', clLime},      {'b', clBlue},
    {'m', clFuchsia}, {'y', clYellow}, {'h', clBtnHighlight}, {'s', clBtnShadow}, {'c', clAqua}};

std::unique_ptr<TBitmap> MakeBitmap(const std::vector<std::string>& Rows) {
  auto Bitmap =
      std::make_unique<TBitmap>(static_cast<int>(Rows[0].size()), static_cast<int>(Rows.size()));
  for (int Y = 0; Y < Bitmap->Height(); ++Y)
    for (int X = 0; X < Bitmap->Width(); ++X)
      Bitmap->Canvas()->SetPixels(X, Y, kLegend.at(Rows[Y][X]));
  return Bitmap;
}

// A yellow target on which images are drawn.
class ImageListTest : public testing::Test {
protected:
  ImageListTest() : List(nullptr, 3, 2), Target(8, 3) {
    Target.Canvas()->Brush()->SetColor(clYellow);
    Target.Canvas()->FillRect(TRect{0, 0, 8, 3});
  }
  void ExpectTarget(const std::vector<std::string>& Rows, const char* File = __builtin_FILE(),
                    int Line = __builtin_LINE()) {
    ExpectPixels(Target.Image().Surface(), TPoint{0, 0}, Rows, kLegend, File, Line);
  }

  TImageList List;
  TBitmap Target;
};

TEST_F(ImageListTest, AddMaskedLeavesTheMaskColourUntouchedOnTheTarget) {
  std::unique_ptr<TBitmap> Image = MakeBitmap({"rmb",  //
                                               "mgm"});
  EXPECT_EQ(List.AddMasked(Image.get(), clFuchsia), 0);
  EXPECT_EQ(List.Count(), 1);
  List.Draw(Target.Canvas(), 1, 1, 0);
  ExpectTarget({"yyyyyyyy",  //
                "yrybyyyy",  //
                "yygyyyyy"});
  // The source bitmap keeps its colours.
  EXPECT_EQ(Image->Canvas()->Pixels(1, 0), clFuchsia);
}

// At 192 dpi a mark is drawn twice its size: each pixel a 2 by 2 square,
// the transparent ones still leaving the target alone.
TEST(ImageListScaled, AWholeFactorEnlargesEachPixel) {
  TImageList List(nullptr, 2, 2);
  std::unique_ptr<TBitmap> Image = MakeBitmap({"rm",  //
                                               "gb"});
  ASSERT_EQ(List.AddMasked(Image.get(), clFuchsia), 0);
  TBitmap Target(5, 5);
  Target.Canvas()->Brush()->SetColor(clYellow);
  Target.Canvas()->FillRect(TRect{0, 0, 5, 5});
  List.Draw(Target.Canvas(), 1, 0, 0, true, 2);
  ExpectPixels(Target.Image().Surface(), TPoint{0, 0},
               {"yrryy",  //
                "yrryy",  //
                "yggbb",  //
                "yggbb",  //
                "yyyyy"},
               kLegend);
}

TEST_F(ImageListTest, AWideBitmapIsCutIntoCells) {
  std::unique_ptr<TBitmap> Strip = MakeBitmap({"rrrgggbbbm",  //
                                               "mrrgmgbmbm"});
  EXPECT_EQ(List.AddMasked(Strip.get(), clDefault), 0);  // bottom-left: magenta
  EXPECT_EQ(List.Count(), 3) << "the last column is not a whole cell";
  EXPECT_EQ(List.AddMasked(Strip.get(), clNone), 3);
  EXPECT_EQ(List.Count(), 6);
  List.Draw(Target.Canvas(), 0, 0, 2);
  List.Draw(Target.Canvas(), 4, 0, 4);
  ExpectTarget({"bbbygggy",  //
                "bybygmgy",  //
                "yyyyyyyy"});
}

TEST_F(ImageListTest, ASmallerImageLeavesTheRestOfItsCellTransparent) {
  std::unique_ptr<TBitmap> Small = MakeBitmap({"rb"});
  EXPECT_EQ(List.Add(Small.get(), nullptr), 0);
  List.Draw(Target.Canvas(), 0, 0, 0);
  ExpectTarget({"rbyyyyyy", "yyyyyyyy", "yyyyyyyy"});
}

TEST_F(ImageListTest, AddUsesTheWhitePixelsOfTheMask) {
  std::unique_ptr<TBitmap> Image = MakeBitmap({"rgb", "rgb"});
  std::unique_ptr<TBitmap> Mask = MakeBitmap({".#.", "##."});
  EXPECT_EQ(List.Add(Image.get(), Mask.get()), 0);
  List.Draw(Target.Canvas(), 0, 0, 0);
  ExpectTarget({"ygyyyyyy", "rgyyyyyy", "yyyyyyyy"});
}

TEST_F(ImageListTest, NothingToAddAnswersMinusOne) {
  TBitmap Empty;
  int Changes = 0;
  List.OnChange = [&](TObject*) { ++Changes; };
  EXPECT_EQ(List.Add(nullptr, nullptr), -1);
  EXPECT_EQ(List.AddMasked(nullptr, clFuchsia), -1);
  EXPECT_EQ(List.AddMasked(&Empty, clFuchsia), -1);
  EXPECT_EQ(List.Count(), 0);
  EXPECT_EQ(Changes, 0);
}

TEST_F(ImageListTest, AnUnmaskedListDrawsWholeCells) {
  std::unique_ptr<TBitmap> Image = MakeBitmap({"rmb", "mgm"});
  List.AddMasked(Image.get(), clFuchsia);
  List.SetMasked(false);
  List.Draw(Target.Canvas(), 0, 0, 0);
  ExpectTarget({"r#byyyyy", "#g#yyyyy", "yyyyyyyy"});  // masked pixels are black
}

TEST_F(ImageListTest, DrawingLeavesTheCanvasObjectsAndStateAlone) {
  std::unique_ptr<TBitmap> Image = MakeBitmap({"rmb", "mgm"});
  List.AddMasked(Image.get(), clFuchsia);
  TCanvas* Canvas = Target.Canvas();
  Canvas->Font()->SetColor(clBlue);
  const TDCState Before = Canvas->Handle()->State();
  List.Draw(Canvas, 0, 0, 0, true);
  List.Draw(Canvas, 4, 0, 0, false);
  EXPECT_EQ(Canvas->Brush()->Color(), clYellow);
  const TDCState& After = Canvas->Handle()->State();
  EXPECT_EQ(After.TextColor, Before.TextColor);
  EXPECT_EQ(After.BkColor, Before.BkColor);
  EXPECT_EQ(After.Brush, Before.Brush);
}

TEST_F(ImageListTest, AnIndexOutsideTheListDrawsNothing) {
  std::unique_ptr<TBitmap> Image = MakeBitmap({"rrr", "rrr"});
  List.AddMasked(Image.get(), clNone);
  List.Draw(Target.Canvas(), 0, 0, 1);
  List.Draw(Target.Canvas(), 0, 0, -1);
  List.Draw(nullptr, 0, 0, 0);
  ExpectTarget({"yyyyyyyy", "yyyyyyyy", "yyyyyyyy"});
}

// Disabled: the image's ink (opaque, not white) in the highlight colour one
// pixel down and right, then in the shadow colour in place.
TEST(ImageListDisabled, DrawsTheEmbossedLook) {
  TImageList List(nullptr, 4, 3);
  std::unique_ptr<TBitmap> Image = MakeBitmap({"r#m.",  // white is not ink
                                               "mmmm",  //
                                               "mbm."});
  List.AddMasked(Image.get(), clFuchsia);
  TBitmap Target(6, 5);
  Target.Canvas()->Brush()->SetColor(clAqua);
  Target.Canvas()->FillRect(TRect{0, 0, 6, 5});
  List.Draw(Target.Canvas(), 1, 1, 0, false);
  ExpectPixels(Target.Image().Surface(), TPoint{0, 0},
               {"cccccc",  //
                "cssccc",  //
                "cchhcc",  //
                "ccsccc",  //
                "ccchcc"},
               kLegend);
}

TEST_F(ImageListTest, GetBitmapDrawsOneCellOntoAFreshBitmap) {
  std::unique_ptr<TBitmap> Image = MakeBitmap({"rmb", "mgm"});
  List.AddMasked(Image.get(), clFuchsia);
  TBitmap Out(10, 10);
  EXPECT_TRUE(List.GetBitmap(0, &Out));
  EXPECT_EQ(Out.Width(), 3);
  EXPECT_EQ(Out.Height(), 2);
  ExpectPixels(Out.Image().Surface(), TPoint{0, 0}, {"r.b", ".g."}, kLegend);
  EXPECT_FALSE(List.GetBitmap(1, &Out));
  EXPECT_FALSE(List.GetBitmap(0, nullptr));
}

TEST_F(ImageListTest, DeleteShiftsAndRefusesBadIndexes) {
  std::unique_ptr<TBitmap> Strip = MakeBitmap({"rrrgggbbb", "rrrgggbbb"});
  List.AddMasked(Strip.get(), clNone);
  List.Delete(1);
  EXPECT_EQ(List.Count(), 2);
  List.Draw(Target.Canvas(), 0, 0, 1);
  ExpectTarget({"bbbyyyyy", "bbbyyyyy", "yyyyyyyy"});
  EXPECT_THROW(List.Delete(2), EInvalidGraphicOperation);
  EXPECT_THROW(List.Delete(-1), EInvalidGraphicOperation);
  EXPECT_EQ(List.Count(), 2);
}

TEST_F(ImageListTest, ChangingTheCellSizeClearsTheList) {
  std::unique_ptr<TBitmap> Image = MakeBitmap({"rrr", "rrr"});
  List.AddMasked(Image.get(), clNone);
  List.SetWidth(3);  // unchanged: kept
  EXPECT_EQ(List.Count(), 1);
  List.SetHeight(5);
  EXPECT_EQ(List.Count(), 0);
  EXPECT_EQ(List.Height(), 5);
  EXPECT_THROW(List.SetWidth(0), EInvalidGraphicOperation);
  EXPECT_EQ(List.Width(), 3);
}

TEST(ImageListResources, HoldsTheTwoFontMarksAsThePickerBuildsThem) {
  TBitmap Mark;
  Mark.LoadFromResourceName("TTFONT");
  TImageList List(nullptr);
  List.SetWidth(Mark.Width());
  List.SetHeight(Mark.Height());
  List.AddMasked(&Mark, Mark.TransparentColor());
  TBitmap Device;
  Device.LoadFromResourceName("DEVICEFONT");
  List.AddMasked(&Device, Device.TransparentColor());
  ASSERT_EQ(List.Count(), 2);
  EXPECT_EQ(List.Width(), 13);
  EXPECT_EQ(List.Height(), 13);

  // Drawn from the list, mark 0 looks as the bitmap drawn with its
  // transparent colour left out.
  TBitmap FromList(13, 13), Direct(13, 13);
  for (TBitmap* B : {&FromList, &Direct}) {
    B->Canvas()->Brush()->SetColor(clLime);
    B->Canvas()->FillRect(TRect{0, 0, 13, 13});
  }
  List.Draw(FromList.Canvas(), 0, 0, 0);
  Mark.SetTransparent(true);
  Direct.Canvas()->Draw(0, 0, &Mark);
  int Same = 0, Background = 0;
  for (int Y = 0; Y < 13; ++Y)
    for (int X = 0; X < 13; ++X) {
      Same += FromList.Canvas()->Pixels(X, Y) == Direct.Canvas()->Pixels(X, Y);
      Background += FromList.Canvas()->Pixels(X, Y) == clLime;
    }
  EXPECT_EQ(Same, 13 * 13);
  EXPECT_GT(Background, 0);
  EXPECT_LT(Background, 13 * 13);
}

// ---- Change links and the list's end ------------------------------------------------

struct TListOperation {
  const char* Name;
  std::function<void(TImageList&, const TBitmap&)> Run;
};

class ImageListChange : public testing::TestWithParam<TListOperation> {};

TEST_P(ImageListChange, TellsEveryLinkOnceAndThenOnChange) {
  TImageList List(nullptr, 2, 1);
  std::unique_ptr<TBitmap> Strip = MakeBitmap({"rrggbb"});
  List.AddMasked(Strip.get(), clNone);
  TChangeLink First, Second;
  std::vector<std::string> Calls;
  First.OnChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &List);
    Calls.push_back("first");
  };
  Second.OnChange = [&](TObject*) { Calls.push_back("second"); };
  List.OnChange = [&](TObject*) { Calls.push_back("list"); };
  List.RegisterChanges(&First);
  List.RegisterChanges(&Second);
  List.RegisterChanges(&First);  // registering twice changes nothing
  EXPECT_EQ(First.Sender(), &List);
  GetParam().Run(List, *Strip);
  EXPECT_EQ(Calls, (std::vector<std::string>{"first", "second", "list"}));
}

INSTANTIATE_TEST_SUITE_P(
    Operations, ImageListChange,
    testing::Values(
        TListOperation{"AddMaskedStrip",
                       [](TImageList& L, const TBitmap& B) { L.AddMasked(&B, clRed); }},
        TListOperation{"Add", [](TImageList& L, const TBitmap& B) { L.Add(&B, nullptr); }},
        TListOperation{"Delete", [](TImageList& L, const TBitmap&) { L.Delete(0); }},
        TListOperation{"Clear", [](TImageList& L, const TBitmap&) { L.Clear(); }},
        TListOperation{"SetWidth", [](TImageList& L, const TBitmap&) { L.SetWidth(4); }},
        TListOperation{"SetMasked", [](TImageList& L, const TBitmap&) { L.SetMasked(false); }},
        TListOperation{"Update",
                       [](TImageList& L, const TBitmap& B) {
                         L.BeginUpdate();
                         L.AddMasked(&B, clRed);
                         L.Delete(0);
                         L.Clear();
                         L.EndUpdate();
                       }}),
    [](const testing::TestParamInfo<TListOperation>& Info) {
      return std::string(Info.param.Name);
    });

TEST(ImageListLinks, UnregisteredAndDestroyedLinksAreNotCalled) {
  TImageList List(nullptr, 1, 1);
  std::unique_ptr<TBitmap> Pixel = MakeBitmap({"r"});
  int FirstCalls = 0;
  TChangeLink First;
  First.OnChange = [&](TObject*) { ++FirstCalls; };
  List.RegisterChanges(&First);
  {
    TChangeLink Gone;
    List.RegisterChanges(&Gone);
  }  // unregisters itself
  List.UnRegisterChanges(&First);
  EXPECT_EQ(First.Sender(), nullptr);
  List.Add(Pixel.get(), nullptr);
  EXPECT_EQ(FirstCalls, 0);
}

TEST(ImageListLinks, AHandlerMayDropOtherLinks) {
  TImageList List(nullptr, 1, 1);
  std::unique_ptr<TBitmap> Pixel = MakeBitmap({"r"});
  auto Second = std::make_unique<TChangeLink>();
  int SecondCalls = 0;
  Second->OnChange = [&](TObject*) { ++SecondCalls; };
  TChangeLink First;
  First.OnChange = [&](TObject*) { Second.reset(); };
  List.RegisterChanges(&First);
  List.RegisterChanges(Second.get());
  List.Add(Pixel.get(), nullptr);
  EXPECT_EQ(Second, nullptr);
  EXPECT_EQ(SecondCalls, 0);
  List.Add(Pixel.get(), nullptr);  // the dropped link is not remembered
}

TEST(ImageListLinks, ALinkMovesToTheListItIsRegisteredWith) {
  TImageList A(nullptr, 1, 1), B(nullptr, 1, 1);
  std::unique_ptr<TBitmap> Pixel = MakeBitmap({"r"});
  TChangeLink Link;
  int Calls = 0;
  Link.OnChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &B);
    ++Calls;
  };
  A.RegisterChanges(&Link);
  B.RegisterChanges(&Link);
  A.Add(Pixel.get(), nullptr);
  B.Add(Pixel.get(), nullptr);
  EXPECT_EQ(Calls, 1);
}

// A control that uses a list it does not own: it hears of changes through
// its link and drops its pointer when the list goes.
class THolder : public TComponent {
public:
  explicit THolder(TComponent* AOwner) : TComponent(AOwner) {
    Link.OnChange = [this](TObject*) { ++Changes; };
  }
  void SetImages(TImageList* Value) {
    if (Images) Images->UnRegisterChanges(&Link);
    Images = Value;
    if (Images) {
      Images->RegisterChanges(&Link);
      Images->FreeNotification(this);
    }
  }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == Images) {
      Images = nullptr;
      ++Removals;
    }
  }
  TImageList* Images = nullptr;
  TChangeLink Link;
  int Changes = 0, Removals = 0;
};

TEST(ImageListLifetime, TheHolderIsToldWhenTheListGoes) {
  THolder Holder(nullptr);
  auto List = std::make_unique<TImageList>(nullptr);
  Holder.SetImages(List.get());
  List->SetWidth(8);
  EXPECT_EQ(Holder.Changes, 1);
  List.reset();
  EXPECT_EQ(Holder.Images, nullptr);
  EXPECT_EQ(Holder.Removals, 1);
  EXPECT_EQ(Holder.Link.Sender(), nullptr);
}

TEST(ImageListLifetime, AnOwnedListGoesWithItsOwnerAndTellsTheHolder) {
  TComponent Form(nullptr);
  auto* List = new TImageList(&Form);
  THolder Holder(nullptr);
  Holder.SetImages(List);
  Form.DestroyComponents();
  EXPECT_EQ(Holder.Images, nullptr);
  EXPECT_EQ(Holder.Link.Sender(), nullptr);
}

TEST(ImageListLifetime, AHolderThatGoesFirstLeavesNothingBehind) {
  TImageList List(nullptr, 1, 1);
  std::unique_ptr<TBitmap> Pixel = MakeBitmap({"r"});
  {
    THolder Holder(nullptr);
    Holder.SetImages(&List);
  }
  List.Add(Pixel.get(), nullptr);  // no call into the destroyed link
  EXPECT_EQ(List.Count(), 1);
}

}  // namespace
