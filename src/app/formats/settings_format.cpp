#include "app/formats/settings_format.h"

#include "toolkit/core/exceptions.h"
#include "toolkit/core/format.h"
#include "toolkit/core/strings.h"
#include "toolkit/core/text.h"

std::string SettingsFileName(std::string_view programDir) {
  return std::string(programDir) + PathDelim + "ayarlar.txt";
}

std::string SettingsLine(const TStrings& lines, int i) { return i >= 0 && i < lines.Count() ? lines.Strings(i) : ""; }

std::string SettingsLangCode(const TStrings& lines) {
  std::string code = SettingsLine(lines, 0);
  if (code != "0" && code != "1") throw EConvertError(Format("'%s' is not a valid language code", {code}));
  return code;
}

int SettingsSelection(const TStrings& lines, int i) { return StrToInt(SettingsLine(lines, i)); }

std::string LangCodeOf(int position) { return position == 1 ? "1" : "0"; }
