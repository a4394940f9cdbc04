// The settings file from arbitrary bytes, read as the main window's create handler reads it:
// every line, the language code and the three selections either come back as values or fail
// with the conversion error; nothing else escapes, and a language code is only ever "0" or "1".
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/formats/settings_format.h"
#include "toolkit/core/codepage.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/strings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  TStringList lines;
  try {
    lines.SetText(AnsiToUtf8(input, cpWindows1254));
  } catch (const EConvertError&) {
    return 0;  // bytes Windows-1254 leaves undefined
  }
  for (int i = 0; i < SettingsLineCount + 1; ++i) SettingsLine(lines, i);
  try {
    const std::string code = SettingsLangCode(lines);
    if (code != "0" && code != "1") std::abort();
  } catch (const EConvertError&) {
  }
  for (int i = 3; i < SettingsLineCount; ++i) {
    try {
      SettingsSelection(lines, i);
    } catch (const EConvertError&) {
    }
  }
  return 0;
}
