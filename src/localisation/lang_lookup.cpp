#include "localisation/lang_lookup.h"

#include <algorithm>

#include "localisation/lang_component.h"
#include "localisation/text_search.h"
#include "localisation/translation_table.h"
#include "toolkit/core/format.h"
#include "toolkit/core/strings.h"
#include "toolkit/core/text.h"

// ---------------------------------------------------------------------------------------
// Sorting collection

TlcSortCollection::TlcSortCollection(const TClassInfo& itemClass) : TCollection(itemClass) {}

void TlcSortCollection::Sort(const TCompare& compare) {
  if (Count() < 2) return;
  BeginUpdate();
  try {
    QuickSort(compare, 0, Count() - 1);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TlcSortCollection::Swap(int i, int j) {
  if (i == j) return;
  if (i > j) std::swap(i, j);
  // Moving the later item to i shifts the earlier one to i + 1; it then moves to j.
  Items(j)->SetIndex(i);
  Items(i + 1)->SetIndex(j);
}

void TlcSortCollection::QuickSort(const TCompare& compare, int left, int right) {
  while (left < right) {
    int i = left, j = right;
    TCollectionItem* pivot = Items((left + right) / 2);
    while (i <= j) {
      while (compare(Items(i), pivot) < 0) ++i;
      while (compare(Items(j), pivot) > 0) --j;
      if (i <= j) {
        Swap(i, j);
        ++i;
        --j;
      }
    }
    // Recurse into the smaller part, loop over the larger one: the depth stays logarithmic.
    if (j - left < right - i) {
      if (left < j) QuickSort(compare, left, j);
      left = i;
    } else {
      if (i < right) QuickSort(compare, i, right);
      right = j;
    }
  }
}

// ---------------------------------------------------------------------------------------
// Strings rows

TlcStringsCollectionItem::TlcStringsCollectionItem(TCollection* collection) : TCollectionItem(collection) {}

const std::string& TlcStringsCollectionItem::Column(int column) const {
  static const std::string empty;
  if (column <= 0) return Key;
  return static_cast<std::size_t>(column) <= Values.size() ? Values[static_cast<std::size_t>(column) - 1] : empty;
}

TlcStringsCollection::TlcStringsCollection(TlcCustomLang* owner, int sortID)
    : TlcSortCollection(TlcStringsCollectionItem::StaticClassInfo()), owner_(owner), sortID_(sortID) {}

TlcStringsCollectionItem* TlcStringsCollection::Row(int index) const {
  return static_cast<TlcStringsCollectionItem*>(Items(index));
}

void TlcStringsCollection::Rebuild(const TStrings& lines, char delim, int numLanguages, int sortID) {
  BeginUpdate();
  Clear();
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string line = lines.Strings(i);
    auto* row = static_cast<TlcStringsCollectionItem*>(Add());
    row->Key = ExtractLangField(line, delim, 0);
    row->Values.reserve(static_cast<std::size_t>(std::max(numLanguages, 0)));
    for (int k = 1; k <= numLanguages; ++k) row->Values.push_back(ExtractLangField(line, delim, k));
  }
  EndUpdate();
  sortID_ = sortID;
  const int column = sortID;
  Sort([column](TCollectionItem* a, TCollectionItem* b) {
    return CompareText(static_cast<TlcStringsCollectionItem*>(a)->Column(column),
                       static_cast<TlcStringsCollectionItem*>(b)->Column(column));
  });
}

TlcStringsCollectionItem* TlcStringsCollection::FindSorted(const std::string& text) const {
  int low = 0, high = Count();
  while (low < high) {
    int mid = low + (high - low) / 2;
    if (CompareText(Row(mid)->Column(sortID_), text) < 0)
      low = mid + 1;
    else
      high = mid;
  }
  return low < Count() && SameText(Row(low)->Column(sortID_), text) ? Row(low) : nullptr;
}

// ---------------------------------------------------------------------------------------
// Keyed line search

int FindKeyedLine(const TStrings& section, const std::string& key, char delim) {
  const int count = section.Count();
  if (count == 0) return -1;
  std::string text;
  std::vector<std::size_t> starts;
  starts.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    if (i) text += "\r\n";
    starts.push_back(text.size());
    text += section.Strings(i);
  }
  const std::string upperText = UpperCase(text);
  const std::string upperKey = UpperCase(key) + delim;
  if (upperText.starts_with(upperKey)) return 0;

  THorspoolSearch search("\r\n" + upperKey);
  for (std::size_t from = 0;;) {
    std::size_t hit = search.Find(upperText, from);
    if (hit == std::string::npos) return -1;
    // A line break inside a multi-line value is no line start: search on.
    auto it = std::lower_bound(starts.begin(), starts.end(), hit + 2);
    if (it != starts.end() && *it == hit + 2) return static_cast<int>(it - starts.begin());
    from = hit + 1;
  }
}

// ---------------------------------------------------------------------------------------
// Lookup

std::string TlcCustomLang::TranslateResourceText(const std::string& loaded) const {
  const int active = table_->ActiveLanguage();
  if (active == resourceLanguageIndex_) return loaded;
  const TlcStringsCollectionItem* row = table_->ResourceRows().FindSorted(loaded);
  if (!row || row->Column(active).empty()) return loaded;
  return row->Column(active);
}

std::string TlcCustomLang::LookupText(int section, const std::string& key, bool useDefault) {
  const bool external =
      (options_.Contains(loUseExtCommonStrings) && (section == stDlgsCaptions || section == stLocales)) ||
      (options_.Contains(loUseExtUDStrings) && section == stStrings);
  if (!external) return LookupOwnText(section, key, useDefault);
  if (!dispatcher_) return {};
  for (TlcCustomLang* other : DispatcherLinkedLangs(dispatcher_)) {
    if (other == this) continue;
    TStrings* lines = other->SectionStrings(section);
    if (lines && lines->Count() > 0) return other->LookupOwnText(section, key, useDefault);
  }
  return {};
}

std::string TlcCustomLang::LookupOwnText(int section, const std::string& key, bool useDefault) {
  auto fallback = [&](std::string value, const std::string& language1) {
    if (value.empty()) value = LangTestModeText(*this, language1);
    if (value.empty() && useDefault) value = language1;
    return value;
  };
  auto notFound = [&]() -> std::string {
    if (doRaiseExceptions_) throw ELanguageError(Format(LanguageErrorText::StringNotFound, {key}));
    return {};
  };

  TStrings* lines = SectionStrings(section);
  if (!lines) return notFound();
  if (section != stStrings || IsDesigning()) {
    const char delim = table_->Delim();
    int index = FindKeyedLine(*lines, key, delim);
    if (index < 0) return notFound();
    const std::string line = lines->Strings(index);
    return fallback(ExtractLangField(line, delim, table_->ActiveLanguage()), ExtractLangField(line, delim, 1));
  }
  const TlcStringsCollectionItem* row = table_->StringsRows().FindSorted(key);
  if (!row) return notFound();
  return fallback(row->Column(table_->ActiveLanguage()), row->Column(1));
}

QUILLIMO_REGISTER_CLASS(TlcSortCollection)
QUILLIMO_REGISTER_CLASS(TlcStringsCollectionItem)
QUILLIMO_REGISTER_CLASS(TlcStringsCollection)
