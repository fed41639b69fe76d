#pragma once
// The framework's system helpers: the error classes, whole-number conversion,
// and the executable's paths, under the names the controls use.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/Exception.h"
#include "platform/files/Path.h"
#include "platform/files/SettingsFolder.h"
#include "platform/text/Cp932.h"

// Text to a 32-bit whole number by the settings file's rule
// (platform/profile/ProfileValues.h: decimal within the 32-bit signed range,
// or hexadecimal after "$" or "0x" taken as the 32-bit pattern, so
// "$FFFFFFFF" is -1; no blanks, nothing after the digits), so that a number
// means the same to every reader. StrToInt raises EConvertError "'<text>' は整数ではありません" for
// text that is no whole number; StrToIntDef gives Default instead;
// TryStrToInt reports it and leaves Value alone.
int StrToInt(std::string_view Text);
int StrToIntDef(std::string_view Text, int Default);
bool TryStrToInt(std::string_view Text, int& Value);

// Decimal text, with "-" for negative values.
std::string IntToStr(std::int64_t Value);

// The running executable's path and its directory (ending with "/"), and
// the folder the settings files lie in (files/SettingsFolder.h: beside the
// executable, or the user's own folder when that one is not writable).
using files::ExecutableDirectory;
using files::ExecutablePath;
using files::ExtractFileExt;
using files::ExtractFileName;
using files::ExtractFilePath;
using files::PrepareSettingsFolder;
using files::SettingsDirectory;

// Comparison and upper-casing with the locale's rules (ASCII and full-width
// letters fold, kana, kanji and trail bytes do not).
using cp932::AnsiCompareText;
using cp932::AnsiSameText;
using cp932::AnsiUpperCase;
