#pragma once
// A plain LZHUF decoder written step by step after the published algorithm, with its own
// tables, a 16-bit bit buffer and a ring buffer. The tests compare the real decoder (and the
// encoder's model, which the real decoder shares) against it.
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

class TReferenceLzhDecoder {
public:
  std::vector<uint8_t> Decode(int32_t size, std::span<const uint8_t> input) {
    input_ = input;
    next_ = 0;
    fed_ = 0;
    bitBuffer_ = 0;
    bitCount_ = 0;
    std::vector<uint8_t> out;
    if (size <= 0) return out;
    StartModel();
    std::memset(ring_, 0, sizeof ring_);
    for (int i = 0; i < N - F; ++i) ring_[i] = ' ';
    int r = N - F;
    while (static_cast<int32_t>(out.size()) < size) {
      const int c = DecodeChar();
      if (c < 256) {
        out.push_back(static_cast<uint8_t>(c));
        ring_[r] = static_cast<uint8_t>(c);
        r = (r + 1) & (N - 1);
      } else {
        const int i = (r - DecodePosition() - 1) & (N - 1);
        const int j = c - 255 + THRESHOLD;
        for (int k = 0; k < j; ++k) {
          const uint8_t b = ring_[(i + k) & (N - 1)];
          out.push_back(b);
          ring_[r] = b;
          r = (r + 1) & (N - 1);
        }
      }
    }
    return out;
  }

  // Bits the last Decode took from its input, zero bits past its end included: more than the
  // input holds when the stream was cut short.
  size_t ConsumedBits() const { return fed_ * 8 - static_cast<size_t>(bitCount_); }

private:
  static constexpr int N = 4096, F = 60, THRESHOLD = 2, N_CHAR = 256 - THRESHOLD + F;
  static constexpr int T = N_CHAR * 2 - 1, R = T - 1;
  static constexpr unsigned MAX_FREQ = 0x8000;

  // Fewer than 9 bits buffered: one more byte (0 past the end).
  void FillBits() {
    while (bitCount_ <= 8) {
      const unsigned i = next_ < input_.size() ? input_[next_++] : 0;
      ++fed_;
      bitBuffer_ = static_cast<uint16_t>(bitBuffer_ | (i << (8 - bitCount_)));
      bitCount_ += 8;
    }
  }

  int GetByte() {
    FillBits();
    const int i = bitBuffer_ >> 8;
    bitBuffer_ = static_cast<uint16_t>(bitBuffer_ << 8);
    bitCount_ -= 8;
    return i;
  }

  int GetBit() {
    FillBits();
    const int i = bitBuffer_ >> 15;
    bitBuffer_ = static_cast<uint16_t>(bitBuffer_ << 1);
    bitCount_--;
    return i;
  }

  void StartModel() {
    for (int i = 0; i < N_CHAR; ++i) {
      freq_[i] = 1;
      son_[i] = static_cast<int16_t>(i + T);
      prnt_[i + T] = static_cast<int16_t>(i);
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
      freq_[j] = static_cast<uint16_t>(freq_[i] + freq_[i + 1]);
      son_[j] = static_cast<int16_t>(i);
      prnt_[i] = prnt_[i + 1] = static_cast<int16_t>(j);
    }
    freq_[T] = 0xFFFF;
    prnt_[R] = 0;
  }

  void Reconstruct() {
    int j = 0;
    for (int i = 0; i < T; ++i) {
      if (son_[i] >= T) {
        freq_[j] = static_cast<uint16_t>((freq_[i] + 1) / 2);
        son_[j] = son_[i];
        ++j;
      }
    }
    for (int i = 0, jj = N_CHAR; jj < T; i += 2, ++jj) {
      const unsigned f = freq_[i] + freq_[i + 1];
      freq_[jj] = static_cast<uint16_t>(f);
      int k = jj - 1;
      while (f < freq_[k]) --k;
      ++k;
      for (int m = jj; m > k; --m) {
        freq_[m] = freq_[m - 1];
        son_[m] = son_[m - 1];
      }
      freq_[k] = static_cast<uint16_t>(f);
      son_[k] = static_cast<int16_t>(i);
    }
    for (int i = 0; i < T; ++i) {
      const int k = son_[i];
      prnt_[k] = static_cast<int16_t>(i);
      if (k < T) prnt_[k + 1] = static_cast<int16_t>(i);
    }
  }

  void Update(int c) {
    if (freq_[R] == MAX_FREQ) Reconstruct();
    c = prnt_[c + T];
    do {
      const unsigned k = ++freq_[c];
      int l = c + 1;
      if (k > freq_[l]) {
        while (k > freq_[l + 1]) ++l;
        freq_[c] = freq_[l];
        freq_[l] = static_cast<uint16_t>(k);
        const int i = son_[c];
        prnt_[i] = static_cast<int16_t>(l);
        if (i < T) prnt_[i + 1] = static_cast<int16_t>(l);
        const int j = son_[l];
        son_[l] = static_cast<int16_t>(i);
        prnt_[j] = static_cast<int16_t>(c);
        if (j < T) prnt_[j + 1] = static_cast<int16_t>(c);
        son_[c] = static_cast<int16_t>(j);
        c = l;
      }
      c = prnt_[c];
    } while (c != 0);
  }

  int DecodeChar() {
    int c = son_[R];
    while (c < T) c = son_[c + GetBit()];
    c -= T;
    Update(c);
    return c;
  }

  int DecodePosition() {
    unsigned i = static_cast<unsigned>(GetByte());
    const unsigned c = static_cast<unsigned>(UpperBits(i)) << 6;
    int j = CodeLength(i) - 2;
    while (j-- > 0) i = ((i << 1) + static_cast<unsigned>(GetBit())) & 0xFFFF;
    return static_cast<int>(c | (i & 0x3F));
  }

  // The published position tables, written out as runs: 32 bytes decode to 0, then 16 bytes
  // each to 1..3, 8 each to 4..11, 4 each to 12..23, 2 each to 24..47, 1 each to 48..63.
  static int UpperBits(unsigned byte) {
    if (byte < 0x20) return 0;
    if (byte < 0x50) return 1 + static_cast<int>((byte - 0x20) / 16);
    if (byte < 0x90) return 4 + static_cast<int>((byte - 0x50) / 8);
    if (byte < 0xC0) return 12 + static_cast<int>((byte - 0x90) / 4);
    if (byte < 0xF0) return 24 + static_cast<int>((byte - 0xC0) / 2);
    return 48 + static_cast<int>(byte - 0xF0);
  }
  static int CodeLength(unsigned byte) {
    if (byte < 0x20) return 3;
    if (byte < 0x50) return 4;
    if (byte < 0x90) return 5;
    if (byte < 0xC0) return 6;
    if (byte < 0xF0) return 7;
    return 8;
  }

  std::span<const uint8_t> input_;
  size_t next_ = 0;
  size_t fed_ = 0;  // bytes put into the bit buffer, zeros past the end included
  uint16_t bitBuffer_ = 0;
  int bitCount_ = 0;
  uint8_t ring_[N + F - 1];
  uint16_t freq_[T + 1];
  int16_t prnt_[T + N_CHAR];
  int16_t son_[T];
};
