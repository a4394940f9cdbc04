#include "skin/data/lzh_model.h"

#include <cstring>

namespace lzh {

void TLzhModel::Reset() {
  for (int i = 0; i < kSymbolCount; ++i) {
    frequency_[i] = 1;
    child_[i] = static_cast<int16_t>(i + kTreeSize);
    parent_[i + kTreeSize] = static_cast<int16_t>(i);
  }
  for (int i = 0, j = kSymbolCount; j < kTreeSize; i += 2, ++j) {
    frequency_[j] = static_cast<uint16_t>(frequency_[i] + frequency_[i + 1]);
    child_[j] = static_cast<int16_t>(i);
    parent_[i] = parent_[i + 1] = static_cast<int16_t>(j);
  }
  frequency_[kTreeSize] = 0xFFFF;
  parent_[kRoot] = 0;
}

void TLzhModel::Rebuild() {
  // Leaves to the front, in their current order, with halved frequencies.
  int j = 0;
  for (int i = 0; i < kTreeSize; ++i) {
    if (child_[i] >= kTreeSize) {
      frequency_[j] = static_cast<uint16_t>((frequency_[i] + 1) / 2);
      child_[j] = child_[i];
      ++j;
    }
  }
  // Pair the two lowest nodes into a new node and insert it where its frequency belongs.
  for (int i = 0, n = kSymbolCount; n < kTreeSize; i += 2, ++n) {
    const unsigned f = frequency_[i] + frequency_[i + 1];
    int k = n - 1;
    while (k > i && f < frequency_[k]) --k;
    ++k;
    const size_t moved = static_cast<size_t>(n - k);
    std::memmove(&frequency_[k + 1], &frequency_[k], moved * sizeof frequency_[0]);
    std::memmove(&child_[k + 1], &child_[k], moved * sizeof child_[0]);
    frequency_[k] = static_cast<uint16_t>(f);
    child_[k] = static_cast<int16_t>(i);
  }
  for (int i = 0; i < kTreeSize; ++i) SetParentOf(child_[i], i);
}

}  // namespace lzh
