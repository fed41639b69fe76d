#pragma once
// A settings (private profile, INI) file held in memory as its lines, so that
// edits change only what they must and every other byte is written back as it
// was read: unknown sections, comments, odd bytes and each line's own line end.
//
// How bytes are read:
// - Lines end at CR LF, at a lone LF and at a lone CR; each line keeps the end
//   it had (or none, for a last line without one). New lines get CR LF. CR and
//   LF are never the trail byte of a double-byte character, so lines are split
//   byte by byte; inside a line everything is read character by character,
//   because the trail byte of a code page 932 character can be "\", "[", "]" or
//   an ASCII letter (ソ is 83 5C, ゾ is 83 5D, ア is 83 41, ヂ is 83 61).
// - Blanks are spaces and tabs.
// - A section line is a line whose first non-blank character is "[" and that
//   has a "]" character after it; the name is the text between the "[" and the
//   last "]", without surrounding blanks. Text after the "]" is ignored.
// - A comment is a line whose first non-blank character is ";".
// - A key line is any other line holding "="; the key is the text before the
//   first "=", without surrounding blanks, and the value is everything after
//   that "=" up to the line end, exactly as stored: blanks around a value are
//   not trimmed and quotes are not removed. The system writes values without
//   surrounding blanks and relies only on reading back what it wrote, and a
//   history entry made of blanks must come back as it was.
// - Every other line (blank lines, text without "=", lines before the first
//   section) is kept and ignored.
// - Section and key names compare without regard to letter case, by
//   cp932::AnsiSameText, which folds ASCII and full-width letters but never a
//   trail byte. Names given by callers are taken without surrounding blanks.
// - Duplicates: a read uses the first section of a name and the first key of a
//   name in it; a write changes the first ones. Erasing a section removes every
//   section of that name, so that no stale duplicate shows through afterwards.
//
// NUL bytes, invalid double-byte sequences and a lead byte at the very end are
// just bytes: they are kept and never read past.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace profile {

class TProfileDocument {
public:
  // An empty file.
  TProfileDocument();

  // Reads any bytes; never fails. Serialize() gives the same bytes back.
  static TProfileDocument Parse(std::string_view Bytes);
  std::string Serialize() const;

  bool SectionExists(std::string_view Section) const;

  // The stored value of Key in Section, exactly as it stands after the "=", or
  // nullopt when the section or the key is missing. The view lives until the
  // next edit. Reads apply ValueAsRead (ProfileValues.h) to it.
  std::optional<std::string_view> FindValue(std::string_view Section, std::string_view Key) const;

  // The key names of Section in file order, each name once, spelled as stored.
  std::vector<std::string> KeyNames(std::string_view Section) const;

  // Replaces the value of an existing key where it stands (the line keeps its
  // key spelling, the blanks before "=" and its line end); a new key goes after
  // the last key line of its section (so comments and blank lines at the end of
  // the section stay in front of the next section); a new section goes at the
  // end of the file. A last line that had no line end gets CR LF before
  // anything is added after it.
  //
  // A line cannot hold a line break, and a zero-terminated reader stops at NUL:
  // names and the value end at the first CR, LF or NUL they hold. A key that
  // the format cannot hold, because its line would read back as something
  // else (a key beginning with "[" or ";", or holding "="), is not written and
  // the result is false; the system's own names are never such.
  bool SetValue(std::string_view Section, std::string_view Key, std::string_view Value);

  // Removes the section line and every key line of each section named Section.
  // All other lines stay, byte for byte: comments and blank lines that were in
  // the section now follow the section before it, where they are still ignored.
  // One exception keeps the lines apart: a line ending in a lone CR that comes
  // to stand before an empty line ending in LF gets CR LF, since "\r" "\n"
  // would read back as a single line end.
  void EraseSection(std::string_view Section);

private:
  enum class TLineEnd : unsigned char { leNone, leCrLf, leLf, leCr };
  enum class TLineKind : unsigned char { lkOther, lkSection, lkKey };

  struct TLine {
    std::string Text;  // without the line end
    TLineEnd End = TLineEnd::leNone;
    TLineKind Kind = TLineKind::lkOther;
    // Key lines: the key is Text[KeyBegin, KeyEnd), the value starts after "=".
    std::size_t KeyBegin = 0, KeyEnd = 0, ValueBegin = 0;
    std::string_view Key() const {
      return std::string_view(Text).substr(KeyBegin, KeyEnd - KeyBegin);
    }
  };

  // A section line and the lines after it up to the next section line. The
  // lines before the first section form a section without header.
  struct TSection {
    std::optional<TLine> Header;
    std::string FoldedName;
    std::vector<TLine> Lines;
    // Folded key name -> index in Lines of its first key line.
    std::unordered_map<std::string, std::size_t> KeyIndex;
    // Index of the last key line, where new keys go after; npos when none.
    std::size_t LastKeyLine = std::string::npos;
  };

  static TLine ClassifyLine(std::string Text, TLineEnd End, std::string* SectionName);
  void AddLine(TLine Line, const std::string& SectionName);
  void RebuildSectionIndex();
  const TSection* FindSection(const std::string& FoldedName) const;
  TLine* LastLineOfFile();

  std::vector<TSection> FSections;  // [0] holds the lines before the first section
  // Folded section name -> index in FSections of its first section.
  std::unordered_map<std::string, std::size_t> FSectionIndex;
};

// A name as names compare: without surrounding blanks, letters folded to upper
// case by the code page's rules.
std::string FoldProfileName(std::string_view Name);

}  // namespace profile
