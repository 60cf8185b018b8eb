#include "engine/toneletterwords.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/drawnode.h"
#include "toolkit/random.h"

namespace {

using TRange = TOneLetterWords::TRange;

// Word after word, as the generator draws them: the words from `seed` before the first whose
// letter picks nothing or whose next draw is no blank back to the place.
std::optional<uint64_t> DesignedWordsBefore(const TDrawNode& node,
                                            const std::vector<TRange>& blanks, uint32_t seed) {
  for (uint64_t words = 0; words < (uint64_t{1} << 30); ++words) {
    seed = NextSeed(seed);
    const int index = node.Designed(DrawOf(seed));
    if (index < 0) return words;
    seed = NextSeed(seed);
    const int blank = DrawOf(seed);
    if (blank < blanks[index].First || blank >= blanks[index].End) return words;
  }
  return std::nullopt;
}

constexpr TRange kEveryDraw{0, 32768}, kNone{0, 0};

const struct TCase {
  const char* name;
  std::vector<TDrawChild> place;
  std::vector<TRange> blanks;
} kCases[] = {
    {"a letter that leaves half the time", {{'a', 1}, {'b', 1}}, {kEveryDraw, kNone}},
    {"a blank that comes half the time", {{'a', 1}}, {{0, 16384}}},
    {"a blank that comes but for the first and last draw", {{'a', 1}}, {{1, 32767}}},
    {"a place that picks nothing", {{'a', 0}, {'b', 3, 0}}, {kEveryDraw, kEveryDraw}},
    {"letters of weight 0 among the word's",
     {{'a', 1}, {'b', 0}, {'c', 1}},
     {kEveryDraw, kNone, {0, 32767}}},
    // Runs that outlast the word-by-word look, found from the period's tables: a letter of one
    // draw whose blank misses 64, one of 64 draws whose blank misses one, both at one place, and
    // a letter of one draw that never takes its blank (beyond the look from seed 7).
    {"a rare letter whose blank misses often", {{'a', 32767}, {'b', 1}}, {kEveryDraw, {0, 32704}}},
    {"a letter of 64 draws whose blank misses one",
     {{'a', 32704}, {'b', 64}},
     {kEveryDraw, {1, 32768}}},
    {"both at one place",
     {{'a', 32703}, {'b', 64}, {'c', 1}},
     {kEveryDraw, {1, 32768}, {0, 32704}}},
    {"a rare letter without its blank", {{'a', 32767}, {'b', 1}}, {kEveryDraw, kNone}},
};

TEST(TOneLetterWords, WordsBeforeTheFirstThatLeavesAreTheDesignedOnes) {
  for (const TCase& c : kCases) {
    SCOPED_TRACE(c.name);
    TDrawNode node(c.place);
    TDrawTable table(node.Root.get(), node.Weights, node.Alphabet);
    TOneLetterWords words(table, c.blanks);
    for (uint32_t seed : {0u, 1u, 7u, 12345u, 0x8000FFFFu, 0xDEADBEEFu, 0xFFFFFFFFu}) {
      const std::optional<uint64_t> designed = DesignedWordsBefore(node, c.blanks, seed);
      ASSERT_TRUE(designed.has_value()) << seed;
      EXPECT_EQ(words.WordsBefore(seed), designed) << seed;
    }
  }
}

TEST(TOneLetterWords, ARunThatEveryWordGoesOnHasNoEnd) {
  struct {
    const char* name;
    std::vector<TDrawChild> place;
    std::vector<TRange> blanks;
  } cases[] = {
      {"one letter, every blank", {{'a', 1}}, {kEveryDraw}},
      {"two letters, every blank", {{'a', 1}, {'b', 2}}, {kEveryDraw, kEveryDraw}},
      {"a letter of weight 0 that would leave", {{'a', 1}, {'b', 1, 0}}, {kEveryDraw, kNone}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TDrawNode node(c.place);
    TDrawTable table(node.Root.get(), node.Weights, node.Alphabet);
    EXPECT_EQ(TOneLetterWords(table, c.blanks).WordsBefore(99), std::nullopt);
  }
}

}  // namespace
