// The text layout parser on arbitrary bytes: it ends in a toolkit exception or gives a
// binary stream whose text parses again into the same binary.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "toolkit/core/exceptions.h"
#include "toolkit/core/layout_text.h"

namespace {
void Check(bool condition) {
  if (!condition) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string binary;
  try {
    binary = ObjectTextToBinary(input);
  } catch (const Exception&) {
    return 0;
  }
  std::string text = ObjectBinaryToText(binary);  // a stream the parser made always converts
  std::string again = ObjectTextToBinary(text);
  Check(ObjectBinaryToText(again) == text);
  return 0;
}
