#pragma once
// Choosing a menu item by a typed letter, as the system's menus do: the item whose caption has
// the letter as its access key (the letter after a single '&'), else the first item without an
// access key whose caption starts with the letter. Letters are compared case aside by the
// system's casing of the user's language (so 'ş' chooses "Şablon", and in Turkish 'i' chooses
// "İleti" where 'ı' chooses "Işık").
#include <string>
#include <string_view>
#include <vector>

// True when the two characters are the same letter, case aside, by the system's case mapping
// for the user's language.
bool SameLetter(wchar_t a, wchar_t b);
// The caption's access key: the character after the first single '&' ("&&" is an '&' shown);
// 0 when it has none.
wchar_t AccessKeyOf(std::wstring_view caption);
// The key that chooses the item: its access key, else the first shown letter of its caption.
wchar_t ChoosingKeyOf(std::wstring_view caption);
// The caption as shown: the '&' marks dropped, "&&" an '&'.
std::wstring ShownCaption(std::wstring_view caption);

// One item a letter can choose: its caption, and whether it can be chosen at all (visible,
// enabled, not a separator).
struct TKeyedItem {
  std::wstring Caption;
  bool Choosable = true;
};
// The index of the item the key chooses, or -1.
int ItemForKey(const std::vector<TKeyedItem>& items, wchar_t key);
