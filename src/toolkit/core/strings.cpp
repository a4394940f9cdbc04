#include "toolkit/core/strings.h"

#include <algorithm>
#include <numeric>

#include "toolkit/core/atomic_file.h"
#include "toolkit/core/codepage.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/format.h"
#include "toolkit/core/reader.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/text.h"
#include "toolkit/core/writer.h"

QUILLIMO_REGISTER_CLASS(TStrings);
QUILLIMO_REGISTER_CLASS(TStringList);

namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Keeps a list in one update while a batch operation runs, also when it fails.
class UpdateScope {
public:
  explicit UpdateScope(TStrings& list) : list_(list) { list_.BeginUpdate(); }
  ~UpdateScope() { list_.EndUpdate(); }
  UpdateScope(const UpdateScope&) = delete;
  UpdateScope& operator=(const UpdateScope&) = delete;

private:
  TStrings& list_;
};

// A quoted item starting at text[pos] (the opening quote); "" inside stands for one quote
// and an unterminated item runs to the end. pos ends after the closing quote.
std::string ExtractQuoted(std::string_view text, std::size_t& pos, char quote) {
  std::string item;
  ++pos;
  while (pos < text.size()) {
    if (text[pos] == quote) {
      if (pos + 1 < text.size() && text[pos + 1] == quote) {
        item.push_back(quote);
        pos += 2;
        continue;
      }
      ++pos;
      break;
    }
    item.push_back(text[pos++]);
  }
  return item;
}

}  // namespace

// ---- TStrings ----

void TStrings::IndexError(int index) { throw EStringListError(Format(ExceptionText::ListIndexError, {index})); }

int TStrings::CompareStrings(std::string_view a, std::string_view b) const { return CompareText(a, b); }

TObject* TStrings::GetObject(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  return nullptr;
}

void TStrings::PutObject(int index, TObject* object) {}

void TStrings::Put(int index, const std::string& s) {
  TObject* object = GetObject(index);
  UpdateScope update(*this);
  Delete(index);
  InsertObject(index, s, object);
}

int TStrings::AddObject(const std::string& s, TObject* object) {
  const int index = Count();
  InsertObject(index, s, object);
  return index;
}

void TStrings::InsertObject(int index, const std::string& s, TObject* object) {
  UpdateScope update(*this);
  Insert(index, s);
  if (object) PutObject(index, object);
}

void TStrings::Exchange(int index1, int index2) {
  const std::string s1 = Get(index1);
  const std::string s2 = Get(index2);
  TObject* o1 = GetObject(index1);
  TObject* o2 = GetObject(index2);
  UpdateScope update(*this);
  Put(index1, s2);
  PutObject(index1, o2);
  Put(index2, s1);
  PutObject(index2, o1);
}

void TStrings::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  if (newIndex < 0 || newIndex >= Count()) IndexError(newIndex);
  const std::string s = Get(curIndex);
  TObject* object = GetObject(curIndex);
  UpdateScope update(*this);
  Delete(curIndex);
  InsertObject(newIndex, s, object);
}

int TStrings::IndexOf(const std::string& s) const {
  for (int i = 0, n = Count(); i < n; ++i) {
    if (CompareStrings(Get(i), s) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  for (int i = 0, n = Count(); i < n; ++i) {
    if (GetObject(i) == object) return i;
  }
  return -1;
}

void TStrings::AddStrings(const TStrings& strings) {
  UpdateScope update(*this);
  for (int i = 0, n = strings.Count(); i < n; ++i) AddObject(strings.Get(i), strings.GetObject(i));
}

bool TStrings::Equals(const TStrings& strings) const {
  const int n = Count();
  if (n != strings.Count()) return false;
  for (int i = 0; i < n; ++i) {
    if (Get(i) != strings.Get(i)) return false;
  }
  return true;
}

std::string TStrings::Names(int index) const {
  const std::string line = Get(index);
  const std::size_t at = line.find(nameValueSeparator_);
  return at == std::string::npos ? std::string() : line.substr(0, at);
}

std::string TStrings::ValueFromIndex(int index) const {
  const std::string line = Get(index);
  const std::size_t at = line.find(nameValueSeparator_);
  return at == std::string::npos ? std::string() : line.substr(at + 1);
}

int TStrings::IndexOfName(std::string_view name) const {
  for (int i = 0, n = Count(); i < n; ++i) {
    const std::string line = Get(i);
    const std::size_t at = line.find(nameValueSeparator_);
    if (at != std::string::npos && CompareStrings(std::string_view(line).substr(0, at), name) == 0) return i;
  }
  return -1;
}

std::string TStrings::Values(std::string_view name) const {
  const int index = IndexOfName(name);
  return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValues(std::string_view name, std::string_view value) {
  const int index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0) Delete(index);
    return;
  }
  const std::string line = std::string(name) + nameValueSeparator_ + std::string(value);
  if (index < 0)
    Add(line);
  else
    Put(index, line);
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0, n = Count(); i < n; ++i) {
    text += Get(i);
    text += kLineBreak;
  }
  return text;
}

void TStrings::SetText(std::string_view text) {
  UpdateScope update(*this);
  Clear();
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      Add(std::string(text.substr(start)));
      break;
    }
    Add(std::string(text.substr(start, end - start)));
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
}

std::string TStrings::JoinDelimited(char delimiter, char quote, bool strict) const {
  const int n = Count();
  if (n == 1 && Get(0).empty()) return std::string(2, quote);
  std::string text;
  for (int i = 0; i < n; ++i) {
    if (i > 0) text.push_back(delimiter);
    const std::string item = Get(i);
    const bool quoted = std::any_of(item.begin(), item.end(), [&](char c) {
      return c == delimiter || c == quote || c == '\0' || (!strict && IsBlank(c));
    });
    if (!quoted) {
      text += item;
      continue;
    }
    text.push_back(quote);
    for (char c : item) {
      if (c == quote) text.push_back(quote);
      text.push_back(c);
    }
    text.push_back(quote);
  }
  return text;
}

// Items run to the delimiter or, unless strict, to a blank; blanks around items are skipped
// unless strict. A quoted item ends at its closing quote, and what follows it up to the
// next delimiter starts a new item. A delimiter at the very end adds an empty item.
void TStrings::SplitDelimited(std::string_view text, char delimiter, char quote, bool strict) {
  UpdateScope update(*this);
  Clear();
  std::size_t pos = 0;
  const auto skipBlanks = [&] {
    while (!strict && pos < text.size() && IsBlank(text[pos])) ++pos;
  };
  skipBlanks();
  while (pos < text.size()) {
    if (text[pos] == quote) {
      Add(ExtractQuoted(text, pos, quote));
    } else {
      const std::size_t start = pos;
      while (pos < text.size() && text[pos] != delimiter && (strict || !IsBlank(text[pos]))) ++pos;
      Add(std::string(text.substr(start, pos - start)));
    }
    skipBlanks();
    if (pos < text.size() && text[pos] == delimiter) {
      ++pos;
      skipBlanks();
      if (pos == text.size()) Add(std::string());
    }
  }
}

// Comma text always uses "," and '"'; reading honours StrictDelimiter, writing quotes as
// a non-strict list does (the de-facto standard behaves so).
std::string TStrings::CommaText() const { return JoinDelimited(',', '"', false); }
void TStrings::SetCommaText(std::string_view text) { SplitDelimited(text, ',', '"', strictDelimiter_); }

std::string TStrings::DelimitedText() const { return JoinDelimited(delimiter_, quoteChar_, strictDelimiter_); }
void TStrings::SetDelimitedText(std::string_view text) {
  SplitDelimited(text, delimiter_, quoteChar_, strictDelimiter_);
}

void TStrings::BeginUpdate() {
  if (updateCount_ == 0) SetUpdateState(true);
  ++updateCount_;
}

void TStrings::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0) SetUpdateState(false);
}

void TStrings::Assign(const TPersistent* source) {
  const auto* strings = dynamic_cast<const TStrings*>(source);
  if (!strings) {
    inherited::Assign(source);
    return;
  }
  if (strings == this) return;
  UpdateScope update(*this);
  Clear();
  delimiter_ = strings->delimiter_;
  quoteChar_ = strings->quoteChar_;
  strictDelimiter_ = strings->strictDelimiter_;
  nameValueSeparator_ = strings->nameValueSeparator_;
  AddStrings(*strings);
}

void TStrings::DefineProperties(TFiler& filer) {
  inherited::DefineProperties(filer);
  const auto read = [this](TReader& reader) {
    UpdateScope update(*this);
    Clear();
    reader.ReadListBegin();
    while (!reader.EndOfList()) Add(reader.ReadString());
    reader.ReadListEnd();
  };
  const auto write = [this](TWriter& writer) {
    writer.WriteListBegin();
    for (int i = 0, n = Count(); i < n; ++i) writer.WriteString(Get(i));
    writer.WriteListEnd();
  };
  filer.DefineProperty("Strings", read, write, Count() > 0);
}

void TStrings::LoadFromStream(TStream& stream) { LoadFromStream(stream, SystemAnsiCodePage()); }

void TStrings::LoadFromStream(TStream& stream, int codePage) {
  const std::string bytes = stream.ReadToEnd();
  const std::string_view view(bytes);
  SetText(view.starts_with(kUtf8Bom) ? AnsiToUtf8(view.substr(kUtf8Bom.size()), cpUtf8) : AnsiToUtf8(view, codePage));
}

void TStrings::SaveToStream(TStream& stream) const { SaveToStream(stream, SystemAnsiCodePage()); }

void TStrings::SaveToStream(TStream& stream, int codePage) const { stream.WriteBuffer(Utf8ToAnsi(Text(), codePage)); }

void TStrings::LoadFromFile(const std::string& fileName) { LoadFromFile(fileName, SystemAnsiCodePage()); }

void TStrings::LoadFromFile(const std::string& fileName, int codePage) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file, codePage);
}

void TStrings::SaveToFile(const std::string& fileName) const { SaveToFile(fileName, SystemAnsiCodePage()); }

void TStrings::SaveToFile(const std::string& fileName, int codePage) const {
  // Encode first: a text the code page cannot hold leaves the file as it was, and so does any
  // failure or interruption while it is replaced.
  WriteFileAtomically(fileName, Utf8ToAnsi(Text(), codePage));
}

// ---- TStringList ----

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
}

void TStringList::CheckUnsorted() const {
  if (sorted_) throw EStringListError("Operation not allowed on sorted list");
}

void TStringList::Changing() {
  if (UpdateCount() == 0) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0) OnChange(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating)
    Changing();
  else
    Changed();
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
  return caseSensitive_ ? CompareStr(a, b) : CompareText(a, b);
}

std::string TStringList::Get(int index) const {
  CheckIndex(index);
  return items_[index].text;
}

TObject* TStringList::GetObject(int index) const {
  CheckIndex(index);
  return items_[index].object;
}

void TStringList::Put(int index, const std::string& s) {
  CheckUnsorted();
  CheckIndex(index);
  Changing();
  items_[index].text = s;
  Changed();
}

void TStringList::PutObject(int index, TObject* object) {
  CheckIndex(index);
  Changing();
  items_[index].object = object;
  Changed();
}

void TStringList::InsertItem(int index, const std::string& s, TObject* object) {
  Changing();
  items_.insert(items_.begin() + index, Item{s, object});
  Changed();
}

void TStringList::Insert(int index, const std::string& s) { InsertObject(index, s, nullptr); }

void TStringList::InsertObject(int index, const std::string& s, TObject* object) {
  CheckUnsorted();
  if (index < 0 || index > Count()) IndexError(index);
  InsertItem(index, s, object);
}

int TStringList::AddObject(const std::string& s, TObject* object) {
  int index = Count();
  if (sorted_ && Find(s, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) throw EStringListError("String list does not allow duplicates");
  }
  InsertItem(index, s, object);
  return index;
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  items_.clear();
  Changed();
}

void TStringList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  std::swap(items_[index1], items_[index2]);
  Changed();
}

void TStringList::Move(int curIndex, int newIndex) {
  CheckIndex(curIndex);
  CheckIndex(newIndex);
  if (curIndex == newIndex) return;
  CheckUnsorted();
  Changing();
  const auto first = items_.begin();
  if (curIndex < newIndex)
    std::rotate(first + curIndex, first + curIndex + 1, first + newIndex + 1);
  else
    std::rotate(first + newIndex, first + curIndex, first + curIndex + 1);
  Changed();
}

bool TStringList::Find(const std::string& s, int& index) const {
  if (!sorted_) {
    index = TStrings::IndexOf(s);
    if (index >= 0) return true;
    index = Count();
    return false;
  }
  const auto at = std::lower_bound(items_.begin(), items_.end(), s, [this](const Item& item, const std::string& key) {
    return CompareStrings(item.text, key) < 0;
  });
  index = static_cast<int>(at - items_.begin());
  return at != items_.end() && CompareStrings(at->text, s) == 0;
}

int TStringList::IndexOf(const std::string& s) const {
  int index;
  return Find(s, index) ? index : -1;
}

void TStringList::SortBy(const std::function<bool(int, int)>& less) {
  if (items_.size() < 2) return;
  std::vector<int> order(items_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), less);
  Changing();
  std::vector<Item> sorted;
  sorted.reserve(items_.size());
  for (int i : order) sorted.push_back(std::move(items_[i]));
  items_ = std::move(sorted);
  Changed();
}

void TStringList::SortByText() {
  SortBy([this](int a, int b) { return CompareStrings(items_[a].text, items_[b].text) < 0; });
}

void TStringList::Sort() {
  if (!sorted_) SortByText();
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
  if (sorted_) return;
  SortBy([&](int a, int b) { return compare(*this, a, b) < 0; });
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  if (sorted) SortByText();
  sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
  if (caseSensitive == caseSensitive_) return;
  caseSensitive_ = caseSensitive;
  if (sorted_) {
    sorted_ = false;
    SetSorted(true);
  }
}
