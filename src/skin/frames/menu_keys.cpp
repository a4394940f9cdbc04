#include "skin/frames/menu_keys.h"

#include <windows.h>

// Both letters in capitals by the casing of the user's language (in Turkish 'i' is the capital
// 'İ' and 'ı' the capital 'I'; elsewhere both are 'I').
bool SameLetter(wchar_t a, wchar_t b) {
  if (a == b) return true;
  const wchar_t pair[2] = {a, b};
  wchar_t upper[2] = {};
  if (LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING, pair, 2, upper, 2) != 2)
    return false;
  return upper[0] == upper[1];
}

wchar_t AccessKeyOf(std::wstring_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] != L'&') return caption[i + 1];
    ++i;
  }
  return 0;
}

namespace {
// The caption's first shown character: leading spaces and '&' marks aside.
wchar_t FirstLetterOf(std::wstring_view caption) {
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L' ') continue;
    if (caption[i] == L'&' && i + 1 < caption.size()) return caption[i + 1];
    return caption[i];
  }
  return 0;
}
}  // namespace

wchar_t ChoosingKeyOf(std::wstring_view caption) {
  const wchar_t key = AccessKeyOf(caption);
  return key ? key : FirstLetterOf(caption);
}

std::wstring ShownCaption(std::wstring_view caption) {
  std::wstring shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
    shown += caption[i];
  }
  return shown;
}

int ItemForKey(const std::vector<TKeyedItem>& items, wchar_t key) {
  if (key == 0) return -1;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].Choosable && SameLetter(AccessKeyOf(items[i].Caption), key)) return static_cast<int>(i);
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].Choosable && AccessKeyOf(items[i].Caption) == 0 && SameLetter(FirstLetterOf(items[i].Caption), key))
      return static_cast<int>(i);
  return -1;
}
