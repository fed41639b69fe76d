#include "app/SearchSites.h"

#include "platform/core/Exception.h"

const std::array<TSearchSite, kSearchSiteCount>& SearchSites() {
  static const std::array<TSearchSite, kSearchSiteCount> Table{{
      {"Google", "http://www.google.co.jp", "/search?q=", "&hl=ja"},
      {"Yahoo! Japan", "http://search.yahoo.co.jp", "/search?p=", "&hc=0&hs=0"},
      {"bing", "http://www.bing.com", "/search?q=", "&cc=jp"},
      {"WikiPedia", "http://ja.wikipedia.org", "/wiki/", ""},
      {"twitter", "http://twitter.com", "/search?q=", ""},
      {"Google News", "http://news.google.co.jp", "/news?q=", "&hl=ja&ned=jp"},
      // The language value is left empty on purpose: the site then picks it.
      {"Google Maps", "http://maps.google.co.jp", "/maps?q=", "&hl="},
      {"YouTube", "http://www.youtube.com", "/results?search_query=", "&gl=JP&hl=ja"},
      {"ニコニコ動画", "http://www.nicovideo.jp", "/search/", ""},
      {"Amazon", "http://www.amazon.co.jp", "/s?ie=UTF8&keywords=", "&index=blended"},
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
