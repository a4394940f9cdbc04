// formconv: converts layouts between their text and binary forms.
//
//   formconv to-binary IN OUT   text layout (UTF-8) -> binary layout stream
//   formconv to-text IN OUT     binary layout stream -> text layout
//
// Either input may already be in the target form; it is then checked and written in the
// canonical form. The output file is only written when the conversion succeeded.
#include <cstdio>
#include <string>
#include <string_view>

#include "toolkit/core/exceptions.h"
#include "toolkit/core/layout_text.h"
#include "toolkit/core/streams.h"

namespace {

int Usage() {
  std::fputs("usage: formconv to-binary IN OUT\n       formconv to-text IN OUT\n", stderr);
  return 2;
}

std::string ReadFile(const std::string& name) {
  TMemoryStream stream;
  stream.LoadFromFile(name);
  return std::string(stream.Bytes());
}

void WriteFile(const std::string& name, std::string_view bytes) {
  TFileStream file(name, fmCreate);
  file.WriteBuffer(bytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return Usage();
  std::string mode = argv[1];
  std::string in = argv[2];
  std::string out = argv[3];
  if (mode != "to-binary" && mode != "to-text") return Usage();
  try {
    std::string input = ReadFile(in);
    std::string binary = IsBinaryLayout(input) ? input : ObjectTextToBinary(input);
    std::string text = ObjectBinaryToText(binary);  // also checks a binary input
    WriteFile(out, mode == "to-binary" ? binary : text);
  } catch (const Exception& e) {
    std::fprintf(stderr, "formconv: %s: %s\n", in.c_str(), e.what());
    return 1;
  }
  return 0;
}
