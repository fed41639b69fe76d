#pragma once
// Section "Sites" of Scoutlane.ini: the user's own sites in place of
// built-in ones. "Name3" and "URL3" replace slot 3's item text and address;
// "%s" in the address is where the keyword goes. A slot without entries
// keeps its built-in site, and there are always ten slots, so the ticks
// and the current site of section "SET" keep their meaning. The program
// only reads the section (once, at start), so the user's text stays as
// written.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/SearchSites.h"

inline constexpr const char* kSitesSection = "Sites";

// An address the program will hand to the browser: http:// or https://, a
// host, and "%s" after the host. Anything else (javascript:, file:, no
// keyword mark) is refused.
bool IsAcceptedSiteAddress(std::string_view Address);

struct TSitesReading {
  TSiteSlots Slots;
  // One line per refused slot, naming it.
  std::vector<std::string> Notices;
};

// The built-in slots with the section's entries applied. A refused address
// or name leaves the whole slot built in.
TSitesReading ReadSiteSlots(const std::string& Path);

// Text cut to fit Width pixels as Measure measures it, ending in "..."
// when cut; never splits a double-byte character.
std::string FitItemText(const std::string& Text, int Width,
                        const std::function<int(std::string_view)>& Measure);
