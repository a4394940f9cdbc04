// Binary translation files (".LTB") from arbitrary bytes: the reader either takes the
// stored table or raises one of the toolkit's errors, and then the table is unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "localisation/lang_component.h"
#include "localisation/ltb_file.h"
#include "localisation/translation_table.h"
#include "toolkit/core/streams.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

class TForm1 : public TComponent {
  QUILLIMO_CLASS(TForm1, TComponent)
public:
  using TComponent::TComponent;
};

}  // namespace

QUILLIMO_REGISTER_CLASS(TForm1)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TForm1 form(nullptr);
  TlcLang* lang = new TlcLang(&form);
  lang->SectionStrings(stCaptions)
      ->Add(std::string("Button1\x01"
                        "Evet\x01"));
  const std::string before = lang->Table().Text();
  TBufferStream file(data, size);
  TLTBFileManager manager;
  try {
    manager.ReadTranslation(file, *lang);
  } catch (const Exception&) {
    Check(lang->Table().Text() == before);
  }
  Check(!lang->Table().IsTemporary());
  return 0;
}
