// Comma text and delimited text from arbitrary bytes: parsing must never fail, and writing
// the items back and parsing that again must give the same items. Text (lines) likewise.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "toolkit/core/strings.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

template <class Get, class Set>
void RoundTrip(TStringList& list, std::string_view input, Get get, Set set) {
  set(list, input);
  TStringList again;
  again.Assign(&list);
  set(again, get(list));
  Check(again.Equals(list));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  TStringList list;
  RoundTrip(
      list, input, [](TStringList& l) { return l.CommaText(); },
      [](TStringList& l, std::string_view t) { l.SetCommaText(t); });
  RoundTrip(
      list, input, [](TStringList& l) { return l.Text(); }, [](TStringList& l, std::string_view t) { l.SetText(t); });
  list.SetDelimiter(';');
  list.SetQuoteChar('\'');
  for (bool strict : {false, true}) {
    list.SetStrictDelimiter(strict);
    RoundTrip(
        list, input, [](TStringList& l) { return l.DelimitedText(); },
        [](TStringList& l, std::string_view t) { l.SetDelimitedText(t); });
  }
  return 0;
}
