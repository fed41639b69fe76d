#include "app/SiteSettings.h"

#include <cctype>

#include "framework/core/IniFiles.h"
#include "platform/text/Cp932.h"

namespace {

std::string_view Trimmed(std::string_view Text) {
  while (!Text.empty() && (Text.front() == ' ' || Text.front() == '\t')) Text.remove_prefix(1);
  while (!Text.empty() && (Text.back() == ' ' || Text.back() == '\t')) Text.remove_suffix(1);
  return Text;
}

bool StartsWithNoCase(std::string_view Text, std::string_view Prefix) {
  if (Text.size() < Prefix.size()) return false;
  for (std::size_t I = 0; I < Prefix.size(); ++I)
    if (std::tolower(static_cast<unsigned char>(Text[I])) != Prefix[I]) return false;
  return true;
}

// Text that code page 932 holds, without control characters (a line break
// or a NUL byte in an address or an item would be no text of ours).
bool IsPlainCp932(std::string_view Text) {
  for (char C : Text)
    if (static_cast<unsigned char>(C) < 0x20 || C == 0x7F) return false;
  return cp932::ToUtf8(Text).has_value();
}

}  // namespace

bool IsAcceptedSiteAddress(std::string_view Address) {
  std::size_t HostStart = 0;
  if (StartsWithNoCase(Address, "https://"))
    HostStart = 8;
  else if (StartsWithNoCase(Address, "http://"))
    HostStart = 7;
  else
    return false;
  if (!IsPlainCp932(Address)) return false;
  const std::size_t HostEnd = Address.find_first_of("/?#", HostStart);
  const std::string_view Host = Address.substr(HostStart, HostEnd - HostStart);
  // The keyword never decides which host is asked.
  if (Host.empty() || Host.find('%') != std::string_view::npos) return false;
  return HostEnd != std::string_view::npos && Address.find("%s", HostEnd) != std::string_view::npos;
}

TSitesReading ReadSiteSlots(const std::string& Path) {
  TSitesReading Reading;
  Reading.Slots = BuiltInSiteSlots();
  TIniFile Ini(Path);
  if (!Ini.SectionExists(kSitesSection)) return Reading;
  for (int Index = 0; Index < kSearchSiteCount; ++Index) {
    const std::string NameKey = "Name" + std::to_string(Index);
    const std::string UrlKey = "URL" + std::to_string(Index);
    const bool HasName = Ini.ValueExists(kSitesSection, NameKey);
    const bool HasUrl = Ini.ValueExists(kSitesSection, UrlKey);
    if (!HasName && !HasUrl) continue;
    TSiteSlot Slot = Reading.Slots[Index];
    const std::string SlotLabel = std::to_string(Index);
    if (HasUrl) {
      const std::string Url(Trimmed(Ini.ReadString(kSitesSection, UrlKey, "")));
      if (!IsAcceptedSiteAddress(Url)) {
        Reading.Notices.push_back("[Sites] URL" + SlotLabel +
                                  " は http:// か https:// で始まり %s を含むアドレスでないため、"
                                  "使いません。");
        continue;
      }
      Slot.Address = Url;
    }
    if (HasName) {
      const std::string Name(Trimmed(Ini.ReadString(kSitesSection, NameKey, "")));
      if (!IsPlainCp932(Name)) {
        Reading.Notices.push_back("[Sites] Name" + SlotLabel +
                                  " にはこのプログラムで扱えない文字があるため、使いません。");
        continue;
      }
      if (!Name.empty()) Slot.ItemText = Name;
    }
    Reading.Slots[Index] = std::move(Slot);
  }
  return Reading;
}

std::string FitItemText(const std::string& Text, int Width,
                        const std::function<int(std::string_view)>& Measure) {
  if (Measure(Text) <= Width) return Text;
  constexpr std::string_view kEllipsis = "...";
  std::size_t Length = 0;
  for (std::size_t Next = 0; Next < Text.size(); Next = cp932::NextCharPos(Text, Next)) {
    std::string Candidate = Text.substr(0, Next);
    Candidate += kEllipsis;
    if (Measure(Candidate) > Width) break;
    Length = Next;
  }
  std::string Cut = Text.substr(0, Length);
  Cut += kEllipsis;
  return Cut;
}
