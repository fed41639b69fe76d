#pragma once
// Pixel assertions against ASCII masks:
//
//   ExpectPixels(Surface, {0, 0}, {
//       "#######.",
//       "#......#",   // top-right and bottom-left corners stay unpainted
//       ".#######"}, {{'#', clBlack}, {'.', clWhite}});
//
// Each character of a row names the colour of one pixel through the legend
// (colours as 0x00BBGGRR, system colours allowed); '?' matches anything
// unless the legend gives it a colour. A mismatch fails the current test at
// the caller's line with the list of wrong pixels and the actual pixels drawn
// in legend characters, and leaves <name>-actual.png and <name>-expected.png
// in the test's temporary directory (pixels '?' are magenta there).
//
// Everything is inline so that the test programs of every layer can use it
// by including this header alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/core/Types.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/SysColors.h"
#include "platform/image/PngWriter.h"

using TPixelLegend = std::map<char, TColor>;

namespace pixelassert {

inline std::string Hex(std::uint32_t Pixel) {
  char Buf[16];
  std::snprintf(Buf, sizeof Buf, "%06X", unsigned(Pixel & 0xFFFFFF));
  return Buf;
}

// A file name stem unique to the running test and the assertion.
inline std::string FailureStem() {
  static int Counter = 0;
  std::string Name = "pixels";
  if (const auto* Info = ::testing::UnitTest::GetInstance()->current_test_info())
    Name = std::string(Info->test_suite_name()) + "." + Info->name();
  for (char& C : Name)
    if (C == '/' || C == '\\' || C == ' ') C = '_';
  return ::testing::TempDir() + Name + "-" + std::to_string(++Counter);
}

// Compares the mask with the surface at Origin; empty when they match,
// otherwise the failure report (the PNGs are written as a side effect).
inline std::string ComparePixels(const TSurface& Surface, TPoint Origin,
                                 const std::vector<std::string>& Rows, const TPixelLegend& Legend) {
  const int H = static_cast<int>(Rows.size());
  int W = 0;
  for (const std::string& Row : Rows) W = std::max(W, static_cast<int>(Row.size()));
  std::ostringstream Report;
  for (int Y = 0; Y < H; ++Y)
    if (static_cast<int>(Rows[Y].size()) != W) {
      Report << "mask row " << Y << " is " << Rows[Y].size() << " wide, not " << W << "\n";
      return Report.str();
    }
  if (Origin.X < 0 || Origin.Y < 0 || Origin.X + W > Surface.Width() ||
      Origin.Y + H > Surface.Height()) {
    Report << "mask " << W << "x" << H << " at (" << Origin.X << "," << Origin.Y
           << ") does not fit the " << Surface.Width() << "x" << Surface.Height() << " surface\n";
    return Report.str();
  }

  // Pixel -> legend character, to draw the actual image in the same terms.
  std::map<std::uint32_t, char> Names;
  for (const auto& [Char, Color] : Legend) Names.emplace(ColorToPixel(Color), Char);

  TSurface Actual(W, H), Expected(W, H);
  std::vector<std::string> ActualRows(static_cast<std::size_t>(H), std::string(W, ' '));
  int Wrong = 0;
  std::ostringstream Pixels;
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      const std::uint32_t Got = Surface.Row(Origin.Y + Y)[Origin.X + X] & 0xFFFFFF;
      Actual.Row(Y)[X] = Got;
      const auto Name = Names.find(Got);
      ActualRows[Y][X] = Name != Names.end() ? Name->second : '*';
      const char Want = Rows[Y][X];
      const auto Entry = Legend.find(Want);
      if (Entry == Legend.end()) {
        Expected.Row(Y)[X] = 0xFF00FF;
        if (Want == '?') continue;
        Report << "mask character '" << Want << "' at (" << X << "," << Y
               << ") is not in the legend\n";
        return Report.str();
      }
      const std::uint32_t WantPixel = ColorToPixel(Entry->second);
      Expected.Row(Y)[X] = WantPixel;
      if (WantPixel != Got) {
        if (++Wrong <= 24)
          Pixels << "  (" << X << "," << Y << "): expected '" << Want << "' " << Hex(WantPixel)
                 << ", got " << Hex(Got) << "\n";
      }
    }
  if (Wrong == 0) return std::string();

  Report << Wrong << " pixel(s) differ in the " << W << "x" << H << " area at (" << Origin.X << ","
         << Origin.Y << ") (colours as RRGGBB):\n"
         << Pixels.str();
  if (Wrong > 24) Report << "  ...\n";
  Report << "expected | actual ('*' = colour not in the legend):\n";
  for (int Y = 0; Y < H; ++Y) Report << "  " << Rows[Y] << " | " << ActualRows[Y] << "\n";
  const std::string Stem = FailureStem();
  try {
    WritePng(Stem + "-actual.png", Actual);
    WritePng(Stem + "-expected.png", Expected);
    Report << "images: " << Stem << "-actual.png, " << Stem << "-expected.png\n";
  } catch (const std::exception& E) {
    Report << "images not saved: " << E.what() << "\n";
  }
  return Report.str();
}

}  // namespace pixelassert

// Expects the pixels at Origin to be what the mask and legend say.
inline void ExpectPixels(const TSurface& Surface, TPoint Origin,
                         const std::vector<std::string>& Rows, const TPixelLegend& Legend,
                         const char* File = __builtin_FILE(), int Line = __builtin_LINE()) {
  const std::string Failure = pixelassert::ComparePixels(Surface, Origin, Rows, Legend);
  if (!Failure.empty()) ADD_FAILURE_AT(File, Line) << Failure;
}

// The same for a rectangle, which must have the mask's size.
inline void ExpectPixels(const TSurface& Surface, const TRect& Area,
                         const std::vector<std::string>& Rows, const TPixelLegend& Legend,
                         const char* File = __builtin_FILE(), int Line = __builtin_LINE()) {
  const int H = static_cast<int>(Rows.size());
  const int W = H ? static_cast<int>(Rows[0].size()) : 0;
  if (Area.Width() != W || Area.Height() != H) {
    ADD_FAILURE_AT(File, Line) << "mask is " << W << "x" << H << " but the area is " << Area.Width()
                               << "x" << Area.Height();
    return;
  }
  ExpectPixels(Surface, TPoint{Area.Left, Area.Top}, Rows, Legend, File, Line);
}
