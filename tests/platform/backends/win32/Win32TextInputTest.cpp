// The Windows input method's composition as the window system gets it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/backends/Backend.h"
#include "platform/backends/win32/Win32TextInput.h"

namespace {

struct TAttributeCase {
  std::uint8_t Ime;
  std::uint8_t Expected;
};

class ImeAttributes : public testing::TestWithParam<TAttributeCase> {};

TEST_P(ImeAttributes, MapToTheWindowSystemsAttribute) {
  EXPECT_EQ(win32input::CompositionAttributeOf(GetParam().Ime), GetParam().Expected);
}

// ATTR_INPUT, ATTR_TARGET_CONVERTED, ATTR_CONVERTED, ATTR_TARGET_NOTCONVERTED,
// ATTR_INPUT_ERROR, ATTR_FIXEDCONVERTED, and a value no input method sends.
INSTANTIATE_TEST_SUITE_P(Cases, ImeAttributes,
                         testing::Values(TAttributeCase{0, caInput},
                                         TAttributeCase{1, caTargetConverted},
                                         TAttributeCase{2, caConverted},
                                         TAttributeCase{3, caTargetNotConverted},
                                         TAttributeCase{4, caInput}, TAttributeCase{5, caConverted},
                                         TAttributeCase{200, caInput}));

TEST(ImeComposition, ClausesBecomeByteAttributesAndTheCaretAByteOffset) {
  // 東京と: the first clause converted and targeted, と still typed; the
  // caret after 京 (unit 2) is byte 4.
  const cp932::TValuedText Out = win32input::ComposedText(u"\u6771\u4EAC\u3068", {1, 1, 0}, 2);
  EXPECT_EQ(Out.Text, "\x93\x8C\x8B\x9E\x82\xC6");
  EXPECT_EQ(Out.Values,
            (std::vector<std::uint8_t>{caTargetConverted, caTargetConverted, caTargetConverted,
                                       caTargetConverted, caInput, caInput}));
  EXPECT_EQ(Out.Caret, 4);
}

TEST(ImeComposition, WithoutAttributesEverythingIsBeingTyped) {
  const cp932::TValuedText Out = win32input::ComposedText(u"\u3042a", {}, 2);
  EXPECT_EQ(Out.Text,
            "\x82\xA0"
            "a");
  EXPECT_EQ(Out.Values, (std::vector<std::uint8_t>{caInput, caInput, caInput}));
  EXPECT_EQ(Out.Caret, 3);
}

}  // namespace
