#pragma once
// TStrings, the abstract list of texts, and TStringList, the list that the
// controls keep their items in.
//
// Every string carries an object slot: a pointer-sized integer that travels
// with its string through sorting, moving, exchanging and assignment. The
// controls keep per-item data words there; nothing is owned through it.
//
// Texts are compared ignoring case with the locale's rules
// (cp932::AnsiCompareText): ASCII and full-width letters fold, kana, kanji
// and the trail bytes of double-byte characters never do.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/Classes.h"

// What a sorted list does with a text it already holds.
enum TDuplicates {
  dupIgnore,  // Add returns the existing entry's index and adds nothing
  dupAccept,  // the new entry goes after the equal ones already there
  dupError,   // Add raises EStringListError
};

class TStrings : public TPersistent {
public:
  ~TStrings() override = default;

  virtual int Count() const = 0;
  virtual std::string Get(int Index) const = 0;
  // Replaces the text at Index, keeping its object.
  virtual void Put(int Index, const std::string& S);
  virtual std::intptr_t GetObject(int Index) const = 0;
  virtual void PutObject(int Index, std::intptr_t AObject) = 0;

  std::string Strings(int Index) const { return Get(Index); }
  std::string operator[](int Index) const { return Get(Index); }
  std::intptr_t Objects(int Index) const { return GetObject(Index); }

  // Appends S (a sorted list puts it at its sorted place); returns its index.
  virtual int Add(const std::string& S) { return AddObject(S, 0); }
  virtual int AddObject(const std::string& S, std::intptr_t AObject);
  void Insert(int Index, const std::string& S) { InsertObject(Index, S, 0); }
  // Index may equal Count() to append.
  virtual void InsertObject(int Index, const std::string& S, std::intptr_t AObject) = 0;
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;
  // Moves the entry at CurIndex, with its object, so that it ends at NewIndex.
  virtual void Move(int CurIndex, int NewIndex);
  virtual void Exchange(int Index1, int Index2);
  // Appends every entry of Strings with its object.
  void AddStrings(const TStrings* Strings);

  // The first entry equal to S ignoring case, or -1.
  virtual int IndexOf(const std::string& S) const;

  // "Name=Value" entries: the part before the first "=" is the name, found
  // ignoring case. "=" is never the trail byte of a double-byte character.
  int IndexOfName(const std::string& Name) const;
  std::string Names(int Index) const;
  std::string Values(const std::string& Name) const;
  std::string ValueFromIndex(int Index) const;

  // Every entry followed by CR LF ("a\r\nb\r\n"); empty for an empty list.
  std::string Text() const;
  // Replaces the entries by the lines of Value. A line ends at CR LF, CR or
  // LF; a line break at the very end does not start another entry.
  void SetText(const std::string& Value);

  // Copies the strings and objects of another TStrings: clears, adds in order
  // and signals one change at the end. Assigning a list to itself changes
  // nothing.
  void Assign(const TPersistent* Source) override;

  // A counted bracket: changes inside it are announced once, at the final
  // EndUpdate, if anything changed. An EndUpdate without BeginUpdate is
  // ignored.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

protected:
  // Announce a change about to happen and a change done. TStrings itself
  // announces nothing; TStringList fires its events.
  virtual void Changing() {}
  virtual void Changed() {}
  // The bracket opened (true) or closed (false).
  virtual void SetUpdateState(bool Updating) {}

  [[noreturn]] static void IndexError(int Index);

private:
  int FUpdateCount = 0;
};

class TStringList : public TStrings {
public:
  TStringList() = default;
  ~TStringList() override = default;

  int Count() const override { return static_cast<int>(FList.size()); }
  std::string Get(int Index) const override;
  void Put(int Index, const std::string& S) override;
  std::intptr_t GetObject(int Index) const override;
  void PutObject(int Index, std::intptr_t AObject) override;

  int AddObject(const std::string& S, std::intptr_t AObject) override;
  void InsertObject(int Index, const std::string& S, std::intptr_t AObject) override;
  void Delete(int Index) override;
  void Clear() override;
  void Move(int CurIndex, int NewIndex) override;
  void Exchange(int Index1, int Index2) override;
  int IndexOf(const std::string& S) const override;

  // In a sorted list: true when S is there, Index the first equal entry;
  // otherwise Index is where S would go. Binary search, so only meaningful
  // while Sorted.
  bool Find(const std::string& S, int& Index) const;

  // Sorts ignoring case, keeping entries that compare equal in their order;
  // objects move with their strings.
  void Sort();

  bool Sorted() const { return FSorted; }
  // Switching it on sorts at once; switching it off keeps the order. While a
  // list is sorted, operations that would put an entry at a chosen place
  // (Insert, Put, Move, Exchange) raise EStringListError.
  void SetSorted(bool Value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  void Changing() override;
  void Changed() override;
  void SetUpdateState(bool Updating) override;

private:
  struct TStringItem {
    std::string String;
    std::intptr_t Object = 0;
  };

  void CheckIndex(int Index) const;
  void CheckUnsorted() const;
  // The position after every entry that compares equal to S.
  int SortedInsertPos(const std::string& S) const;
  void InsertItem(int Index, const std::string& S, std::intptr_t AObject);

  std::vector<TStringItem> FList;
  bool FSorted = false;
  TDuplicates FDuplicates = dupAccept;
  // Inside the update bracket: whether OnChanging went out and whether
  // anything changed since it opened.
  bool FChangingSent = false;
  bool FChangedInUpdate = false;
};
