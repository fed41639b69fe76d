#pragma once
// The ten search sites and the rule that turns a keyword into their
// addresses. The index of a site is the picker's item index and the digit of
// the settings keys SITE0 to SITE9, so the order of the table never changes.

#include <array>
#include <string>
#include <string_view>

struct TSearchSite {
  const char* ItemText;  // the picker's item text (code page 932)
  const char* Base;      // "https://" and the host
  const char* Head;      // path and query text before the keyword
  const char* Tail;      // fixed query text after the keyword, often empty
};

constexpr int kSearchSiteCount = 10;

// The table, in site index order.
const std::array<TSearchSite, kSearchSiteCount>& SearchSites();

// True for 0 to 9.
inline bool IsSiteIndex(int Index) { return Index >= 0 && Index < kSearchSiteCount; }

// Base, head, the keyword exactly as given (no escaping, no trimming, no case
// change) and tail. Index must be a site index.
std::string SearchAddress(int Index, std::string_view Keyword);

// All ten addresses for a keyword, in site order.
std::array<std::string, kSearchSiteCount> SearchAddresses(std::string_view Keyword);

// One slot of the picker as the program uses it: the item text and the
// address, in which each "%s" stands for the keyword.
struct TSiteSlot {
  std::string ItemText;
  std::string Address;
};
using TSiteSlots = std::array<TSiteSlot, kSearchSiteCount>;

// The table as slots: base, head, "%s", tail.
TSiteSlots BuiltInSiteSlots();

// The slot's address with the keyword exactly as given in place of each
// "%s" (the keyword itself is not searched for "%s").
std::string SlotAddress(const TSiteSlot& Slot, std::string_view Keyword);
