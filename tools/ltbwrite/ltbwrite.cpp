// ltbwrite OUT.LTB [--fixed=Name1,Name2] FORMCLASS=FILE ...
//
// Writes a binary translation file holding, for each form class, the TlcLang component
// stored in FILE: a binary component stream ("TPF0" ...) or its text layout
// ("object lcLang1: TlcLang ... end"). The optional --fixed list names the fixed languages.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "localisation/ltb_file.h"
#include "toolkit/core/layout_text.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/strings.h"

namespace {

std::string ReadFile(const std::string& name) {
  TFileStream file(name, fmOpenRead | fmShareDenyWrite);
  return file.ReadToEnd();
}

int Usage() {
  std::fputs("usage: ltbwrite OUT.LTB [--fixed=Name1,Name2] FORMCLASS=layout-or-component-file ...\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  try {
    std::vector<TLTBForm> forms;
    std::vector<std::string> fixed;
    for (int i = 2; i < argc; ++i) {
      const std::string arg = argv[i];
      if (arg.starts_with("--fixed=")) {
        TStringList names;
        names.SetStrictDelimiter(true);
        names.SetDelimitedText(arg.substr(8));
        for (int n = 0; n < names.Count(); ++n) fixed.push_back(names.Strings(n));
        continue;
      }
      const std::size_t eq = arg.find('=');
      if (eq == std::string::npos || eq == 0) return Usage();
      const std::string bytes = ReadFile(arg.substr(eq + 1));
      forms.push_back({arg.substr(0, eq), IsBinaryLayout(bytes) ? bytes : ObjectTextToBinary(bytes)});
    }
    const std::string image = MakeLTBImage(forms, fixed);
    TFileStream out(argv[1], fmCreate);
    out.WriteBuffer(image);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "ltbwrite: %s\n", e.what());
    return 1;
  }
}
