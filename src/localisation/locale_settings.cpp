#include "localisation/locale_settings.h"

#include "toolkit/core/strings.h"
#include "toolkit/core/utf8.h"

TFormatSettings FormatSettings;

namespace {

constexpr const char* kNames[LocaleSettingCount] = {
    "Currency String",  "Thousand Separator", "Decimal Separator", "Date Separator",  "Short Date Format",
    "Long Date Format", "Time Separator",     "Time AM String",    "Time PM String",  "Short Time Format",
    "Long Time Format", "Short Month Names",  "Long Month Names",  "Short Day Names", "Long Day Names",
};

enum Setting {
  kCurrency,
  kThousand,
  kDecimal,
  kDateSep,
  kShortDate,
  kLongDate,
  kTimeSep,
  kAM,
  kPM,
  kShortTime,
  kLongTime,
  kShortMonths,
  kLongMonths,
  kShortDays,
  kLongDays,
};

std::string* TextSetting(TFormatSettings& s, int i) {
  switch (i) {
    case kCurrency: return &s.CurrencyString;
    case kThousand: return &s.ThousandSeparator;
    case kDecimal: return &s.DecimalSeparator;
    case kDateSep: return &s.DateSeparator;
    case kShortDate: return &s.ShortDateFormat;
    case kLongDate: return &s.LongDateFormat;
    case kTimeSep: return &s.TimeSeparator;
    case kAM: return &s.TimeAMString;
    case kPM: return &s.TimePMString;
    case kShortTime: return &s.ShortTimeFormat;
    case kLongTime: return &s.LongTimeFormat;
    default: return nullptr;
  }
}

bool IsSeparator(int i) { return i == kThousand || i == kDecimal || i == kDateSep || i == kTimeSep; }

template <std::size_t N>
std::string Join(const std::array<std::string, N>& names) {
  std::string text;
  for (std::size_t i = 0; i < N; ++i) text += (i ? "," : "") + names[i];
  return text;
}

template <std::size_t N>
void AssignNames(std::array<std::string, N>& names, std::string_view commaText) {
  TStringList items;
  items.SetCommaText(commaText);
  for (int i = 0; i < items.Count() && static_cast<std::size_t>(i) < N; ++i)
    names[static_cast<std::size_t>(i)] = items.Strings(i);
}

// The first character (a whole UTF-8 sequence) of a text.
std::string FirstCharacter(std::string_view text) {
  std::size_t pos = 0;
  Utf8Decode(text, pos);
  return std::string(text.substr(0, pos));
}

}  // namespace

std::string_view LocaleSettingName(int i) { return i >= 0 && i < LocaleSettingCount ? kNames[i] : ""; }

int FindLocaleSetting(std::string_view name) {
  for (int i = 0; i < LocaleSettingCount; ++i)
    if (name == kNames[i]) return i;
  return -1;
}

std::string LocaleSettingText(const TFormatSettings& settings, int i) {
  TFormatSettings& s = const_cast<TFormatSettings&>(settings);
  if (std::string* text = TextSetting(s, i)) return *text;
  switch (i) {
    case kShortMonths: return Join(s.ShortMonthNames);
    case kLongMonths: return Join(s.LongMonthNames);
    case kShortDays: return Join(s.ShortDayNames);
    case kLongDays: return Join(s.LongDayNames);
    default: return {};
  }
}

std::array<std::string, LocaleSettingCount> SnapshotLocaleSettings(const TFormatSettings& settings) {
  std::array<std::string, LocaleSettingCount> texts;
  for (int i = 0; i < LocaleSettingCount; ++i) texts[static_cast<std::size_t>(i)] = LocaleSettingText(settings, i);
  return texts;
}

void ApplyLocaleSetting(TFormatSettings& settings, int i, std::string_view value) {
  if (value.empty()) return;
  if (std::string* text = TextSetting(settings, i)) {
    *text = IsSeparator(i) ? FirstCharacter(value) : std::string(value);
    return;
  }
  switch (i) {
    case kShortMonths: AssignNames(settings.ShortMonthNames, value); break;
    case kLongMonths: AssignNames(settings.LongMonthNames, value); break;
    case kShortDays: AssignNames(settings.ShortDayNames, value); break;
    case kLongDays: AssignNames(settings.LongDayNames, value); break;
    default: break;
  }
}
