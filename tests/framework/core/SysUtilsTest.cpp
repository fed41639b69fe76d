#include "framework/core/SysUtils.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include "platform/ScratchFiles.h"

namespace {

struct TNumberCase {
  const char* Text;
  std::optional<int> Value;  // nullopt: no whole number
};

void PrintTo(const TNumberCase& Case, std::ostream* Out) { *Out << '"' << Case.Text << '"'; }

class WholeNumberTest : public ::testing::TestWithParam<TNumberCase> {};

TEST_P(WholeNumberTest, AllThreeFormsAgree) {
  const TNumberCase& Case = GetParam();
  int Tried = 12345;
  EXPECT_EQ(TryStrToInt(Case.Text, Tried), Case.Value.has_value());
  EXPECT_EQ(StrToIntDef(Case.Text, -777), Case.Value.value_or(-777));
  if (Case.Value) {
    EXPECT_EQ(Tried, *Case.Value);
    EXPECT_EQ(StrToInt(Case.Text), *Case.Value);
  } else {
    EXPECT_EQ(Tried, 12345);  // left alone
    try {
      StrToInt(Case.Text);
      FAIL() << "no error";
    } catch (const EConvertError& E) {
      EXPECT_EQ(E.Message(), std::string("'") + Case.Text + "' は整数ではありません");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Decimal, WholeNumberTest,
    ::testing::Values(TNumberCase{"0", 0}, TNumberCase{"42", 42}, TNumberCase{"+42", 42},
                      TNumberCase{"-42", -42}, TNumberCase{"-0", 0}, TNumberCase{"007", 7},
                      TNumberCase{"00000000000000000000001", 1}, TNumberCase{"2147483647", INT_MAX},
                      TNumberCase{"-2147483648", INT_MIN}, TNumberCase{"2147483648", std::nullopt},
                      TNumberCase{"-2147483649", std::nullopt},
                      TNumberCase{"99999999999999999999", std::nullopt},
                      TNumberCase{"+2147483648", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    Hexadecimal, WholeNumberTest,
    ::testing::Values(TNumberCase{"$0", 0}, TNumberCase{"$ff", 255}, TNumberCase{"$FF", 255},
                      TNumberCase{"$aBc", 0xABC}, TNumberCase{"0x10", 16}, TNumberCase{"0X10", 16},
                      TNumberCase{"0x7FFFFFFF", INT_MAX}, TNumberCase{"$80000000", INT_MIN},
                      TNumberCase{"$FFFFFFFF", -1}, TNumberCase{"0xFFFFFFFE", -2},
                      TNumberCase{"$00000000FFFFFFFF", -1}, TNumberCase{"$100000000", std::nullopt},
                      TNumberCase{"-$1", -1}, TNumberCase{"+$1", 1}, TNumberCase{"-0x10", -16},
                      TNumberCase{"-$FFFFFFFF", 1}, TNumberCase{"-$80000000", INT_MIN}));

INSTANTIATE_TEST_SUITE_P(
    NotANumber, WholeNumberTest,
    ::testing::Values(TNumberCase{"", std::nullopt}, TNumberCase{"-", std::nullopt},
                      TNumberCase{"+", std::nullopt}, TNumberCase{"$", std::nullopt},
                      TNumberCase{"0x", std::nullopt}, TNumberCase{"-$", std::nullopt},
                      TNumberCase{"x", std::nullopt}, TNumberCase{" 1", std::nullopt},
                      TNumberCase{"1 ", std::nullopt}, TNumberCase{"1 2", std::nullopt},
                      TNumberCase{"12a", std::nullopt}, TNumberCase{"ff", std::nullopt},
                      TNumberCase{"$fg", std::nullopt}, TNumberCase{"--1", std::nullopt},
                      TNumberCase{"+-1", std::nullopt}, TNumberCase{"$-1", std::nullopt},
                      TNumberCase{"0x-1", std::nullopt}, TNumberCase{"1.0", std::nullopt},
                      TNumberCase{"1e3", std::nullopt}, TNumberCase{"yes", std::nullopt},
                      TNumberCase{"１２", std::nullopt},  // full-width digits
                      TNumberCase{"0b1", std::nullopt}, TNumberCase{"$ 1", std::nullopt},
                      TNumberCase{"0xx1", std::nullopt}));

TEST(SysUtilsTest, NotANumberMessageKeepsTheTextAsItIs) {
  try {
    StrToInt("件数");
    FAIL() << "no error";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "'件数' は整数ではありません");
  }
}

TEST(SysUtilsTest, IntToStrWritesDecimal) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-15), "-15");
  EXPECT_EQ(IntToStr(INT_MIN), "-2147483648");
  EXPECT_EQ(IntToStr(4294967296LL), "4294967296");
  for (int V : {INT_MIN, -1, 0, 1, 123456, INT_MAX}) EXPECT_EQ(StrToInt(IntToStr(V)), V);
}

TEST(SysUtilsTest, ExecutableDirectoryHoldsTheTestProgram) {
  std::string Dir = ExecutableDirectory();
  ASSERT_FALSE(Dir.empty());
  EXPECT_EQ(Dir.back(), testfiles::kPathSeparator);
  EXPECT_EQ(ExtractFilePath(ExecutablePath()), Dir);
}

}  // namespace
