#include "app/SearchSites.h"

#include "platform/core/Exception.h"

const std::array<TSearchSite, kSearchSiteCount>& SearchSites() {
  // Every service answers on HTTPS. Asking there first keeps the keyword,
  // which rides in the query, off the network in clear text even when the
  // browser does not know the host's HSTS policy yet.
  static const std::array<TSearchSite, kSearchSiteCount> Table{{
      {"Google", "https://www.google.co.jp", "/search?q=", "&hl=ja"},
      {"Yahoo! Japan", "https://search.yahoo.co.jp", "/search?p=", "&hc=0&hs=0"},
      {"bing", "https://www.bing.com", "/search?q=", "&cc=jp"},
      {"WikiPedia", "https://ja.wikipedia.org", "/wiki/", ""},
      {"twitter", "https://twitter.com", "/search?q=", ""},
      {"Google News", "https://news.google.co.jp", "/news?q=", "&hl=ja&ned=jp"},
      // The language value is left empty on purpose: the site then picks it.
      {"Google Maps", "https://maps.google.co.jp", "/maps?q=", "&hl="},
      {"YouTube", "https://www.youtube.com", "/results?search_query=", "&gl=JP&hl=ja"},
      {"ニコニコ動画", "https://www.nicovideo.jp", "/search/", ""},
      {"Amazon", "https://www.amazon.co.jp", "/s?ie=UTF8&keywords=", "&index=blended"},
  }};
  return Table;
}

std::string SearchAddress(int Index, std::string_view Keyword) {
  if (!IsSiteIndex(Index))
    throw EListError(FormatMessage(messages::kListIndexOutOfBounds, {std::to_string(Index)}));
  const TSearchSite& Site = SearchSites()[Index];
  std::string Address = Site.Base;
  Address += Site.Head;
  Address += Keyword;
  Address += Site.Tail;
  return Address;
}

std::array<std::string, kSearchSiteCount> SearchAddresses(std::string_view Keyword) {
  std::array<std::string, kSearchSiteCount> Addresses;
  for (int I = 0; I < kSearchSiteCount; ++I) Addresses[I] = SearchAddress(I, Keyword);
  return Addresses;
}

TSiteSlots BuiltInSiteSlots() {
  TSiteSlots Slots;
  for (int I = 0; I < kSearchSiteCount; ++I) {
    const TSearchSite& Site = SearchSites()[I];
    Slots[I].ItemText = Site.ItemText;
    Slots[I].Address = std::string(Site.Base) + Site.Head + "%s" + Site.Tail;
  }
  return Slots;
}

std::string SlotAddress(const TSiteSlot& Slot, std::string_view Keyword) {
  std::string Address;
  std::size_t From = 0;
  for (;;) {
    const std::size_t Mark = Slot.Address.find("%s", From);
    Address.append(Slot.Address, From, Mark == std::string::npos ? std::string::npos : Mark - From);
    if (Mark == std::string::npos) return Address;
    Address += Keyword;
    From = Mark + 2;
  }
}
