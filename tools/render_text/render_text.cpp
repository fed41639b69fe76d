// render_text: draws a text with the system's font layer into a PNG file.
//
//   render_text [options] TEXT OUTPUT.png
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
//   --metrics       print the font's metrics and the text's extent
//
// Black text on white, 4 pixels of margin.

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/Exception.h"
#include "platform/gdi/Text.h"
#include "platform/image/PngWriter.h"
#include "platform/text/Cp932.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: render_text [--face NAME] [--height N] [--bold] [--italic] [--underline]\n"
               "                   [--strikeout] [--width N] [--format HEX] [--cp932] [--scale N]\n"
               "                   [--metrics] TEXT OUTPUT.png\n");
  return 2;
}

std::optional<int> ParseInt(const char* Text, int Base = 10) {
  char* End = nullptr;
  long Value = std::strtol(Text, &End, Base);
  if (!*Text || *End || Value < -100000 || Value > 0xFFFFFFF) return std::nullopt;
  return static_cast<int>(Value);
}

}  // namespace

int main(int Argc, char** Argv) {
  TLogFont Font;
  Font.Face = "ＭＳ Ｐゴシック";
  Font.Height = -12;
  Font.Charset = SHIFTJIS_CHARSET;
  std::optional<std::string> FaceArgument;
  int WrapWidth = 0, Scale = 1;
  std::optional<unsigned> Format;
  bool Cp932Input = false, PrintMetrics = false;
  std::vector<std::string> Positional;

  for (int I = 1; I < Argc; ++I) {
    std::string Arg = Argv[I];
    auto Value = [&]() -> const char* { return I + 1 < Argc ? Argv[++I] : nullptr; };
    if (Arg == "--face") {
      const char* V = Value();
      if (!V) return Usage();
      FaceArgument = V;
    } else if (Arg == "--height" || Arg == "--width" || Arg == "--scale" || Arg == "--format") {
      const char* V = Value();
      std::optional<int> N = V ? ParseInt(V, Arg == "--format" ? 16 : 10) : std::nullopt;
      if (!N) return Usage();
      if (Arg == "--height") Font.Height = *N;
      if (Arg == "--width") WrapWidth = *N;
      if (Arg == "--scale") Scale = *N;
      if (Arg == "--format") Format = static_cast<unsigned>(*N);
    } else if (Arg == "--bold") {
      Font.Weight = FW_BOLD;
    } else if (Arg == "--italic") {
      Font.Italic = true;
    } else if (Arg == "--underline") {
      Font.Underline = true;
    } else if (Arg == "--strikeout") {
      Font.StrikeOut = true;
    } else if (Arg == "--cp932") {
      Cp932Input = true;
    } else if (Arg == "--metrics") {
      PrintMetrics = true;
    } else if (Arg.size() > 1 && Arg[0] == '-' && Arg[1] == '-') {
      return Usage();
    } else {
      Positional.push_back(Arg);
    }
  }
  if (Positional.size() != 2 || Scale < 1 || Scale > 32) return Usage();

  auto ToSystemText = [&](const std::string& Text) -> std::optional<std::string> {
    return Cp932Input ? std::optional<std::string>(Text) : cp932::FromUtf8(Text);
  };
  std::optional<std::string> Text = ToSystemText(Positional[0]);
  if (!Text) {
    std::fprintf(stderr, "render_text: the text has characters code page 932 cannot hold\n");
    return 1;
  }
  if (FaceArgument) {
    std::optional<std::string> Face = ToSystemText(*FaceArgument);
    if (!Face) {
      std::fprintf(stderr, "render_text: the face name has characters code page 932 cannot hold\n");
      return 1;
    }
    Font.Face = *Face;
  }

  try {
    TSurface Measure(1, 1);
    TDeviceContext MeasureDC(Measure);
    MeasureDC.SetFont(Font);
    unsigned Flags = Format          ? *Format
                     : WrapWidth > 0 ? DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX
                                     : DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX;
    TRect Bounds{0, 0, WrapWidth > 0 ? WrapWidth : 1, 1};
    DrawText(MeasureDC, *Text, Bounds, Flags | DT_CALCRECT);
    const int Width = std::max(Bounds.Right, WrapWidth) + 8;
    const int Height = std::max(Bounds.Bottom, 1) + 8;

    TSurface Surface(Width, Height, 0xFFFFFF);
    TDeviceContext DC(Surface);
    DC.SetFont(Font);
    DC.SetBkMode(TRANSPARENT);
    DC.SetTextColor(RGB(0, 0, 0));
    TRect R{4, 4, 4 + (WrapWidth > 0 ? WrapWidth : Bounds.Right), Height - 4};
    DrawText(DC, *Text, R, Flags | DT_NOCLIP);

    if (PrintMetrics) {
      std::shared_ptr<TRealizedFont> Realised = GetCurrentFont(DC);
      const TTextMetric& M = Realised->TextMetric();
      const TTextExtent Extent = GetTextExtentPoint(DC, *Text);
      std::printf(
          "family %s em %d\ntmHeight %d tmAscent %d tmDescent %d tmInternalLeading %d "
          "tmExternalLeading %d tmAveCharWidth %d tmMaxCharWidth %d\nextent %d x %d\n",
          Realised->FamilyName().c_str(), Realised->EmHeight(), M.tmHeight, M.tmAscent, M.tmDescent,
          M.tmInternalLeading, M.tmExternalLeading, M.tmAveCharWidth, M.tmMaxCharWidth, Extent.cx,
          Extent.cy);
    }

    TSurface Output(Width * Scale, Height * Scale);
    for (int Y = 0; Y < Output.Height(); ++Y)
      for (int X = 0; X < Output.Width(); ++X) Output.Row(Y)[X] = Surface.Row(Y / Scale)[X / Scale];
    WritePng(Positional[1], Output);
  } catch (const Exception& E) {
    std::string Message = cp932::ToUtf8Lossy(E.Message());
    std::fprintf(stderr, "render_text: %s\n", Message.c_str());
    return 1;
  }
  return 0;
}
