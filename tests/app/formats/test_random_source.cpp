// The program-wide random source against values worked out by hand from its definition.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "app/formats/random_source.h"

TEST(RandomSource, StepsTheSeedFromZero) {
  TRandomSource random;
  std::vector<std::uint32_t> seeds;
  for (int i = 0; i < 6; ++i) {
    random.Random(1);
    seeds.push_back(random.Seed());
  }
  EXPECT_EQ(seeds, (std::vector<std::uint32_t>{1, 134775814, 3698175007u, 870078620, 1172187917, 2884733762u}));
}

TEST(RandomSource, DrawsBelowNFromTheUpperBitsOfTheProduct) {
  TRandomSource random;
  std::vector<int> draws;
  for (int i = 0; i < 8; ++i) draws.push_back(random.Random(100));
  EXPECT_EQ(draws, (std::vector<int>{0, 3, 86, 20, 27, 67, 31, 16}));
  // n = 0 and n = 1 always give 0, and still take a step.
  const std::uint32_t before = random.Seed();
  EXPECT_EQ(random.Random(0), 0);
  EXPECT_NE(random.Seed(), before);
  // A step that lands on the largest seed gives the largest value, n - 1.
  random.SetSeed(0x4D60AE66u);
  EXPECT_EQ(random.Random(1000), 999);
  EXPECT_EQ(random.Seed(), UINT32_MAX);
}

TEST(RandomSource, RangeIsMinPlusADrawBelowTheDistance) {
  TRandomSource random;
  std::vector<int> draws;
  for (int i = 0; i < 5; ++i) draws.push_back(random.RandomRange(5, -5));  // order does not matter
  EXPECT_EQ(draws, (std::vector<int>{-5, -5, 3, -3, -3}));
  EXPECT_EQ(random.RandomRange(7, 7), 7);  // distance 0
  // The full int range does not overflow.
  for (int i = 0; i < 100; ++i) {
    random.RandomRange(INT_MIN, INT_MAX);
    EXPECT_LT(random.RandomRange(INT_MAX - 1, INT_MAX), INT_MAX);
  }
}

TEST(RandomSource, NegativeNStaysBetweenNAndZero) {
  TRandomSource random(123456789);
  for (int i = 0; i < 200; ++i) {
    const int v = random.Random(-10);
    EXPECT_GE(v, -10);
    EXPECT_LE(v, 0);
  }
}

TEST(RandomSource, TheProgramHasOneSource) { EXPECT_EQ(&ProgramRandom(), &ProgramRandom()); }
