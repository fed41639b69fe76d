#pragma once
// The search itself: record the keyword, then open one address per ticked
// site in site order, or the current item's site when none is ticked.
//
// The command sees the keyword box and the site picker only through the two
// small interfaces below, so it runs the same against the real controls and
// against the stand-ins of the tests.

#include <string>

#include "app/SearchSites.h"
#include "platform/window/WinDefs.h"

// What the search needs of the keyword box.
class TKeywordBox {
public:
  virtual ~TKeywordBox() = default;
  // The text of the box's edit field.
  virtual std::string Text() const = 0;
  // Moves or inserts the keyword at the top of the history.
  virtual void AddText(const std::string& Keyword) = 0;
  // Empties the list of earlier keywords (not the text shown) and saves the
  // emptied history at once.
  virtual void ClearHistory() = 0;
  // The box has the keyboard focus.
  virtual bool HasFocus() const { return false; }
  // Takes the keyboard focus with its whole text selected, so that what the
  // user types next replaces it.
  virtual void FocusWithTextSelected() {}
};

// What the search and the settings need of the site picker.
class TSitePicker {
public:
  virtual ~TSitePicker() = default;
  // The current item, -1 when there is none.
  virtual int ItemIndex() const = 0;
  virtual void SetItemIndex(int Index) = 0;
  virtual bool GetChecked(int Index) const = 0;
  virtual void SetChecked(int Index, bool Checked) = 0;
};

// Hands Address to the desktop shell the way every request of the program
// does: owner Owner, verb "OPEN", no parameters, no working directory,
// SW_SHOW. The result is not examined: a browser that cannot be started is
// no reason to stop the other sites.
void OpenAddress(HWND Owner, const std::string& Address);

enum TSearchOutcome {
  soEmptyKeyword,  // nothing recorded, nothing opened: the caller tells the user
  soTickedSites,   // the keyword was recorded and every ticked site opened
  soCurrentSite,   // no tick: the keyword was recorded and the current item's site opened
  soNothingOpened  // no tick and no current item: the keyword was recorded only
};

// Runs the search for the keyword the box holds now, on the given slots
// (the built-in sites unless the settings file replaces some).
TSearchOutcome RunSearch(TKeywordBox& Keyword, const TSitePicker& Sites, HWND Owner,
                         const TSiteSlots& Slots);
TSearchOutcome RunSearch(TKeywordBox& Keyword, const TSitePicker& Sites, HWND Owner);
