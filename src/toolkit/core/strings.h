#pragma once
// String lists. TStrings is the abstract list of lines, each with an object pointer, and
// all that is built on its primitives (Text, CommaText, name=value pairs, files);
// controls that hold lines (memo, list box) derive from it. TStringList keeps its lines
// itself and can sort them.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/core/object.h"
#include "toolkit/core/properties.h"

class TStream;

class TStrings : public TPersistent {
  QUILLIMO_CLASS(TStrings, TPersistent)
public:
  // ---- Primitives of a descendant. Indexes out of range raise EStringListError
  // "List index out of bounds (<index>)".
  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual TObject* GetObject(int index) const;               // nullptr unless a descendant keeps objects
  virtual void Put(int index, const std::string& s);         // default: delete and insert again
  virtual void PutObject(int index, TObject* object);        // default: nothing is kept
  virtual void Insert(int index, const std::string& s) = 0;  // 0 <= index <= Count()
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  // ---- Derived operations (descendants may do them faster).
  int Add(const std::string& s) { return AddObject(s, nullptr); }  // returns the new line's index
  virtual int AddObject(const std::string& s, TObject* object);
  virtual void InsertObject(int index, const std::string& s, TObject* object);
  virtual void Exchange(int index1, int index2);
  // Moves a line with its object; both indexes are checked before anything changes.
  virtual void Move(int curIndex, int newIndex);
  // Index of the first line equal to s (ASCII case-insensitive), or -1.
  virtual int IndexOf(const std::string& s) const;
  int IndexOfObject(const TObject* object) const;
  void AddStrings(const TStrings& strings);
  // Same lines in the same order (case-sensitive); objects are not compared.
  bool Equals(const TStrings& strings) const;

  std::string Strings(int index) const { return Get(index); }
  void SetStrings(int index, const std::string& s) { Put(index, s); }
  std::string operator[](int index) const { return Get(index); }
  TObject* Objects(int index) const { return GetObject(index); }
  void SetObjects(int index, TObject* object) { PutObject(index, object); }

  // name=value lines (NameValueSeparator, "=" by default). Names and ValueFromIndex are
  // empty for a line without the separator; Values is empty for an absent name; setting
  // an empty value deletes the line.
  std::string Names(int index) const;
  std::string ValueFromIndex(int index) const;
  std::string Values(std::string_view name) const;
  void SetValues(std::string_view name, std::string_view value);
  int IndexOfName(std::string_view name) const;
  char NameValueSeparator() const { return nameValueSeparator_; }
  void SetNameValueSeparator(char c) { nameValueSeparator_ = c; }

  // Every line followed by CR LF. Setting splits at CR LF, CR and LF; a last line without
  // a line break counts, an empty text gives no lines.
  std::string Text() const;
  void SetText(std::string_view text);

  // The lines as one comma text: items separated by ",", an item holding a blank or
  // control character (<= " "), "," or a double quote is quoted with its quotes doubled; a
  // single empty line is "". Setting splits at commas and at blanks outside quotes (only at
  // commas with StrictDelimiter); a quoted item may hold anything. Free Pascal's TStrings
  // behaves exactly so (tests compare with a golden file it wrote).
  std::string CommaText() const;
  void SetCommaText(std::string_view text);
  // The same with Delimiter and QuoteChar; with StrictDelimiter, writing quotes only items
  // holding the delimiter, the quote or a zero byte.
  std::string DelimitedText() const;
  void SetDelimitedText(std::string_view text);
  char Delimiter() const { return delimiter_; }
  void SetDelimiter(char c) { delimiter_ = c; }
  char QuoteChar() const { return quoteChar_; }
  void SetQuoteChar(char c) { quoteChar_ = c; }
  bool StrictDelimiter() const { return strictDelimiter_; }
  void SetStrictDelimiter(bool strict) { strictDelimiter_ = strict; }

  // Changes between BeginUpdate and the matching EndUpdate count as one change.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // Copies the lines, objects and text settings of another TStrings.
  void Assign(const TPersistent* source) override;

  // In a stored layout the lines are the list value "Strings" (written when there are lines).
  void DefineProperties(TFiler& filer) override;

  // Text files: bytes in the given code page (the system's ANSI code page by default),
  // converted to UTF-8 on loading (a UTF-8 byte-order mark selects UTF-8); saving
  // writes CR LF lines and refuses, before anything is written, a text the code page
  // cannot hold (EConvertError naming the character). Loading reads from the stream's
  // position to its end.
  void LoadFromStream(TStream& stream);
  void LoadFromStream(TStream& stream, int codePage);
  void SaveToStream(TStream& stream) const;
  void SaveToStream(TStream& stream, int codePage) const;
  void LoadFromFile(const std::string& fileName);
  void LoadFromFile(const std::string& fileName, int codePage);
  // Replaces the file as a whole (WriteFileAtomically): whatever happens, it holds either its
  // old content or the new one.
  void SaveToFile(const std::string& fileName) const;
  void SaveToFile(const std::string& fileName, int codePage) const;

protected:
  // Called when the outermost update begins (true) and ends (false).
  virtual void SetUpdateState(bool updating) {}
  // The comparison of IndexOf, IndexOfName (and sorting in TStringList).
  virtual int CompareStrings(std::string_view a, std::string_view b) const;
  [[noreturn]] static void IndexError(int index);

private:
  std::string JoinDelimited(char delimiter, char quote, bool strict) const;
  void SplitDelimited(std::string_view text, char delimiter, char quote, bool strict);

  char delimiter_ = ',';
  char quoteChar_ = '"';
  bool strictDelimiter_ = false;
  char nameValueSeparator_ = '=';
  int updateCount_ = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
// <0, 0 or >0 as the line at index1 sorts before, with or after the one at index2.
using TStringListSortCompare = std::function<int(TStringList& list, int index1, int index2)>;

class TStringList : public TStrings {
  QUILLIMO_CLASS(TStringList, TStrings)
public:
  TStringList() = default;

  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Get(int index) const override;
  TObject* GetObject(int index) const override;
  // Changing a line of a sorted list raises EStringListError "Operation not allowed on
  // sorted list", as Insert does.
  void Put(int index, const std::string& s) override;
  void PutObject(int index, TObject* object) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  void InsertObject(int index, const std::string& s, TObject* object) override;
  void Exchange(int index1, int index2) override;
  void Move(int curIndex, int newIndex) override;  // not in a sorted list
  // A sorted list inserts at the line's place; Duplicates decides about an equal line:
  // dupIgnore returns the existing index, dupError raises EStringListError "String list
  // does not allow duplicates".
  int AddObject(const std::string& s, TObject* object) override;
  int IndexOf(const std::string& s) const override;

  // Binary search in a sorted list (a linear one otherwise): true when s is there;
  // index is its first place, or where it would be inserted.
  bool Find(const std::string& s, int& index) const;
  // Sorting an unsorted list (a sorted one is in order already); both keep the order of
  // equal lines.
  void Sort();
  void CustomSort(const TStringListSortCompare& compare);

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
  // Case-sensitive lists compare bytes; others compare ASCII letters case-insensitively.
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool caseSensitive);

  // Fired around every change, once per outermost BeginUpdate/EndUpdate.
  TNotifyEvent OnChanging;
  TNotifyEvent OnChange;

protected:
  void SetUpdateState(bool updating) override;
  int CompareStrings(std::string_view a, std::string_view b) const override;
  void Changing();
  void Changed();

private:
  struct Item {
    std::string text;
    TObject* object = nullptr;
  };
  void CheckIndex(int index) const;
  void CheckUnsorted() const;
  void InsertItem(int index, const std::string& s, TObject* object);
  void SortBy(const std::function<bool(int, int)>& less);
  void SortByText();

  std::vector<Item> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  TDuplicates duplicates_ = dupIgnore;
};
