#pragma once
// The program's formatting settings (currency, separators, date and time formats, month and
// day names) and the fifteen names under which the Locales section addresses them.
//
// FormatSettings is the one process-wide set. Natively it starts as an English system's;
// the Windows side may fill it from the user's locale at start-up.
#include <array>
#include <string>
#include <string_view>

struct TFormatSettings {
  std::string CurrencyString = "$";
  // Separators hold one character (UTF-8).
  std::string ThousandSeparator = ",";
  std::string DecimalSeparator = ".";
  std::string DateSeparator = "/";
  std::string ShortDateFormat = "M/d/yyyy";
  std::string LongDateFormat = "dddd, MMMM d, yyyy";
  std::string TimeSeparator = ":";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  std::string ShortTimeFormat = "h:mm AMPM";
  std::string LongTimeFormat = "h:mm:ss AMPM";
  std::array<std::string, 12> ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> LongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                                                "July",    "August",   "September", "October", "November", "December"};
  std::array<std::string, 7> ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> LongDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                             "Thursday", "Friday", "Saturday"};
};

extern TFormatSettings FormatSettings;

inline constexpr int LocaleSettingCount = 15;

// "Currency String", "Thousand Separator", ... in table order (0-based); "" outside.
std::string_view LocaleSettingName(int i);
// Index of a setting name (case-sensitive), -1 if none.
int FindLocaleSetting(std::string_view name);

// The setting as text: one-character strings for separators, month and day names joined
// with "," (plain join, no quoting).
std::string LocaleSettingText(const TFormatSettings& settings, int i);
// The texts of all fifteen settings, taken now: the snapshot a new component records.
std::array<std::string, LocaleSettingCount> SnapshotLocaleSettings(const TFormatSettings& settings = FormatSettings);

// Sets setting i from a value: text settings take it whole, separators its first character,
// month and day names are read as comma text and assigned in order (extra items are ignored,
// missing ones keep their names). An empty value changes nothing.
void ApplyLocaleSetting(TFormatSettings& settings, int i, std::string_view value);
