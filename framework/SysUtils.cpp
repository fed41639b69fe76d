#include "framework/SysUtils.h"

#include "platform/text/Numbers.h"

int StrToInt(std::string_view Text) {
  std::optional<std::int32_t> Value = numbers::ParseInt32(Text);
  if (!Value) throw EConvertError(FormatMessage(messages::kNotAnInteger, {Text}));
  return *Value;
}

int StrToIntDef(std::string_view Text, int Default) {
  return numbers::ParseInt32(Text).value_or(Default);
}

bool TryStrToInt(std::string_view Text, int& Value) {
  std::optional<std::int32_t> Parsed = numbers::ParseInt32(Text);
  if (!Parsed) return false;
  Value = *Parsed;
  return true;
}

std::string IntToStr(std::int64_t Value) { return std::to_string(Value); }
