#pragma once
// Sorted rows of the Strings section, for binary-search lookups at run time.
//
// TlcSortCollection sorts its items with a caller's comparison (quicksort, middle item as
// pivot, items swapped by moving their indexes, inside one update bracket).
// TlcStringsCollection holds one TlcStringsCollectionItem per Strings line: the key and
// the values of languages 1..n, sorted by key (SortID 0) or by one language's value.
#include <functional>
#include <string>
#include <vector>

#include "toolkit/core/collection.h"

class TlcCustomLang;
class TStrings;

class TlcSortCollection : public TCollection {
  QUILLIMO_CLASS(TlcSortCollection, TCollection)
public:
  using TCompare = std::function<int(TCollectionItem* a, TCollectionItem* b)>;
  explicit TlcSortCollection(const TClassInfo& itemClass);
  void Sort(const TCompare& compare);

private:
  void QuickSort(const TCompare& compare, int left, int right);
  void Swap(int i, int j);
};

class TlcStringsCollectionItem : public TCollectionItem {
  QUILLIMO_CLASS(TlcStringsCollectionItem, TCollectionItem)
public:
  explicit TlcStringsCollectionItem(TCollection* collection = nullptr);
  std::string Key;
  // Values[k - 1] is the value of language k.
  std::vector<std::string> Values;
  // The value at a sort column: 0 the key, k >= 1 language k ("" past the values).
  const std::string& Column(int column) const;
};

class TlcStringsCollection : public TlcSortCollection {
  QUILLIMO_CLASS(TlcStringsCollection, TlcSortCollection)
public:
  TlcStringsCollection(TlcCustomLang* owner, int sortID);
  TlcCustomLang* Owner() const { return owner_; }
  int SortID() const { return sortID_; }
  TlcStringsCollectionItem* Row(int index) const;

  // Empties the rows, adds one per line (field 0 the key, fields 1..numLanguages the
  // values), and sorts them by the column (case-insensitive).
  void Rebuild(const TStrings& lines, char delim, int numLanguages, int sortID);
  // The first row whose value at the sort column equals text (case-insensitive), by
  // binary search; nullptr when none.
  TlcStringsCollectionItem* FindSorted(const std::string& text) const;

private:
  TlcCustomLang* owner_;
  int sortID_;
};

// Finds the line of a section whose key is `key` (case-insensitive): the section's text is
// searched for line end + key + delimiter with a Boyer-Moore-Horspool search. Returns the
// line's index, or -1.
int FindKeyedLine(const TStrings& section, const std::string& key, char delim);
