// The Windows shell opener refuses, before the shell sees anything, an
// address it could only hand over changed: bytes that are no code page 932,
// a NUL byte that would cut it short, or nothing at all. (What it hands over
// starts a browser, so the end-to-end tests under Wine check that part.)
#include <gtest/gtest.h>

#include <string>

#include "platform/shell/Shell.h"

namespace {

struct TRefusedCase {
  const char* Name;
  std::string File, Directory;
};

class ShellOpenerWin32Refuses : public testing::TestWithParam<TRefusedCase> {};

}  // namespace

TEST_P(ShellOpenerWin32Refuses, StartsNothing) {
  // No opener installed: the system's own, ShellExecuteW.
  EXPECT_FALSE(CurrentShellOpener().Open({GetParam().File, GetParam().Directory}));
  EXPECT_EQ(ShellExecute(nullptr, "open", GetParam().File, "", GetParam().Directory, 1),
            SE_ERR_FNF);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, ShellOpenerWin32Refuses,
    testing::Values(
        // 0x80 is no character; 0x85 0x30 no pair: a lossy conversion
        // would open another address than the one asked for.
        TRefusedCase{"InvalidSingleByte", "https://example.invalid/?q=\x80", ""},
        TRefusedCase{"InvalidPair", "https://example.invalid/?q=\x85\x30", ""},
        TRefusedCase{"CutOffLeadByte", "https://example.invalid/?q=\x83", ""},
        TRefusedCase{"NulInside", std::string("https://example.invalid/\0calc.exe", 33), ""},
        TRefusedCase{"NulInFolder", "https://example.invalid/", std::string("C:\\\0x", 5)},
        TRefusedCase{"Empty", "", ""}),
    [](const testing::TestParamInfo<TRefusedCase>& Info) { return Info.param.Name; });
