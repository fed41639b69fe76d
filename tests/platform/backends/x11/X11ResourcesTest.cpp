// The desktop's scale from the root window's resource database, as xrdb
// and the desktops' settings daemons write it.

#include <gtest/gtest.h>

#include "platform/backends/x11/X11Resources.h"

namespace {

struct TDpiCase {
  const char* Database;
  double Expected;
  bool Complains;
};

const TDpiCase kCases[] = {
    {"", 96, false},
    {"Xft.antialias:\t1\nXft.hinting:\t1\n", 96, false},
    {"Xft.dpi:\t192\n", 192, false},
    {"Xcursor.size:\t24\nXft.dpi:\t144\nXft.rgba:\trgb\n", 144, false},
    {"Xft.dpi: 120.5", 120.5, false},               // fractional, no final newline
    {"  Xft.dpi  :  96  \r\n", 96, false},          // spaces around, CRLF
    {"Xft.dpi:\t96\nXft.dpi:\t192\n", 192, false},  // the last one counts
    {"Xft.dpiX:\t192\n*dpi:\t192\n", 96, false},    // other resources
    {"Xft.dpi:\t0\n", 96, true},
    {"Xft.dpi:\t-96\n", 96, true},
    {"Xft.dpi:\tlarge\n", 96, true},
    {"Xft.dpi:\t9e1\n", 96, true},
    {"Xft.dpi:\t\n", 96, true},
    {"Xft.dpi:\t1.2.3\n", 96, true},
    {"Xft.dpi:\t961\n", 96, true},
    {"Xft.dpi:\t960\n", 960, false},
};

class TXftDpiTest : public ::testing::TestWithParam<TDpiCase> {};

TEST_P(TXftDpiTest, ReadsTheFigureOrFallsBackTo96) {
  std::string Complaint = "left over";
  EXPECT_EQ(XftDpiFromResources(GetParam().Database, Complaint), GetParam().Expected)
      << GetParam().Database;
  EXPECT_EQ(!Complaint.empty(), GetParam().Complains) << Complaint;
}

INSTANTIATE_TEST_SUITE_P(Databases, TXftDpiTest, ::testing::ValuesIn(kCases));

}  // namespace
