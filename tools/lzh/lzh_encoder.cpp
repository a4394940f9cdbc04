#include "lzh/lzh_encoder.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace lzh {

void TLzhStreamWriter::Literal(uint8_t byte) { PutSymbol(byte); }

void TLzhStreamWriter::Match(int length, int position) {
  if (length < kMinMatch || length > kLookAhead || position < 0 || position >= kWindowSize)
    throw std::invalid_argument("LZH match out of range");
  PutSymbol(length + kLengthBias);
  const int upper = position >> 6;
  PutBits(kPositionCode.codeOfUpper[upper], kPositionCode.lengthOfUpper[upper]);
  PutBits(static_cast<unsigned>(position) & 0x3F, 6);
}

void TLzhStreamWriter::PutSymbol(int symbol) {
  // The code is the path from the root to the symbol's leaf: collect it leaf first, write it
  // root first. A node is its parent's second child when it is not the first.
  std::array<uint8_t, kTreeSize> path;
  int depth = 0;
  for (int node = model_.LeafOf(symbol); node != kRoot; node = model_.Parent(node))
    path[depth++] = static_cast<uint8_t>(node != model_.Child(model_.Parent(node)));
  while (depth > 0) PutBits(path[--depth], 1);
  model_.Update(symbol);
}

void TLzhStreamWriter::PutBits(unsigned value, int count) {
  for (int i = count - 1; i >= 0; --i) {
    pending_ = pending_ << 1 | ((value >> i) & 1);
    if (++pendingCount_ == 8) {
      bytes_.push_back(static_cast<uint8_t>(pending_));
      pending_ = 0;
      pendingCount_ = 0;
    }
  }
}

std::vector<uint8_t> TLzhStreamWriter::Finish() {
  std::vector<uint8_t> result = bytes_;
  if (pendingCount_ > 0) result.push_back(static_cast<uint8_t>(pending_ << (8 - pendingCount_)));
  return result;
}

std::vector<uint8_t> FrameImage(uint32_t size, std::span<const uint8_t> stream) {
  std::vector<uint8_t> image(kSizeFieldBytes + stream.size());
  for (int i = 0; i < kSizeFieldBytes; ++i) image[i] = static_cast<uint8_t>(size >> (8 * i));
  std::copy(stream.begin(), stream.end(), image.begin() + kSizeFieldBytes);
  return image;
}

namespace {

// Greedy LZSS match search over hash chains of 3-byte strings. The data is matched against a
// history that starts with the decoder's initial window: 4036 spaces in front of the first byte
// (the 60 window bytes before them are never written by a decoder's set-up and are not used).
class TMatchFinder {
public:
  explicit TMatchFinder(std::span<const uint8_t> data) {
    history_.assign(kLookAhead, 0);
    history_.resize(kWindowSize, kFillByte);
    history_.insert(history_.end(), data.begin(), data.end());
    head_.fill(-1);
    for (int p = kLookAhead; p < kWindowSize; ++p) Insert(p);
  }

  static constexpr int kStart = kWindowSize;  // history index of the first data byte
  int End() const { return static_cast<int>(history_.size()); }
  uint8_t At(int p) const { return history_[p]; }

  // Longest match for the string at p (0 when shorter than kMinMatch); sets the distance.
  int Longest(int p, int& distance) const {
    const int limit = std::min(kLookAhead, End() - p);
    if (limit < kMinMatch) return 0;
    int best = 0;
    int chain = kMaxChain;
    for (int q = head_[Hash(p)]; q >= 0 && p - q <= kWindowSize && q >= kLookAhead && chain-- > 0;
         q = prev_[q % kWindowSize]) {
      int n = 0;
      while (n < limit && history_[q + n] == history_[p + n]) ++n;
      if (n > best) {
        best = n;
        distance = p - q;
        if (n == limit) break;
      }
    }
    return best >= kMinMatch ? best : 0;
  }

  void Insert(int p) {
    if (p + kMinMatch > End()) return;
    const int h = Hash(p);
    prev_[p % kWindowSize] = head_[h];
    head_[h] = p;
  }

private:
  static constexpr int kHashBits = 14;
  static constexpr int kMaxChain = 96;

  int Hash(int p) const {
    const unsigned v = unsigned{history_[p]} << 16 | unsigned{history_[p + 1]} << 8 | history_[p + 2];
    return static_cast<int>((v * 2654435761u) >> (32 - kHashBits));
  }

  std::vector<uint8_t> history_;
  std::array<int, 1 << kHashBits> head_;
  std::array<int, kWindowSize> prev_{};
};

}  // namespace

std::vector<uint8_t> Compress(std::span<const uint8_t> data) {
  if (data.size() > 0x7FFFFFFF) throw std::length_error("LZH input too large");
  TMatchFinder finder(data);
  TLzhStreamWriter writer;
  for (int p = TMatchFinder::kStart; p < finder.End();) {
    int distance = 0;
    const int length = finder.Longest(p, distance);
    if (length == 0) {
      writer.Literal(finder.At(p));
      finder.Insert(p++);
      continue;
    }
    writer.Match(length, distance - 1);
    for (int k = 0; k < length; ++k) finder.Insert(p++);
  }
  return FrameImage(static_cast<uint32_t>(data.size()), writer.Finish());
}

}  // namespace lzh
