#include "framework/core/SysUtils.h"

#include "platform/profile/ProfileValues.h"

int StrToInt(std::string_view Text) {
  std::optional<std::int32_t> Value = profile::ParseWholeNumber(Text);
  if (!Value) throw EConvertError(FormatMessage(messages::kNotAnInteger, {Text}));
  return *Value;
}

int StrToIntDef(std::string_view Text, int Default) {
  return profile::ParseWholeNumber(Text).value_or(Default);
}

bool TryStrToInt(std::string_view Text, int& Value) {
  std::optional<std::int32_t> Parsed = profile::ParseWholeNumber(Text);
  if (!Parsed) return false;
  Value = *Parsed;
  return true;
}

std::string IntToStr(std::int64_t Value) { return std::to_string(Value); }
