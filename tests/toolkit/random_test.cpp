#include "toolkit/random.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(Random, SeedingMakesOneDraw) {
  // Seed 0 becomes 1 after the seeding draw; the next seed is 22695478, whose draw is 346.
  SeedRandom(0);
  EXPECT_EQ(RandSeed, 1u);
  EXPECT_EQ(Rand(), 346);
}

TEST(Random, SameSeedSameSequence) {
  SeedRandom(12345);
  int first[20];
  for (int& draw : first) draw = Rand();
  SeedRandom(12345);
  for (int draw : first) EXPECT_EQ(Rand(), draw);
}

TEST(Random, SeedAfterIsThatManyDraws) {
  for (uint64_t draws : {0u, 1u, 2u, 3u, 1000u, 65537u}) {
    SCOPED_TRACE(draws);
    RandSeed = 4242;
    for (uint64_t i = 0; i < draws; ++i) Rand();
    EXPECT_EQ(SeedAfter(4242, draws), RandSeed);
  }
  // The sequence comes round after 2^32 draws, and not after half of them.
  EXPECT_EQ(SeedAfter(4242, uint64_t{1} << 32), 4242u);
  EXPECT_NE(SeedAfter(4242, uint64_t{1} << 31), 4242u);
}

TEST(Random, DrawsStayInRange) {
  SeedRandom(7);
  std::set<int> seen;
  for (int i = 0; i < 20000; ++i) {
    int draw = Rand();
    ASSERT_GE(draw, 0);
    ASSERT_LE(draw, 32767);
    int pick = Random(3);
    ASSERT_GE(pick, 0);
    ASSERT_LT(pick, 3);
    seen.insert(pick);
    int32_t wide = Random31();
    ASSERT_GE(wide, 0);
  }
  EXPECT_EQ(seen.size(), 3u);
  EXPECT_EQ(Random(0), 0);
}

TEST(Random, Random31ModuloTwoIsNotAlternating) {
  SeedRandom(99);
  int previous = Random31() % 2, changes = 0;
  for (int i = 0; i < 1000; ++i) {
    int bit = Random31() % 2;
    changes += bit != previous;
    previous = bit;
  }
  EXPECT_GT(changes, 300);
  EXPECT_LT(changes, 700);
}

}  // namespace
