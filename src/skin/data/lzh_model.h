#pragma once
// The adaptive Huffman tree of literals and match lengths. Encoder and decoder keep identical
// copies and update them with every symbol, so the codes follow the data.
//
// Nodes are kept in order of non-decreasing frequency (node 0 lowest, the root last). An inner
// node's child link names the first of its two children, which sit next to each other; a child
// link of kTreeSize or more marks a leaf holding symbol (link - kTreeSize). The parent table
// has one extra entry per symbol that maps the symbol to its leaf.
#include <cstdint>

#include "skin/data/lzh_format.h"

namespace lzh {

class TLzhModel {
public:
  TLzhModel() { Reset(); }

  // The starting tree: every symbol with frequency 1, paired in symbol order.
  void Reset();

  // Counts one occurrence of the symbol, rebuilding the tree first when the root is full:
  // every node from the symbol's leaf up to the root gains one.
  void Update(int symbol) {
    if (frequency_[kRoot] == kMaxFrequency) Rebuild();
    CountUpFrom(parent_[symbol + kTreeSize]);
  }

  // The same as Update for a symbol whose leaf a decoder has just reached from the root
  // through path[0] .. path[depth - 1] (the root itself not included). Up to the first swap
  // the nodes to count are taken from the path instead of a chain of parent lookups.
  void UpdateAlongPath(int symbol, const int16_t* path, int depth) {
    if (frequency_[kRoot] == kMaxFrequency) {
      Update(symbol);
      return;
    }
    for (int i = depth - 1; i >= 0; --i) {
      const int c = path[i];
      const unsigned k = ++frequency_[c];
      if (k > frequency_[c + 1]) {
        CountUpFrom(parent_[SwapUp(c, k)]);
        return;
      }
    }
    ++frequency_[kRoot];
  }

  // Halves every leaf's frequency and builds the tree anew from them.
  void Rebuild();

  int Child(int node) const { return child_[node]; }
  int Parent(int node) const { return parent_[node]; }
  int LeafOf(int symbol) const { return parent_[symbol + kTreeSize]; }
  unsigned Frequency(int node) const { return frequency_[node]; }
  const int16_t* Children() const { return child_; }

private:
  // Counts node c and its ancestors.
  void CountUpFrom(int c) {
    for (;;) {
      const unsigned k = ++frequency_[c];
      if (k > frequency_[c + 1]) c = SwapUp(c, k);
      c = parent_[c];
      if (c == 0) return;
    }
  }

  // Node c, just counted to k, breaks the order: swap it with the last node of smaller
  // frequency (the sentinel at the end of the table stops the scan). Returns where the
  // counted subtree now is.
  int SwapUp(int c, unsigned k) {
    int l = c + 1;
    while (k > frequency_[l + 1]) ++l;
    frequency_[c] = frequency_[l];
    frequency_[l] = static_cast<uint16_t>(k);
    const int i = child_[c];
    SetParentOf(i, l);
    const int j = child_[l];
    child_[l] = static_cast<int16_t>(i);
    SetParentOf(j, c);
    child_[c] = static_cast<int16_t>(j);
    return l;
  }

  void SetParentOf(int link, int node) {
    parent_[link] = static_cast<int16_t>(node);
    if (link < kTreeSize) parent_[link + 1] = static_cast<int16_t>(node);
  }

  uint16_t frequency_[kTreeSize + 1];         // + sentinel 0xFFFF
  int16_t parent_[kTreeSize + kSymbolCount];  // nodes, then symbol -> leaf
  int16_t child_[kTreeSize];
};

}  // namespace lzh
