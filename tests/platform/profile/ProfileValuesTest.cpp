#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/profile/ProfileValues.h"

namespace {

struct TNumberCase {
  const char* Text;
  std::optional<std::int32_t> Expected;
};

class ProfileWholeNumberTest : public testing::TestWithParam<TNumberCase> {};

TEST_P(ProfileWholeNumberTest, ParsesByTheRule) {
  EXPECT_EQ(profile::ParseWholeNumber(GetParam().Text), GetParam().Expected) << GetParam().Text;
  EXPECT_EQ(profile::WholeNumberOrDefault(GetParam().Text, 77), GetParam().Expected.value_or(77));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWholeNumberTest,
    testing::Values(TNumberCase{"0", 0}, TNumberCase{"3", 3}, TNumberCase{"-1", -1},
                    TNumberCase{"+12", 12}, TNumberCase{"007", 7},
                    TNumberCase{"2147483647", 2147483647}, TNumberCase{"-2147483648", INT32_MIN},
                    TNumberCase{"2147483648", std::nullopt},
                    TNumberCase{"-2147483649", std::nullopt},
                    TNumberCase{"99999999999999999999999", std::nullopt}, TNumberCase{"0x3", 3},
                    TNumberCase{"0X1f", 31}, TNumberCase{"$A", 10}, TNumberCase{"$ff", 255},
                    TNumberCase{"-$A", -10}, TNumberCase{"+0x10", 16},
                    TNumberCase{"$7FFFFFFF", INT32_MAX}, TNumberCase{"$FFFFFFFF", -1},
                    TNumberCase{"$80000000", INT32_MIN}, TNumberCase{"$100000000", std::nullopt},
                    TNumberCase{"0x000000000001", 1}, TNumberCase{"", std::nullopt},
                    TNumberCase{"-", std::nullopt}, TNumberCase{"+", std::nullopt},
                    TNumberCase{"$", std::nullopt}, TNumberCase{"0x", std::nullopt},
                    TNumberCase{"-0x", std::nullopt}, TNumberCase{"3b", std::nullopt},
                    TNumberCase{"b3", std::nullopt}, TNumberCase{" 3", std::nullopt},
                    TNumberCase{"3 ", std::nullopt}, TNumberCase{"+-1", std::nullopt},
                    TNumberCase{"--1", std::nullopt}, TNumberCase{"$G", std::nullopt},
                    TNumberCase{"0x1g", std::nullopt}, TNumberCase{"1.0", std::nullopt},
                    TNumberCase{"yes", std::nullopt}, TNumberCase{"0x$1", std::nullopt},
                    TNumberCase{"x10", std::nullopt}));

struct TBoolCase {
  const char* Text;
  bool Default;
  bool Expected;
};

class ProfileBooleanTest : public testing::TestWithParam<TBoolCase> {};

TEST_P(ProfileBooleanTest, ReadsAsWholeNumber) {
  EXPECT_EQ(profile::BooleanOrDefault(GetParam().Text, GetParam().Default), GetParam().Expected)
      << GetParam().Text << " default " << GetParam().Default;
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileBooleanTest,
                         testing::Values(TBoolCase{"1", false, true}, TBoolCase{"2", false, true},
                                         TBoolCase{"-1", false, true},
                                         TBoolCase{"$10", false, true}, TBoolCase{"0", true, false},
                                         TBoolCase{"0x0", true, false},
                                         TBoolCase{"yes", false, false},
                                         TBoolCase{"yes", true, true}, TBoolCase{"", true, true},
                                         TBoolCase{"true", false, false}));

TEST(ProfileValueAsReadTest, CutsAt2047BytesWithoutSplittingACharacter) {
  std::string Ascii(3000, 'a');
  EXPECT_EQ(profile::ValueAsRead(Ascii).size(), 2047u);
  EXPECT_EQ(profile::ValueAsRead(std::string(2047, 'b')).size(), 2047u);

  // 2046 single bytes, then ア (83 41): the character would straddle the cut.
  std::string Straddling = std::string(2046, 'c') + "\x83\x41" + "tail";
  EXPECT_EQ(profile::ValueAsRead(Straddling), std::string(2046, 'c'));

  // 2045 single bytes, then ア: it ends exactly at byte 2047 and stays.
  std::string Fitting = std::string(2045, 'd') + "\x83\x41" + "tail";
  EXPECT_EQ(profile::ValueAsRead(Fitting), std::string(2045, 'd') + "\x83\x41");
}

TEST(ProfileValueAsReadTest, StopsAtNul) {
  EXPECT_EQ(profile::ValueAsRead(std::string("ab\0cd", 5)), "ab");
}

}  // namespace
