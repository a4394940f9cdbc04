#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "lzh/lzh_encoder.h"
#include "lzh_reference_decoder.h"
#include "sample_data.h"
#include "skin/data/lzh_decoder.h"

namespace {

using sample::Bytes;

Bytes Stream(const Bytes& image) { return Bytes(image.begin() + 4, image.end()); }

Bytes RoundTrip(const Bytes& data) { return TLZH().DecodeImage(lzh::Compress(data)); }

Bytes AsBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

// Round trips long enough to rebuild the tree many times (a rebuild about every 16,000
// symbols), checked against the plain reference decoder as well.
TEST(LzhRoundTrip, LongInputsOfEveryKindDecodeExactly) {
  struct Case {
    const char* name;
    Bytes data;
  } cases[] = {
      {"text", sample::TextLike(1500000, 1)},     {"binary", sample::BinaryLike(1200000, 2)},
      {"bitmap", sample::BitmapLike(2000000, 3)}, {"noise", sample::Noise(600000, 4)},
      {"mixed", sample::Mixed(2500000, 5)},       {"one byte value", Bytes(1500000, 0xAB)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes image = lzh::Compress(c.data);
    EXPECT_EQ(TLZH::DecodedSizeOf(image), static_cast<int32_t>(c.data.size()));
    const Bytes decoded = TLZH().DecodeImage(image);
    ASSERT_EQ(decoded.size(), c.data.size());
    EXPECT_TRUE(decoded == c.data);
    EXPECT_TRUE(TReferenceLzhDecoder().Decode(static_cast<int32_t>(c.data.size()), Stream(image)) == c.data);
  }
}

TEST(LzhRoundTrip, ShortInputs) {
  EXPECT_TRUE(RoundTrip({}).empty());
  EXPECT_EQ(RoundTrip({0x00}), Bytes{0x00});
  EXPECT_EQ(RoundTrip({0xFF}), Bytes{0xFF});
  EXPECT_EQ(RoundTrip({' '}), Bytes{' '});
  for (const char* s : {"ab", "abc", "aaaa", "    x", "abcabcabcabcabc"})
    EXPECT_EQ(RoundTrip(AsBytes(s)), AsBytes(s)) << s;
}

TEST(LzhRoundTrip, LeadingSpacesMatchTheInitialWindow) {
  const Bytes data = AsBytes(std::string(5000, ' ') + "end");
  const Bytes image = lzh::Compress(data);
  EXPECT_LT(image.size(), 300u);
  EXPECT_EQ(TLZH().DecodeImage(image), data);
}

TEST(LzhRoundTrip, DecoderObjectCanBeReused) {
  TLZH lzh;
  const Bytes a = sample::TextLike(100000, 7), b = sample::BitmapLike(50000, 8);
  EXPECT_EQ(lzh.DecodeImage(lzh::Compress(a)), a);
  EXPECT_EQ(lzh.DecodeImage(lzh::Compress(b)), b);
}

// Streams written symbol by symbol.
Bytes Decode(int32_t size, const Bytes& stream) {
  const Bytes out = TLZH().Decode(size, stream);
  EXPECT_EQ(out, TReferenceLzhDecoder().Decode(size, stream));
  return out;
}

TEST(LzhHandMadeStreams, FirstMatchReachesIntoTheInitialSpaces) {
  lzh::TLzhStreamWriter w;
  w.Match(10, 99);
  w.Literal('x');
  w.Match(60, 4035);  // 4036 back: far into the spaces
  EXPECT_EQ(Decode(71, w.Finish()), AsBytes(std::string(10, ' ') + "x" + std::string(60, ' ')));
}

TEST(LzhHandMadeStreams, MatchRunsFromTheWindowIntoTheOutputAndOverlapsItself) {
  lzh::TLzhStreamWriter w;
  w.Literal('A');
  w.Literal('B');
  w.Match(6, 3);  // 4 back: two spaces of the window, then "AB", then its own first bytes
  w.Match(9, 0);  // 1 back: repeats the last byte
  EXPECT_EQ(Decode(17, w.Finish()), AsBytes("AB  AB  " + std::string(9, ' ')));
}

TEST(LzhHandMadeStreams, WindowBytesAfterTheSpacesAreZero) {
  // The last 60 ring positions have not been written when decoding starts.
  lzh::TLzhStreamWriter w;
  w.Literal('q');
  w.Match(5, 4095);  // 4096 back, one byte before the first space
  Bytes expected = {'q', 0, 0, 0, 0, 0};
  EXPECT_EQ(Decode(6, w.Finish()), expected);
}

TEST(LzhHandMadeStreams, EveryPositionCodeDecodes) {
  // One match for each distance 1..4096 (lengths cycling), against a noise prefix.
  const Bytes prefix = sample::Noise(4096, 9);
  lzh::TLzhStreamWriter w;
  for (uint8_t b : prefix) w.Literal(b);
  int32_t size = 4096;
  for (int position = 0; position < 4096; ++position) {
    const int length = 3 + position % 58;
    w.Match(length, position);
    size += length;
  }
  const Bytes out = Decode(size, w.Finish());
  ASSERT_EQ(out.size(), static_cast<size_t>(size));
  // Spot checks: the first match repeats the last prefix byte three times.
  EXPECT_EQ(out[4096], prefix[4095]);
  EXPECT_EQ(out[4098], prefix[4095]);
}

TEST(LzhHandMadeStreams, LastMatchIsCopiedWholePastTheAnnouncedSize) {
  lzh::TLzhStreamWriter w;
  w.Literal('a');
  w.Match(20, 0);
  EXPECT_EQ(Decode(5, w.Finish()), Bytes(21, 'a'));
}

TEST(LzhFraming, SizeZeroOrNegativeProducesNothing) {
  EXPECT_TRUE(TLZH().DecodeImage(Bytes{0, 0, 0, 0}).empty());
  EXPECT_TRUE(TLZH().DecodeImage(Bytes{0, 0, 0, 0, 0x12, 0x34}).empty());
  EXPECT_TRUE(TLZH().DecodeImage(Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x12}).empty());  // -1
  EXPECT_TRUE(TLZH().Decode(-5, Bytes{1, 2, 3}).empty());
}

TEST(LzhFraming, ShortImageIsAReadError) {
  EXPECT_THROW(TLZH().DecodeImage(Bytes{}), EReadError);
  EXPECT_THROW(TLZH().DecodeImage(Bytes{1, 0, 0}), EReadError);
}

TEST(LzhFraming, SizeFieldIsLittleEndian) { EXPECT_EQ(TLZH::DecodedSizeOf(Bytes{0xD6, 0xED, 0x05, 0x00}), 388566); }

std::string DecodeError(int32_t size, const Bytes& stream) {
  try {
    TLZH().Decode(size, stream);
  } catch (const ElzhException& e) {
    return e.what();
  }
  return "no error";
}

constexpr const char* kTruncated = "LZH : Unexpected end of compressed data";

// A stream cut anywhere, by as little as its last byte, is refused; bytes behind a whole
// stream change nothing.
TEST(LzhDamagedInput, AStreamCutShortIsRefused) {
  const struct {
    const char* name;
    Bytes data;
  } cases[] = {{"text", sample::TextLike(20000, 11)},
               {"bitmap", sample::BitmapLike(30000, 12)},
               {"noise", sample::Noise(3000, 13)},
               {"one literal", Bytes{'x'}},
               {"runs", Bytes(100000, 0)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int32_t size = static_cast<int32_t>(c.data.size());
    const Bytes stream = Stream(lzh::Compress(c.data));
    ASSERT_EQ(TLZH().Decode(size, stream), c.data);
    const size_t step = std::max<size_t>(1, stream.size() / 200);
    for (size_t keep = 0; keep < stream.size(); keep += step) {
      EXPECT_EQ(DecodeError(size, Bytes(stream.begin(), stream.begin() + keep)), kTruncated) << keep;
    }
    EXPECT_EQ(DecodeError(size, Bytes(stream.begin(), stream.end() - 1)), kTruncated);

    Bytes longer = stream;
    longer.insert(longer.end(), {0xFF, 0x00, 0xA5, 0x5A, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x12});
    EXPECT_EQ(TLZH().Decode(size, longer), c.data);
  }
}

// A sound stream ends within its last byte, whatever the encoder put in the unused bits; its
// length in bits falls on every place in that byte.
TEST(LzhDamagedInput, StreamsEndingOnAShortFinalByteDecode) {
  std::set<size_t> endings;
  for (int literals = 1; literals <= 40; ++literals) {
    lzh::TLzhStreamWriter w;
    Bytes expected;
    for (int i = 0; i < literals; ++i) {
      w.Literal(static_cast<uint8_t>('a' + i % 7));
      expected.push_back(static_cast<uint8_t>('a' + i % 7));
      if (i % 5 == 4) {
        w.Match(3 + i % 11, i % 4);
        for (int k = 0; k < 3 + i % 11; ++k) expected.push_back(expected[expected.size() - 1 - i % 4]);
      }
    }
    const Bytes stream = w.Finish();
    const int32_t size = static_cast<int32_t>(expected.size());
    TReferenceLzhDecoder reference;
    ASSERT_EQ(reference.Decode(size, stream), expected);
    const size_t bits = reference.ConsumedBits();
    ASSERT_EQ((bits + 7) / 8, stream.size()) << literals;
    endings.insert(bits % 8);

    EXPECT_EQ(TLZH().Decode(size, stream), expected) << literals;
    Bytes ones = stream;  // an encoder that fills the unused bits with ones
    ones.back() = static_cast<uint8_t>(ones.back() | (0xFF >> (bits % 8 == 0 ? 8 : bits % 8)));
    EXPECT_EQ(TLZH().Decode(size, ones), expected) << literals;
    EXPECT_EQ(DecodeError(size, Bytes(stream.begin(), stream.end() - 1)), kTruncated) << literals;
  }
  EXPECT_EQ(endings.size(), 8u);
}

// Arbitrary bytes decode like the reference decoder as long as it stays within them, and are
// refused exactly when it would have read past their end.
TEST(LzhDamagedInput, GarbageDecodesLikeTheReferenceOrIsRefusedAsCutShort) {
  int refused = 0, decoded = 0;
  for (uint32_t seed = 0; seed < 200; ++seed) {
    const Bytes garbage = sample::Noise(50 + seed * 37, seed);
    // Noise decodes to some five to ten times its length: sizes below and above that.
    const size_t factor = seed % 2 == 0 ? 3 : 25;
    const int32_t size = static_cast<int32_t>(1 + (seed * 7919) % (garbage.size() * factor));
    TReferenceLzhDecoder reference;
    const Bytes expected = reference.Decode(size, garbage);
    if (reference.ConsumedBits() > garbage.size() * 8) {
      EXPECT_EQ(DecodeError(size, garbage), kTruncated) << seed;
      ++refused;
    } else {
      EXPECT_EQ(TLZH().Decode(size, garbage), expected) << seed;
      ++decoded;
    }
  }
  EXPECT_GT(refused, 40);
  EXPECT_GT(decoded, 40);
}

TEST(LzhDamagedInput, AnnouncedSizeBeyondTheLimitsIsRefusedBeforeAllocating) {
  // Nothing can make 1 GB a skin; a few bytes cannot hold 100 MB, nor any stream of n bytes
  // more than 48 n.
  EXPECT_EQ(DecodeError(0x40000000, Bytes(30000000, 0)), "LZH : Uncompressed size out of range");
  EXPECT_EQ(DecodeError(0x06000000, Bytes{1, 2, 3}), kTruncated);
  EXPECT_EQ(DecodeError(3000, {}), kTruncated);
  EXPECT_EQ(DecodeError(48 * 100 + 1, Bytes(100, 0)), kTruncated);
  EXPECT_EQ(TLZH::MaxDecodedSize(0), 0u);
  EXPECT_EQ(TLZH::MaxDecodedSize(1000000), 48000000u);
  EXPECT_EQ(TLZH::MaxDecodedSize(size_t{1} << 40), TLZH::kMaxDecodedSize);
}

TEST(LzhDamagedInput, BestPossibleCompressionStaysWithinTheSizeBound) {
  // Long runs of one byte come close to the densest stream there is.
  const Bytes data(4000000, 'z');
  const Bytes image = lzh::Compress(data);
  EXPECT_LE(data.size(), TLZH::MaxDecodedSize(image.size() - 4));
  EXPECT_EQ(TLZH().DecodeImage(image), data);
}

}  // namespace
