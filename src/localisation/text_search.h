#pragma once
// Boyer-Moore-Horspool search: a 256-entry skip table indexed by byte, comparison from the
// pattern's end. Used to find keyed lines in the text of a translation section.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

class THorspoolSearch {
public:
  explicit THorspoolSearch(std::string_view pattern);
  // Offset of the first match at or after `from`, npos when none; an empty pattern matches
  // at `from` (at the start of the text).
  std::size_t Find(std::string_view text, std::size_t from = 0) const;

private:
  std::string pattern_;
  std::array<std::size_t, 256> skip_{};
};
