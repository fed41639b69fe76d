// The combo box's completion while typing, as a pure function of the list,
// the field's text and selection, and the typed character.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/StringList.h"
#include "framework/stdctrls/ComboBox.h"

namespace {

struct TTypeAheadCase {
  const char* Name;
  std::vector<std::string> Items;
  TTypeAheadEdit Before;
  std::string Char;
  int MaxLength;
  bool Consumed;
  bool Changed;
  TTypeAheadEdit After;  // when Changed
  int ItemIndex;
};

// Katakana "ト" (0x83 0x67) and "ラ" (0x83 0x89): the trail byte of ト is
// the ASCII code of 'g', which must never fold or match a 'G'.
const std::string To = "\x83\x67";
const std::string Ra = "\x83\x89";
const std::string Kanji = "\x8C\x9F";  // 検

const std::vector<std::string> kHistory = {"weather", "train", "museum"};

class TComboTypeAheadTest : public ::testing::TestWithParam<TTypeAheadCase> {};

TEST_P(TComboTypeAheadTest, Completes) {
  const TTypeAheadCase& C = GetParam();
  TStringList Items;
  for (const std::string& S : C.Items) Items.Add(S);
  const TTypeAheadResult R = ComboTypeAhead(Items, C.Before, C.Char, C.MaxLength);
  EXPECT_EQ(R.Consumed, C.Consumed);
  EXPECT_EQ(R.Changed, C.Changed);
  if (C.Changed) {
    EXPECT_EQ(R.Edit.Text, C.After.Text);
    EXPECT_EQ(R.Edit.SelStart, C.After.SelStart);
    EXPECT_EQ(R.Edit.SelLength, C.After.SelLength);
  }
  EXPECT_EQ(R.ItemIndex, C.ItemIndex);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TComboTypeAheadTest,
    ::testing::Values(
        // The typed letter keeps its case; the rest comes from the entry.
        TTypeAheadCase{"UpperT", kHistory, {"", 0, 0}, "T", 0, true, true, {"Train", 1, 4}, 1},
        // Typing over the completed tail: candidate "Tx" matches nothing and
        // the key goes on to replace the selection.
        TTypeAheadCase{
            "TxAfterCompletion", kHistory, {"Train", 1, 4}, "x", 0, false, false, {}, -1},
        // Over the completed tail, the next matching letter completes again.
        TTypeAheadCase{
            "TrAfterCompletion", kHistory, {"Train", 1, 4}, "R", 0, true, true, {"TRain", 2, 3}, 1},
        // The first matching entry in list order wins.
        TTypeAheadCase{"FirstInOrder",
                       {"museum", "music", "mu"},
                       {"m", 1, 0},
                       "u",
                       0,
                       true,
                       true,
                       {"museum", 2, 4},
                       0},
        // Whole text plus the character when nothing is selected, even with
        // the caret inside the text.
        TTypeAheadCase{
            "CaretInside", kHistory, {"mus", 1, 0}, "e", 0, true, true, {"museum", 4, 2}, 2},
        // The text after a selection is not part of the candidate.
        TTypeAheadCase{
            "SelectionInside", kHistory, {"wxyz", 1, 2}, "e", 0, true, true, {"weather", 2, 5}, 0},
        TTypeAheadCase{
            "ExactWholeEntry", kHistory, {"trai", 4, 0}, "n", 0, true, true, {"train", 5, 0}, 1},
        TTypeAheadCase{"NoMatch", kHistory, {"", 0, 0}, "z", 0, false, false, {}, -1},
        TTypeAheadCase{"EmptyList", {}, {"", 0, 0}, "t", 0, false, false, {}, -1},
        TTypeAheadCase{"Escape", kHistory, {"t", 1, 0}, "\x1B", 0, false, false, {}, -1},
        TTypeAheadCase{"Tab", kHistory, {"t", 1, 0}, "\t", 0, false, false, {}, -1},
        TTypeAheadCase{"EnterIsNoCharacter", {"a\rb"}, {"a", 1, 0}, "\r", 0, false, false, {}, -1},
        // Backspace: the selection, else the character before the caret.
        TTypeAheadCase{
            "BackspaceSelection", kHistory, {"Train", 1, 4}, "\b", 0, true, true, {"T", 1, 0}, -1},
        TTypeAheadCase{
            "BackspaceChar", kHistory, {"trains", 6, 0}, "\b", 0, true, true, {"train", 5, 0}, -1},
        TTypeAheadCase{
            "BackspaceMidText", kHistory, {"tram", 2, 0}, "\b", 0, true, true, {"tam", 1, 0}, -1},
        TTypeAheadCase{"BackspaceDoubleByte",
                       {},
                       {"a" + To + Ra, 5, 0},
                       "\b",
                       0,
                       true,
                       true,
                       {"a" + To, 3, 0},
                       -1},
        TTypeAheadCase{"BackspaceAtStart", kHistory, {"abc", 0, 0}, "\b", 0, true, false, {}, -1},
        // Double-byte characters: both bytes make the candidate.
        TTypeAheadCase{"DoubleByte",
                       {"x", To + Ra + Kanji},
                       {"", 0, 0},
                       To,
                       0,
                       true,
                       true,
                       {To + Ra + Kanji, 2, 4},
                       1},
        TTypeAheadCase{"DoubleByteSecond",
                       {To + Ra + Kanji},
                       {To + Ra + Kanji, 2, 4},
                       Ra,
                       0,
                       true,
                       true,
                       {To + Ra + Kanji, 4, 2},
                       0},
        // ト's trail byte is 'g' and エ's (0x83 0x47) is 'G': trail bytes
        // never fold, so ト is no prefix of エ.
        TTypeAheadCase{
            "TrailByteNeverFolds", {"\x83\x47x"}, {"", 0, 0}, To, 0, false, false, {}, -1},
        // Case folds for ASCII and full-width letters alike.
        TTypeAheadCase{"FullWidthFolds",
                       {"\x82\x60\x82\x61"},
                       {"", 0, 0},
                       "\x82\x81",
                       0,
                       true,
                       true,
                       {"\x82\x81\x82\x61", 2, 2},
                       0},
        // A completion past MaxLength is left to the field's own limit.
        TTypeAheadCase{"MaxLength", kHistory, {"", 0, 0}, "w", 4, false, false, {}, -1}),
    [](const ::testing::TestParamInfo<TTypeAheadCase>& Info) { return Info.param.Name; });

}  // namespace
