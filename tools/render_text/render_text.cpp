// render_text: draws a text with the system's font layer into a PNG file, or
// one of the program's bitmaps as the framework loads it.
//
//   render_text [options] TEXT OUTPUT.png
//   render_text --resource NAME [--background RRGGBB] [--scale N] [--metrics] OUTPUT.png
//   render_text --bmp FILE.bmp [--background RRGGBB] [--scale N] [--metrics] OUTPUT.png
//
//   --face NAME     face name (default "ＭＳ Ｐゴシック")
//   --height N      GDI height: negative = character height, positive = cell
//                   height (default -12)
//   --bold --italic --underline --strikeout
//   --width N       wrap the text to N pixels (DrawText word break); without
//                   it the text is one line
//   --format HEX    DrawText flags instead of the defaults
//   --cp932         TEXT and NAME are code page 932 bytes, not UTF-8
//   --scale N       enlarge every pixel N times, to see the anti-aliasing
//   --metrics       print the font's metrics and the text's extent (with a
//                   bitmap: its size, form and transparent colour)
//   --resource NAME a bitmap resource embedded in the program (CHECKBOX,
//                   TTFONT, DEVICEFONT, MAINICON, ...)
//   --bmp FILE      a .bmp file
//   --background RRGGBB
//                   draw the bitmap transparent (its bottom-left colour left
//                   out) over this colour instead of copying it as it is
//
// Black text on white, 4 pixels of margin; a bitmap is drawn at its own size
// without margin.

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "platform/core/Exception.h"
#include "platform/gdi/Text.h"
#include "platform/image/PngWriter.h"
#include "platform/text/Cp932.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: render_text [--face NAME] [--height N] [--bold] [--italic] [--underline]\n"
               "                   [--strikeout] [--width N] [--format HEX] [--cp932] [--scale N]\n"
               "                   [--metrics] TEXT OUTPUT.png\n"
               "       render_text (--resource NAME | --bmp FILE) [--background RRGGBB]\n"
               "                   [--scale N] [--metrics] OUTPUT.png\n");
  return 2;
}

const char* PixelFormatName(TPixelFormat Format) {
  static const char* const Names[] = {"pfDevice", "pf1bit",  "pf4bit",  "pf8bit",  "pf15bit",
                                      "pf16bit",  "pf24bit", "pf32bit", "pfCustom"};
  return Names[Format];
}

// Every pixel of Surface enlarged Scale times.
TSurface Enlarge(const TSurface& Surface, int Scale) {
  TSurface Output(Surface.Width() * Scale, Surface.Height() * Scale);
  for (int Y = 0; Y < Output.Height(); ++Y)
    for (int X = 0; X < Output.Width(); ++X) Output.Row(Y)[X] = Surface.Row(Y / Scale)[X / Scale];
  return Output;
}

// Loads the bitmap as the framework does and draws it through a canvas, so
// the picture shows what the controls get: with a background colour, the
// bitmap is drawn transparent with its automatic transparent colour.
int RenderBitmap(const std::string& Resource, const std::string& File,
                 std::optional<int> Background, int Scale, bool PrintInfo,
                 const std::string& Output) {
  TBitmap Bitmap;
  if (!Resource.empty())
    Bitmap.LoadFromResourceName(Resource);
  else
    Bitmap.LoadFromFile(File);
  if (Bitmap.Empty()) {
    std::fprintf(stderr, "render_text: the bitmap is empty\n");
    return 1;
  }
  if (PrintInfo) {
    const TColor Key = Bitmap.TransparentColor();
    std::printf("size %d x %d\nformat %s%s\ntransparent colour red %d green %d blue %d\n",
                Bitmap.Width(), Bitmap.Height(), PixelFormatName(Bitmap.PixelFormat()),
                Bitmap.Monochrome() ? " (monochrome)" : "", GetRValue(Key), GetGValue(Key),
                GetBValue(Key));
  }
  TBitmap Picture(Bitmap.Width(), Bitmap.Height());
  if (Background) {
    const int Rgb = *Background;
    Picture.Canvas()->Brush()->SetColor(RGB((Rgb >> 16) & 0xFF, (Rgb >> 8) & 0xFF, Rgb & 0xFF));
    Picture.Canvas()->FillRect(TRect{0, 0, Bitmap.Width(), Bitmap.Height()});
    Bitmap.SetTransparent(true);
  }
  Picture.Canvas()->Draw(0, 0, &Bitmap);
  WritePng(Output, Enlarge(Picture.Image().Surface(), Scale));
  return 0;
}

std::optional<int> ParseInt(const char* Text, int Base = 10) {
  char* End = nullptr;
  long Value = std::strtol(Text, &End, Base);
  if (!*Text || *End || Value < -100000 || Value > 0xFFFFFFF) return std::nullopt;
  return static_cast<int>(Value);
}

// What the command line asks for.
struct TOptions {
  TLogFont Font;
  std::optional<std::string> FaceArgument;
  int WrapWidth = 0, Scale = 1;
  std::optional<unsigned> Format;
  bool Cp932Input = false, PrintMetrics = false;
  std::string Resource, BmpFile;
  std::optional<int> Background;
  std::vector<std::string> Positional;
};

// Reads the options; nothing when they make no sense (the caller shows the
// usage).
std::optional<TOptions> ParseOptions(int Argc, char** Argv) {
  TOptions O;
  O.Font.Face = "ＭＳ Ｐゴシック";
  O.Font.Height = -12;
  O.Font.Charset = SHIFTJIS_CHARSET;
  for (int I = 1; I < Argc; ++I) {
    std::string Arg = Argv[I];
    auto Value = [&]() -> const char* { return I + 1 < Argc ? Argv[++I] : nullptr; };
    if (Arg == "--face") {
      const char* V = Value();
      if (!V) return std::nullopt;
      O.FaceArgument = V;
    } else if (Arg == "--height" || Arg == "--width" || Arg == "--scale" || Arg == "--format") {
      const char* V = Value();
      std::optional<int> N = V ? ParseInt(V, Arg == "--format" ? 16 : 10) : std::nullopt;
      if (!N) return std::nullopt;
      if (Arg == "--height") O.Font.Height = *N;
      if (Arg == "--width") O.WrapWidth = *N;
      if (Arg == "--scale") O.Scale = *N;
      if (Arg == "--format") O.Format = static_cast<unsigned>(*N);
    } else if (Arg == "--resource" || Arg == "--bmp") {
      const char* V = Value();
      if (!V) return std::nullopt;
      (Arg == "--resource" ? O.Resource : O.BmpFile) = V;
    } else if (Arg == "--background") {
      const char* V = Value();
      std::optional<int> N = V ? ParseInt(V, 16) : std::nullopt;
      if (!N || *N < 0 || *N > 0xFFFFFF) return std::nullopt;
      O.Background = *N;
    } else if (Arg == "--bold") {
      O.Font.Weight = FW_BOLD;
    } else if (Arg == "--italic") {
      O.Font.Italic = true;
    } else if (Arg == "--underline") {
      O.Font.Underline = true;
    } else if (Arg == "--strikeout") {
      O.Font.StrikeOut = true;
    } else if (Arg == "--cp932") {
      O.Cp932Input = true;
    } else if (Arg == "--metrics") {
      O.PrintMetrics = true;
    } else if (Arg.size() > 1 && Arg[0] == '-' && Arg[1] == '-') {
      return std::nullopt;
    } else {
      O.Positional.push_back(Arg);
    }
  }
  if (O.Scale < 1 || O.Scale > 32) return std::nullopt;
  return O;
}

// Draws Text in the font on white, 4 pixels of margin around it, and writes
// the PNG.
void RenderText(const TOptions& O, const std::string& Text) {
  const TLogFont& Font = O.Font;
  const int WrapWidth = O.WrapWidth;
  TSurface Measure(1, 1);
  TDeviceContext MeasureDC(Measure);
  MeasureDC.SetFont(Font);
  unsigned Flags = O.Format        ? *O.Format
                   : WrapWidth > 0 ? DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX
                                   : DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX;
  TRect Bounds{0, 0, WrapWidth > 0 ? WrapWidth : 1, 1};
  DrawText(MeasureDC, Text, Bounds, Flags | DT_CALCRECT);
  const int Width = std::max(Bounds.Right, WrapWidth) + 8;
  const int Height = std::max(Bounds.Bottom, 1) + 8;

  TSurface Surface(Width, Height, 0xFFFFFF);
  TDeviceContext DC(Surface);
  DC.SetFont(Font);
  DC.SetBkMode(TRANSPARENT);
  DC.SetTextColor(RGB(0, 0, 0));
  TRect R{4, 4, 4 + (WrapWidth > 0 ? WrapWidth : Bounds.Right), Height - 4};
  DrawText(DC, Text, R, Flags | DT_NOCLIP);

  if (O.PrintMetrics) {
    std::shared_ptr<TRealizedFont> Realised = GetCurrentFont(DC);
    const TTextMetric& M = Realised->TextMetric();
    const TTextExtent Extent = GetTextExtentPoint(DC, Text);
    std::printf(
        "family %s em %d\ntmHeight %d tmAscent %d tmDescent %d tmInternalLeading %d "
        "tmExternalLeading %d tmAveCharWidth %d tmMaxCharWidth %d\nextent %d x %d\n",
        Realised->FamilyName().c_str(), Realised->EmHeight(), M.tmHeight, M.tmAscent, M.tmDescent,
        M.tmInternalLeading, M.tmExternalLeading, M.tmAveCharWidth, M.tmMaxCharWidth, Extent.cx,
        Extent.cy);
  }
  WritePng(O.Positional[1], Enlarge(Surface, O.Scale));
}

int Fail(const Exception& E) {
  std::string Message = cp932::ToUtf8Lossy(E.Message());
  std::fprintf(stderr, "render_text: %s\n", Message.c_str());
  return 1;
}

}  // namespace

int main(int Argc, char** Argv) {
  std::optional<TOptions> Parsed = ParseOptions(Argc, Argv);
  if (!Parsed) return Usage();
  TOptions& O = *Parsed;
  if (!O.Resource.empty() || !O.BmpFile.empty()) {
    if (O.Positional.size() != 1 || (!O.Resource.empty() && !O.BmpFile.empty())) return Usage();
    try {
      return RenderBitmap(O.Resource, O.BmpFile, O.Background, O.Scale, O.PrintMetrics,
                          O.Positional[0]);
    } catch (const Exception& E) {
      return Fail(E);
    }
  }
  if (O.Positional.size() != 2 || O.Background) return Usage();

  auto ToSystemText = [&](const std::string& Text) -> std::optional<std::string> {
    return O.Cp932Input ? std::optional<std::string>(Text) : cp932::FromUtf8(Text);
  };
  std::optional<std::string> Text = ToSystemText(O.Positional[0]);
  if (!Text) {
    std::fprintf(stderr, "render_text: the text has characters code page 932 cannot hold\n");
    return 1;
  }
  if (O.FaceArgument) {
    std::optional<std::string> Face = ToSystemText(*O.FaceArgument);
    if (!Face) {
      std::fprintf(stderr, "render_text: the face name has characters code page 932 cannot hold\n");
      return 1;
    }
    O.Font.Face = *Face;
  }
  try {
    RenderText(O, *Text);
  } catch (const Exception& E) {
    return Fail(E);
  }
  return 0;
}
