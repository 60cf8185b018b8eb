#include "engine/tlineplanner.h"

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "engine/tltbase.h"
#include "support/codederror.h"
#include "support/designedlines.h"
#include "support/sequencebase.h"
#include "toolkit/random.h"

namespace {

// Every sequence of `order` letters of the text read round, counted: a base of the loader's
// shape.
std::map<std::string, int32_t> Ring(const std::string& text, size_t order) {
  std::map<std::string, int32_t> sequences;
  const std::string round = text + text.substr(0, order - 1);
  for (size_t i = 0; i < text.size(); ++i) ++sequences[round.substr(i, order)];
  return sequences;
}

// Words "a" and "ab" after blanks.
const std::map<std::string, int32_t> kWordsAOrAB{{" a", 1}, {"a ", 1}, {"ab", 1}, {"b ", 1}};
// Words "a" alone.
const std::map<std::string, int32_t> kWordsA{{" a", 1}, {"a ", 1}};
// At order 3 a first a is followed by a second, and "aa" by a blank or a third.
const std::map<std::string, int32_t> kWordsAA{{" aa", 1}, {"a a", 1}, {"aa ", 1}, {"aaa", 1}};
// After a blank mostly a, whose word leads back to the blank; b only before c.
const std::map<std::string, int32_t> kRarelyBC{
    {" a", 1000}, {" b", 1}, {"a ", 1}, {"bc", 1}, {"c ", 1}};

// Draws on a base of the sequences (its order their length) at a generator order, under the
// neutral weights but for the given letters, from a context; lines of the lengths.
struct TDraws {
  const char* name;
  std::map<std::string, int32_t> sequences;
  int32_t order;
  std::map<unsigned char, double> weights;
  std::string context;
  std::vector<int32_t> lengths;
  // Whether a line of the lengths may come.
  bool possible = true;
};

class TLinePlannerTest : public TSequenceBaseTest {
protected:
  // Loads the base and sets the weights.
  void Prepare(const TDraws& draws) {
    Load(draws.sequences, static_cast<int32_t>(draws.sequences.begin()->first.size()), "abc");
    Weights.fill(1.0);
    for (auto [letter, weight] : draws.weights)
      Weights[Base.getAlphabet().Normalize(letter)] = weight;
  }

  std::array<double, 256> Weights;
};

TEST_F(TLinePlannerTest, ALineIsPossibleWhereSomeDrawsEndInOne) {
  // clang-format off
  const TDraws cases[] = {
      {"a line of two letters", kWordsAOrAB, 2, {}, "a ", {2}, true},
      {"a leading blank is dropped", {{"  ", 1}, {" a", 1}, {"a ", 1}}, 2, {}, "a ", {2}, false},
      {"the only letter after a of weight 0", kWordsAOrAB, 2, {{'b', 0}}, "a ", {2}, false},
      {"even lines of one-letter words end in a blank", kWordsA, 2, {}, "a ", {4}, false},
      {"odd lines of one-letter words end in a letter", kWordsA, 2, {}, "a ", {5}, true},
      // With a and the blank alike heavy, a doubled a goes on at 1.0: a blank follows.
      {"words of a doubled letter end in a blank", kWordsAA, 3, {{'a', 1e7}, {' ', 1e7}}, "aa ",
       {3}, false},
      {"words of a doubled letter and the next word's letter", kWordsAA, 3,
       {{'a', 1e7}, {' ', 1e7}}, "aa ", {4}, true},
      {"order 1 draws among every letter", kWordsA, 1, {}, "a ", {4}, true},
      // Lines of "a " end in a blank, and b is followed by c of weight 0: the draws end in the
      // logic error once a b comes.
      {"a letter whose draw picks nothing", kRarelyBC, 2, {{'c', 0}}, "c ", {2}, true},
  };
  // clang-format on
  for (const TDraws& c : cases) {
    SCOPED_TRACE(c.name);
    Prepare(c);
    TLinePlanner planner(Base, Weights.data(), c.order, c.lengths[0]);
    EXPECT_EQ(planner.LinePossible(c.context), c.possible);
  }
}

TEST_F(TLinePlannerTest, LinesAreTheDesignedOnes) {
  // The line, the random sequence and the context after it as the generator's own draws.
  const std::vector<int32_t> kLengths{30, 31, 32, 33, 34, 35};
  // clang-format off
  const TDraws cases[] = {
      {"ordinary weights", Ring("ab ba abb a bab ", 3), 3, {}, "ab ", kLengths},
      {"a heavy letter doubled", Ring("aab ba abb a bab ", 3), 3, {{'a', 400}}, "ab ", kLengths},
      {"a heavy letter ending a line and beginning the next", Ring("aab ab a ba bb ", 2), 2,
       {{'a', 400}}, "ba", kLengths},
      // Runs of one-letter words, found at order 2 from the seed alone at the one place after
      // the blank, and at order 3 from place to place; after a short line the context still
      // holds letters of the words passed over.
      {"one-letter words at one place", kWordsAOrAB, 2, {{' ', 1e4}}, "a ", kLengths},
      {"one-letter words at one place of a deeper base", Ring("a ab a b a ba ", 4), 2,
       {{' ', 1e4}}, "ba a", {2, 4, 30, 2, 31, 32}},
      {"one-letter words from place to place", Ring("a b ab b ba b a ", 3), 3, {{' ', 3e3}},
       " a ", {2, 4, 30, 31, 32, 33, 34, 35}},
      {"one-letter words from place to place of a deeper base", Ring("a b ab b ba b a ", 4), 3,
       {{' ', 3e3}}, "b a ", {2, 4, 2, 30, 2}},
      {"leading blanks", Ring("ab ba abb a bab ", 2), 1, {{' ', 1e3}}, "ab", {30, 31}},
      // Runs of hundreds of leading blanks, passed over at the place a blank leads back to:
      // at order 1 every place (the context after a short line holds blanks of the run); at
      // order 3 only after two blanks.
      {"long runs of leading blanks", Ring("ab ba abb a bab ", 4), 1, {{' ', 3e3}}, "ab a",
       {30, 1, 31, 2}},
      {"long runs of leading blanks after two", Ring("a   b ab  ba b ", 3), 3, {{' ', 3e2}},
       "b a", {30, 31, 2}},
  };
  // clang-format on
  for (const TDraws& c : cases) {
    SCOPED_TRACE(c.name);
    Prepare(c);
    for (uint32_t seed : {1u, 2024u, 0xCAFEF00Du}) {
      SCOPED_TRACE(seed);
      SeedRandom(seed);
      std::string context = c.context;
      TDesignedLines designed(Base);
      designed.Context = context;
      for (int32_t length : c.lengths) {
        SCOPED_TRACE(length);
        TLinePlanner planner(Base, Weights.data(), c.order, length);
        ASSERT_TRUE(planner.LinePossible(context));
        const uint32_t before = RandSeed;
        const std::string line = planner.DrawLine(context);
        const uint32_t after = RandSeed;
        RandSeed = before;
        std::array<double, 256> designedWeights = Weights;
        ASSERT_EQ(designed.Generate(length, c.order, designedWeights.data()), line);
        ASSERT_EQ(RandSeed, after);
        ASSERT_EQ(designed.Context, context);
        EXPECT_EQ(designedWeights, Weights);
      }
    }
  }
}

TEST_F(TLinePlannerTest, ADrawThatPicksNothingEndsInTheDesignedLogicError) {
  Prepare({"b before c of weight 0", kRarelyBC, 2, {{'c', 0}}, "c ", {2}});
  for (uint32_t seed : {1u, 2024u, 0xCAFEF00Du}) {
    SCOPED_TRACE(seed);
    SeedRandom(seed);
    std::string context = "c ";
    TLinePlanner planner(Base, Weights.data(), 2, 2);
    EXPECT_EQ(ErrorOf([&] { planner.DrawLine(context); }), "A5F26994/F Logic error");
    const uint32_t after = RandSeed;
    SeedRandom(seed);
    TDesignedLines designed(Base);
    designed.Context = "c ";
    std::array<double, 256> designedWeights = Weights;
    EXPECT_EQ(ErrorOf([&] { designed.Generate(2, 2, designedWeights.data()); }),
              "A5F26994/F Logic error");
    EXPECT_EQ(RandSeed, after);
    EXPECT_EQ(designed.Context, context);
  }
}

// The seed before `seed` in the random sequence.
uint32_t SeedBefore(uint32_t seed) {
  uint32_t inverse = kRandMultiplier;  // Newton's steps to the multiplier's inverse mod 2^32
  for (int i = 0; i < 5; ++i) inverse *= 2 - kRandMultiplier * inverse;
  return (seed - kRandIncrement) * inverse;
}

// From place to place, a word's letter is looked up by the share of draws it falls in, and its
// blank by the draws that keep every word's blank: every draw of a word's letter, and every
// draw of its blank, at every place a line may start from, gives the designed line.
TEST_F(TLinePlannerTest, EveryDrawOfAWordsLetterAndBlankGivesTheDesignedLine) {
  // clang-format off
  const TDraws cases[] = {
      {"two letters and their words", Ring("a b ab b ba b a ", 3), 3, {{' ', 30}}, "", {2}},
      {"three letters, two in a share", Ring("a b c ab cb bc c a ca ", 3), 3,
       {{' ', 30}, {'c', 0.37}}, "", {2}},
  };
  // clang-format on
  for (const TDraws& c : cases) {
    SCOPED_TRACE(c.name);
    Prepare(c);
    for (const char* start : {"ba ", "ab ", "bc ", "ac "}) {
      SCOPED_TRACE(start);
      TLinePlanner planner(Base, Weights.data(), c.order, c.lengths[0]);
      std::string probe = start;
      if (!planner.LinePossible(probe)) continue;
      // Each draw as the first word's letter draw, then as its blank's.
      for (int which = 0; which < 2; ++which) {
        int wrong = 0, first = -1;
        for (uint32_t draw = 0; draw < 32768; ++draw) {
          uint32_t seed = SeedBefore(draw << 16);
          if (which == 1) seed = SeedBefore(seed);
          RandSeed = seed;
          std::string context = start;
          const std::string line = planner.DrawLine(context);
          const uint32_t after = RandSeed;
          RandSeed = seed;
          TDesignedLines designed(Base);
          designed.Context = start;
          std::array<double, 256> designedWeights = Weights;
          const std::string expected =
              designed.Generate(c.lengths[0], c.order, designedWeights.data());
          if (line != expected || RandSeed != after || designed.Context != context) {
            if (wrong++ == 0) first = static_cast<int>(draw);
          }
        }
        EXPECT_EQ(wrong, 0) << (which ? "blank" : "letter") << " draws, the first " << first;
      }
    }
  }
}

}  // namespace
