#include "localisation/text_search.h"

THorspoolSearch::THorspoolSearch(std::string_view pattern) : pattern_(pattern) {
  skip_.fill(pattern_.size());
  for (std::size_t i = 0; i + 1 < pattern_.size(); ++i)
    skip_[static_cast<unsigned char>(pattern_[i])] = pattern_.size() - 1 - i;
}

std::size_t THorspoolSearch::Find(std::string_view text, std::size_t from) const {
  const std::size_t m = pattern_.size();
  if (m == 0) return from <= text.size() ? from : std::string_view::npos;
  for (std::size_t pos = from; pos + m <= text.size();) {
    std::size_t i = m;
    while (i > 0 && text[pos + i - 1] == pattern_[i - 1]) --i;
    if (i == 0) return pos;
    pos += skip_[static_cast<unsigned char>(text[pos + m - 1])];
  }
  return std::string_view::npos;
}
