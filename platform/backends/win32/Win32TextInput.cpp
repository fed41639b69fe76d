#include "platform/backends/win32/Win32TextInput.h"

#include "platform/backends/Backend.h"

namespace win32input {

std::uint8_t CompositionAttributeOf(std::uint8_t ImeAttribute) {
  // ATTR_INPUT 0, ATTR_TARGET_CONVERTED 1, ATTR_CONVERTED 2,
  // ATTR_TARGET_NOTCONVERTED 3, ATTR_INPUT_ERROR 4, ATTR_FIXEDCONVERTED 5.
  switch (ImeAttribute) {
    case 1:
      return caTargetConverted;
    case 2:
    case 5:
      return caConverted;
    case 3:
      return caTargetNotConverted;
    default:
      return caInput;
  }
}

cp932::TValuedText ComposedText(const std::u16string& Text,
                                const std::vector<std::uint8_t>& ImeAttributes, int Caret) {
  std::vector<std::uint8_t> Attributes(Text.size(), caInput);
  for (std::size_t I = 0; I < Attributes.size() && I < ImeAttributes.size(); ++I)
    Attributes[I] = CompositionAttributeOf(ImeAttributes[I]);
  return cp932::FromUtf16WithValues(Text, Attributes, Caret);
}

}  // namespace win32input
