// Face locators (GdiFonts.h): plain text, so they are built here, on every
// system, and tested where the tests run fastest.

#include <cstdlib>

#include "platform/fonts/GdiFonts.h"

namespace gdifonts {

namespace {
constexpr std::size_t kPrefixLength = sizeof kFaceLocatorPrefix - 1;
}

std::string EncodeFaceLocator(const std::string& Identity, const TGdiRequest& Request) {
  std::string Locator = kFaceLocatorPrefix + Identity;
  // A line break cannot be part of a face name, but an identity from a
  // font's own name table might hold one.
  for (char& C : Locator)
    if (C == '\n') C = ' ';
  for (int Number : {Request.Height, Request.Weight, Request.Italic ? 1 : 0, Request.Charset,
                     Request.PitchAndFamily})
    Locator += "\n" + std::to_string(Number);
  return Locator + "\n" + Request.Face;
}

std::string LocatorIdentity(const std::string& Locator) {
  return Locator.substr(0, Locator.find('\n'));
}

bool DecodeFaceLocator(const std::string& Locator, TGdiRequest* Request) {
  if (Locator.compare(0, kPrefixLength, kFaceLocatorPrefix) != 0) return false;
  std::size_t Pos = Locator.find('\n');
  int Numbers[5];
  for (int& Number : Numbers) {
    if (Pos == std::string::npos) return false;
    const char* Start = Locator.c_str() + Pos + 1;
    char* End = nullptr;
    long Value = std::strtol(Start, &End, 10);
    if (End == Start || *End != '\n') return false;
    Number = static_cast<int>(Value);
    Pos = static_cast<std::size_t>(End - Locator.c_str());
  }
  Request->Height = Numbers[0];
  Request->Weight = Numbers[1];
  Request->Italic = Numbers[2] != 0;
  Request->Charset = Numbers[3];
  Request->PitchAndFamily = Numbers[4];
  Request->Face = Locator.substr(Pos + 1);
  return true;
}

}  // namespace gdifonts
