#include "app/SearchCommand.h"

#include <array>

#include "app/SearchSites.h"
#include "platform/shell/Shell.h"

void OpenAddress(HWND Owner, const std::string& Address) {
  ShellExecute(Owner, "OPEN", Address, "", "", SW_SHOW);
}

TSearchOutcome RunSearch(TKeywordBox& Keyword, const TSitePicker& Sites, HWND Owner) {
  return RunSearch(Keyword, Sites, Owner, BuiltInSiteSlots());
}

TSearchOutcome RunSearch(TKeywordBox& Keyword, const TSitePicker& Sites, HWND Owner,
                         const TSiteSlots& Slots) {
  if (Keyword.Text().empty()) return soEmptyKeyword;
  // The history comes first, whether or not any site will be opened.
  Keyword.AddText(Keyword.Text());
  std::array<std::string, kSearchSiteCount> Addresses;
  for (int Index = 0; Index < kSearchSiteCount; ++Index)
    Addresses[Index] = SlotAddress(Slots[Index], Keyword.Text());
  int Opened = 0;
  for (int Index = 0; Index < kSearchSiteCount; ++Index) {
    if (!Sites.GetChecked(Index)) continue;
    OpenAddress(Owner, Addresses[Index]);
    ++Opened;
  }
  if (Opened > 0) return soTickedSites;
  const int Current = Sites.ItemIndex();
  // An index outside the table (none, or a stored one the picker kept) has
  // no address: opening nothing is the only safe answer.
  if (!IsSiteIndex(Current)) return soNothingOpened;
  OpenAddress(Owner, Addresses[Current]);
  return soCurrentSite;
}
