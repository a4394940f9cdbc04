// The stored translation block from arbitrary bytes: reading never fails, and writing the
// table back and reading that into a new component gives the same sections.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "localisation/lang_component.h"
#include "toolkit/core/streams.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TComponent owner(nullptr);
  auto* first = new TlcLang(&owner);
  TBufferStream input(data, size);
  first->ReadTranslationData(input);

  TMemoryStream stored;
  first->WriteTranslationData(stored);
  stored.SetPosition(0);

  TComponent otherOwner(nullptr);
  auto* second = new TlcLang(&otherOwner);
  second->ReadTranslationData(stored);
  for (int t = 0; t < StringsTypeCount; ++t) {
    TStrings* a = first->SectionStrings(t);
    TStrings* b = second->SectionStrings(t);
    Check((a == nullptr) == (b == nullptr));
    if (a) Check(a->Equals(*b));
  }
  return 0;
}
