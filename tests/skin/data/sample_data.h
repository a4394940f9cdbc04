#pragma once
// Deterministic sample data of different kinds for the codec tests and the decode benchmark,
// made to compress roughly like real files of their kind.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace sample {

using Bytes = std::vector<uint8_t>;

// Prose with a vocabulary of a few thousand words of Zipf-like frequency, numbers, and now
// and then an ini-style "Key=Value" line; CR LF line ends.
inline Bytes TextLike(size_t size, uint32_t seed) {
  static const char* const kSyllables[] = {"ka", "lo",  "mer", "sin", "ta",  "vel", "qui", "or",  "an",  "de",
                                           "ri", "um",  "po",  "zel", "i",   "ne",  "sto", "ba",  "gru", "fe",
                                           "ho", "lim", "tra", "eu",  "cor", "pa",  "wy",  "sen", "ad",  "mo"};
  std::mt19937 rng(seed);
  std::vector<std::string> words;
  for (int i = 0; i < 4000; ++i) {
    std::string w;
    for (int s = 1 + static_cast<int>(rng() % 4); s > 0; --s) w += kSyllables[rng() % std::size(kSyllables)];
    if (rng() % 10 == 0) w[0] = static_cast<char>(w[0] - 'a' + 'A');
    words.push_back(w);
  }
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  auto word = [&] {
    // Word i has a frequency of about 1/(i+1).
    const double u = unit(rng);
    return words[static_cast<size_t>(std::pow(4001.0, u)) - 1];
  };
  Bytes out;
  while (out.size() < size) {
    std::string line;
    if (rng() % 8 == 0) {
      line = word() + "=" + std::to_string(rng() % 100000) + "," + word();
    } else {
      for (int n = 5 + static_cast<int>(rng() % 12); n > 0; --n) {
        line += rng() % 25 == 0 ? std::to_string(rng() % 10000) : word();
        line += n > 1 ? (rng() % 9 == 0 ? ", " : " ") : (rng() % 4 ? "." : "?");
      }
    }
    line += "\r\n";
    out.insert(out.end(), line.begin(), line.end());
  }
  out.resize(size);
  return out;
}

// Machine-code-like bytes: a skewed set of opcodes with register bytes, small and large
// immediates and addresses.
inline Bytes BinaryLike(size_t size, uint32_t seed) {
  static const uint8_t kOpcodes[] = {0x8B, 0x89, 0xE8, 0x83, 0x48, 0x85, 0x74, 0x75, 0xFF, 0x0F,
                                     0xC7, 0x8D, 0x33, 0x3B, 0x50, 0x5D, 0xC3, 0x6A, 0xEB, 0x31};
  std::mt19937 rng(seed);
  std::geometric_distribution<int> pick(0.25);
  Bytes out;
  uint32_t address = 0x00401000;
  while (out.size() < size) {
    out.push_back(kOpcodes[std::min<size_t>(static_cast<size_t>(pick(rng)), std::size(kOpcodes) - 1)]);
    switch (rng() % 6) {
      case 0: out.push_back(static_cast<uint8_t>(0xC0 + rng() % 64)); break;
      case 1: out.push_back(static_cast<uint8_t>(rng() % 128)); break;
      case 2:
        for (int s = 0; s < 32; s += 8) out.push_back(static_cast<uint8_t>((address + (rng() % 4096) * 4) >> s));
        break;
      case 3: out.insert(out.end(), {0x45, static_cast<uint8_t>(0xF0 - 4 * (rng() % 8))}); break;
      default: break;
    }
    if (rng() % 256 == 0) address += 0x1000;
  }
  out.resize(size);
  return out;
}

// 24-bit pixel rows, half window-element-like (flat runs, gradients, magenta key colour,
// repeated rows), half photo-like (smooth shading with pixel noise).
inline Bytes BitmapLike(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  const int width = 64 + static_cast<int>(rng() % 200);
  Bytes out, row;
  for (int y = 0; out.size() < size; ++y) {
    const bool photo = (y / 64) % 2 == 1;
    if (photo) {
      row.clear();
      for (int x = 0; x < width; ++x) {
        const int noise = static_cast<int>(rng() % 9) - 4;
        row.push_back(static_cast<uint8_t>(x + y + noise));
        row.push_back(static_cast<uint8_t>(2 * x - y + noise));
        row.push_back(static_cast<uint8_t>(128 + y % 64 + noise));
      }
    } else if (row.empty() || rng() % 3 == 0) {
      row.clear();
      int x = 0;
      while (x < width) {
        const int run = 1 + static_cast<int>(rng() % 40);
        const int kind = static_cast<int>(rng() % 4);
        const uint8_t b = static_cast<uint8_t>(rng()), g = static_cast<uint8_t>(rng()), r = static_cast<uint8_t>(rng());
        for (int k = 0; k < run && x < width; ++k, ++x) {
          if (kind == 0)
            row.insert(row.end(), {255, 0, 255});
          else if (kind == 1)
            row.insert(row.end(), {b, g, r});
          else
            row.insert(row.end(), {static_cast<uint8_t>(b + 3 * k), static_cast<uint8_t>(g + 2 * k), r});
        }
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  out.resize(size);
  return out;
}

// Incompressible bytes, like data that is already compressed.
inline Bytes Noise(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  Bytes out(size);
  for (uint8_t& b : out) b = static_cast<uint8_t>(rng());
  return out;
}

// 64 kB chunks of text, code, bitmaps and (one in eight) compressed data in turn.
inline Bytes Mixed(size_t size, uint32_t seed) {
  Bytes out;
  for (uint32_t chunk = 0; out.size() < size; ++chunk) {
    const size_t n = 64 * 1024;
    Bytes part;
    switch (chunk % 8) {
      case 0:
      case 3:
      case 6: part = TextLike(n, seed + chunk); break;
      case 1:
      case 4: part = BinaryLike(n, seed + chunk); break;
      case 2:
      case 5: part = BitmapLike(n, seed + chunk); break;
      default: part = Noise(n, seed + chunk); break;
    }
    out.insert(out.end(), part.begin(), part.end());
  }
  out.resize(size);
  return out;
}

}  // namespace sample
