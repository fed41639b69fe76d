#pragma once
// Fonts a test or benchmark controls: bitmap fonts written as BDF text, and a
// fontconfig configuration of its own (font directories, a private cache and
// scan rules), put in place through FONTCONFIG_FILE for the rest of the
// process until it is restored.
//
//   privatefonts::WriteBdf(Dir / "a.bdf", "Scout Bitmap");
//   privatefonts::WriteConfig(Dir, {Dir.string()}, Rules);
//   std::string Old = privatefonts::Use(Dir / "fonts.conf");
//   ...
//   privatefonts::Restore(Old);

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/fonts/FontEnum.h"

namespace privatefonts {

// Every printable character of the bitmap fonts is this 5x7 frame standing
// on the baseline, in a 6-pixel cell; the space is blank. Ascent 7,
// descent 1: the text height is 8.
inline const std::vector<std::string> kGlyph = {"#####", "#...#", "#...#", "#...#",
                                                "#...#", "#...#", "#####"};

inline void WriteBdf(const std::filesystem::path& Path, const std::string& Family) {
  std::ofstream Out(Path);
  Out << "STARTFONT 2.1\n"
      << "FONT -test-" << Family << "-medium-r-normal--8-80-75-75-c-60-iso10646-1\n"
      << "SIZE 8 75 75\nFONTBOUNDINGBOX 5 7 0 0\n"
      << "STARTPROPERTIES 8\n"
      << "FAMILY_NAME \"" << Family << "\"\nWEIGHT_NAME \"Medium\"\nSLANT \"R\"\n"
      << "PIXEL_SIZE 8\nFONT_ASCENT 7\nFONT_DESCENT 1\n"
      << "CHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\nENDPROPERTIES\n"
      << "CHARS " << (0x7F - 0x20) << "\n";
  for (int Code = 0x20; Code < 0x7F; ++Code) {
    Out << "STARTCHAR C" << Code << "\nENCODING " << Code << "\nSWIDTH 750 0\nDWIDTH 6 0\n";
    if (Code == ' ') {
      Out << "BBX 1 1 0 0\nBITMAP\n00\nENDCHAR\n";
      continue;
    }
    Out << "BBX 5 7 0 0\nBITMAP\n";
    for (const std::string& Row : kGlyph) {
      unsigned Bits = 0;
      for (int X = 0; X < 5; ++X)
        if (Row[X] == '#') Bits |= 0x80u >> X;
      char Hex[4];
      std::snprintf(Hex, sizeof Hex, "%02X", Bits);
      Out << Hex << "\n";
    }
    Out << "ENDCHAR\n";
  }
  Out << "ENDFONT\n";
}

// Dir/fonts.conf: the font directories, a cache in Dir/cache, and Rules
// (fontconfig XML elements) after them.
inline void WriteConfig(const std::filesystem::path& Dir, const std::vector<std::string>& FontDirs,
                        const std::string& Rules = "") {
  std::ofstream Out(Dir / "fonts.conf");
  Out << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n";
  for (const std::string& FontDir : FontDirs) Out << "  <dir>" << FontDir << "</dir>\n";
  Out << "  <cachedir>" << (Dir / "cache").string() << "</cachedir>\n"
      << Rules << "</fontconfig>\n";
}

// Makes the process use Config from now on; answers the FONTCONFIG_FILE it
// replaced (empty when there was none).
inline std::string Use(const std::filesystem::path& Config) {
  std::string Old;
  if (const char* Value = std::getenv("FONTCONFIG_FILE")) Old = Value;
  setenv("FONTCONFIG_FILE", Config.c_str(), 1);
  ReloadFontConfiguration();
  return Old;
}

inline void Restore(const std::string& Old) {
  if (Old.empty())
    unsetenv("FONTCONFIG_FILE");
  else
    setenv("FONTCONFIG_FILE", Old.c_str(), 1);
  ReloadFontConfiguration();
}

}  // namespace privatefonts
