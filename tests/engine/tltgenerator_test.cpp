#include "engine/tltgenerator.h"

#include <cmath>
#include <limits>
#include <map>
#include <set>

#include "engine/tbasestructure.h"
#include "engine/tltbase.h"
#include "support/codederror.h"
#include "support/courses.h"
#include "support/designedlines.h"
#include "support/sequencebase.h"
#include "support/testfiles.h"
#include "toolkit/exception.h"
#include "toolkit/random.h"

namespace {

// Sets the program-wide seed so that the next draw is 0.
void NextDrawIsZero() {
  uint32_t inverse = 22695477u;  // Newton's iteration for the inverse modulo 2^32
  for (int i = 0; i < 5; ++i) inverse *= 2u - 22695477u * inverse;
  RandSeed = (0u - 1u) * inverse;
}

using TLTGeneratorTest = TSequenceBaseTest;

TEST_F(TLTGeneratorTest, OrderIsClampedToTheBase) {
  Load({{"abcd", 1}}, 4);
  TLTGenerator generator(&Base);
  EXPECT_EQ(generator.getOrder(), 4);
  struct {
    int asked, given;
  } cases[] = {{9, 4}, {0, 1}, {-3, 1}, {2, 2}};
  for (auto c : cases) {
    generator.setOrder(c.asked);
    EXPECT_EQ(generator.getOrder(), c.given) << c.asked;
  }
}

TEST_F(TLTGeneratorTest, WeightsAreClampedAndSharedByCanonicalLetters) {
  Load({{"a", 1}}, 1);
  TLTGenerator generator(&Base);
  EXPECT_EQ(generator.getWeight('a'), 1.0);
  struct {
    double given, stored;
  } cases[] = {{-5, 0}, {2.5e9, 1e7}, {std::numeric_limits<double>::quiet_NaN(), 0}, {2.5, 2.5}};
  for (auto c : cases) {
    generator.setWeight('a', c.given);
    EXPECT_EQ(generator.getWeight('a'), c.stored) << c.given;
  }
  generator.setWeight('A', 3);
  EXPECT_EQ(generator.getWeight('a'), 3);
  generator.setWeight('!', 7);  // every byte outside the alphabet shares one weight
  EXPECT_EQ(generator.getWeight('?'), 7);
  EXPECT_EQ(generator.getWeight(' '), 7);
  generator.ResetWeights();
  EXPECT_EQ(generator.getWeight('a'), 1.0);
  EXPECT_EQ(generator.getWeight('!'), 1.0);
}

TEST_F(TLTGeneratorTest, OrderOneDrawsAmongTheRootsChildrenByCountTimesWeight) {
  Load({{"a", 1}, {"b", 3}, {"c", 1}}, 1);
  TLTGenerator generator(&Base);
  SeedRandom(5);
  generator.setWeight('c', 0);
  std::map<char, int> drawn;
  for (int i = 0; i < 8000; ++i) ++drawn[static_cast<char>(generator.NextLetter())];
  EXPECT_EQ(drawn['c'], 0);
  EXPECT_NEAR(drawn['b'] / 8000.0, 0.75, 0.03);
  generator.setWeight('a', 3);  // now a and b weigh alike
  drawn.clear();
  for (int i = 0; i < 8000; ++i) ++drawn[static_cast<char>(generator.NextLetter())];
  EXPECT_NEAR(drawn['a'] / 8000.0, 0.5, 0.03);
}

TEST_F(TLTGeneratorTest, OrderSetsHowManyLettersConditionTheNext) {
  // Two rings, "xabc" and "yabd": after "xab" comes only c and after "yab" only d, while after
  // "ab" or "b" both may come.
  std::map<std::string, int32_t> sequences;
  for (std::string ring : {"xabc", "yabd"})
    for (int shift = 0; shift < 4; ++shift)
      sequences[ring.substr(shift) + ring.substr(0, shift)] = 1;
  Load(sequences, 4);
  struct {
    int order;
    bool mixes;
  } cases[] = {{4, false}, {3, true}, {2, true}};
  for (auto c : cases) {
    SCOPED_TRACE(c.order);
    TLTGenerator generator(&Base);
    SeedRandom(11);
    generator.setOrder(c.order);
    std::string stream;
    for (int i = 0; i < 400; ++i) stream += static_cast<char>(generator.NextLetter());
    bool mixed =
        stream.find("xabd") != std::string::npos || stream.find("yabc") != std::string::npos;
    EXPECT_EQ(mixed, c.mixes) << stream;
  }
}

TEST_F(TLTGeneratorTest, TheFirstLetterFollowsARandomPathOfTheBasesOrder) {
  Load({{"abcd", 1},
        {"bcda", 1},
        {"cdab", 1},
        {"dabc", 1},
        {"abce", 1},
        {"bcea", 1},
        {"ceab", 1},
        {"eabc", 1}},
       4);
  std::set<std::string> contexts;
  for (uint32_t seed = 0; seed < 40; ++seed) {
    TLTGenerator generator(&Base);
    SeedRandom(seed);
    unsigned char letter = generator.NextLetter();
    const std::string& context = generator.getContext();
    ASSERT_EQ(context.size(), 4u);
    EXPECT_EQ(static_cast<unsigned char>(context[3]), letter);
    // The walk's last three letters condition the draw, so they and the letter form a path.
    TBaseStructure* node = Base.getRoot();
    for (char c : context)
      node = node ? node->FindChild(static_cast<unsigned char>(c), false) : nullptr;
    EXPECT_NE(node, nullptr) << context;
    contexts.insert(context.substr(0, 3));
  }
  EXPECT_GT(contexts.size(), 3u);  // the walks differ
}

TEST_F(TLTGeneratorTest, ADrawOfZeroTakesTheFirstCandidateOfNonZeroWeight) {
  Load({{"a", 5}, {"b", 5}, {"c", 5}}, 1);
  TLTGenerator generator(&Base);
  generator.setWeight('a', 0);
  generator.NextLetter();  // fills the context
  NextDrawIsZero();
  EXPECT_EQ(generator.NextLetter(), 'b');
}

TEST_F(TLTGeneratorTest, LinesHaveTheirLengthAndNoBlankAtEitherEnd) {
  Load({{"a ", 1}, {" a", 1}, {"ab", 3}, {"ba", 1}, {"b ", 2}, {" b", 2}}, 2);
  TLTGenerator generator(&Base);
  SeedRandom(3);
  for (int i = 0; i < 300; ++i) {
    std::string line = generator.Generate(30);
    ASSERT_EQ(line.size(), 30u);
    EXPECT_NE(line.front(), ' ');
    EXPECT_NE(line.back(), ' ');
  }
  EXPECT_EQ(generator.Generate(0), "");
}

TEST_F(TLTGeneratorTest, ADoubledLetterGoesOnAtNeutralWeight) {
  // After l comes l or x alike; with l at 400 a run of l would hardly end, but once doubled it
  // is drawn at 1.0 against x, so longer runs halve with each letter.
  Load({{"ll", 1}, {"lx", 1}, {"xl", 1}, {"xx", 1}}, 2);
  TLTGenerator generator(&Base);
  SeedRandom(21);
  generator.setWeight('l', 400);
  std::map<size_t, int> runs;
  for (int i = 0; i < 200; ++i) {
    std::string line = generator.Generate(60);
    EXPECT_EQ(generator.getWeight('l'), 400);
    for (size_t at = 0; (at = line.find('l', at)) != std::string::npos;) {
      size_t end = line.find_first_not_of('l', at);
      if (at > 0 && end != std::string::npos) ++runs[end - at];
      at = end == std::string::npos ? line.size() : end;
    }
  }
  int longRuns = 0, total = 0;
  for (auto [length, count] : runs) {
    total += count;
    if (length >= 12) longRuns += count;
  }
  EXPECT_GT(total, 100);
  EXPECT_GT(runs[2], runs[1]);  // the second l still comes at 400
  EXPECT_LT(longRuns, total / 100);
}

TEST(TLTGeneratorShippedTest, AHeavyBlankNeverStopsTheLinesOfAShippedBase) {
  for (const char* course : {"English", "Russian"}) {
    TLTBase base;
    ASSERT_TRUE(base.LoadFromFile(ShippedCourseFile(std::string(course) + ".Base")));
    TLTGenerator generator(&base);
    for (double blank : {1e5, 1e6, 1e7}) {
      for (int32_t order : {2, 3}) {
        SCOPED_TRACE(std::string(course) + ", blank weight " + std::to_string(blank) + ", order " +
                     std::to_string(order));
        SeedRandom(static_cast<uint32_t>(blank) + order);
        generator.setOrder(order);
        for (int32_t length = 30; length < 70; ++length) {
          generator.ResetWeights();
          generator.setWeight(' ', blank);
          std::string line;
          ASSERT_EQ(ErrorOf([&] { line = generator.Generate(length); }), "") << length;
          ASSERT_EQ(line.size(), static_cast<size_t>(length));
          EXPECT_NE(line.front(), ' ');
          EXPECT_NE(line.back(), ' ');
          EXPECT_EQ(generator.getWeight(' '), blank);
        }
      }
    }
  }
}

TEST(TLTGeneratorShippedTest, LinesAfterManyBlankEndedOnesAreTheDesignedOnes) {
  // Where the designed loop ends soon enough to run it here: the same lines, the same random
  // sequence and the same context after each.
  // Besides the blank, a letter weighs in: e, or its Russian counterpart.
  const unsigned char e = 'e', ye = 0xE5;
  const struct {
    const char* course;
    unsigned char letter;
    double blank, weight;
    int32_t order, shortest, longest;
  } cases[] = {{"English", e, 1e5, 1e3, 2, 30, 69},
               {"English", e, 1e6, 1e3, 3, 30, 69},
               {"Russian", ye, 1e6, 1e3, 2, 30, 69},
               {"Russian", ye, 1e7, 1e3, 3, 30, 69},
               {"English", e, 400, 1e3, 2, 30, 69},
               // Long runs of words of one letter: at one place after the blank, found from
               // the random sequence's period, and from place to place.
               {"English", e, 1e6, 1, 2, 30, 37},
               {"Russian", ye, 1e7, 1, 2, 30, 31},
               {"English", e, 1e7, 1, 3, 30, 33},
               // Leading blanks by the thousand.
               {"English", e, 1e5, 1, 1, 30, 37}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.course) + ", blank weight " + std::to_string(c.blank) + ", order " +
                 std::to_string(c.order));
    TLTBase base;
    ASSERT_TRUE(base.LoadFromFile(ShippedCourseFile(std::string(c.course) + ".Base")));
    TLTGenerator generator(&base);
    SeedRandom(7);
    generator.setOrder(c.order);
    generator.NextLetter();
    TDesignedLines designed(base);
    designed.Context = generator.getContext();
    double weights[256];
    for (int32_t length = c.shortest; length <= c.longest; ++length) {
      generator.ResetWeights();
      generator.setWeight(' ', c.blank);
      generator.setWeight(c.letter, c.weight);
      for (int i = 0; i < 256; ++i) weights[i] = generator.getWeight(static_cast<unsigned char>(i));
      const uint32_t seed = RandSeed;
      const std::string line = generator.Generate(length);
      const uint32_t after = RandSeed;
      RandSeed = seed;
      ASSERT_EQ(designed.Generate(length, c.order, weights), line) << length;
      ASSERT_EQ(RandSeed, after) << length;
      ASSERT_EQ(designed.Context, generator.getContext()) << length;
    }
  }
}

TEST_F(TLTGeneratorTest, ANegativeCountIsDrawnAsDesigned) {
  // After a blank the running sums are 5, 2, 6 and 7: a is drawn below 5, c up to 6, d above,
  // and b never; sums that fall fit no table of ranges. With the blank heavy, lines of an even
  // length end in a blank for hundreds of words.
  Load({{" a", 5},
        {" b", -3},
        {" c", 4},
        {" d", 1},
        {"a ", 9},
        {"ab", 1},
        {"b ", 9},
        {"ba", 1},
        {"c ", 9},
        {"cd", 1},
        {"d ", 9},
        {"dc", 1}},
       2, "abcd");
  TLTGenerator generator(&Base);
  SeedRandom(5);
  generator.NextLetter();
  TDesignedLines designed(Base);
  designed.Context = generator.getContext();
  double weights[256];
  for (int32_t length = 30; length < 70; ++length) {
    SCOPED_TRACE(length);
    generator.ResetWeights();
    generator.setWeight(' ', 100);
    for (int i = 0; i < 256; ++i) weights[i] = generator.getWeight(static_cast<unsigned char>(i));
    const uint32_t seed = RandSeed;
    const std::string line = generator.Generate(length);
    const uint32_t after = RandSeed;
    RandSeed = seed;
    ASSERT_EQ(designed.Generate(length, 2, weights), line);
    ASSERT_EQ(RandSeed, after);
    ASSERT_EQ(designed.Context, generator.getContext());
  }
}

TEST_F(TLTGeneratorTest, DamagedBasesEndInACodedError) {
  struct TCase {
    const char* name;
    std::map<std::string, int32_t> sequences;
    int32_t order;
    std::string error;
  } cases[] = {
      {"empty base", {}, 4, "2F86C1D7/F Logic error"},
      {"order 0", {{"a", 1}}, 0, "2F86C1D7/F Logic error"},
      {"order beyond the trie's depth", {{"ab", 1}, {"ba", 1}}, 9, "2F86C1D7/F Logic error"},
      {"no suffix paths", {{"abcd", 1}}, 4, "2F86C1D7/F Logic error"},
      {"only blanks", {{" ", 4}}, 1, "2F86C1D7/F Logic error"},
      {"letter 0", {{std::string(1, '\0'), 4}}, 1, "2F86C1D7/F Logic error"},
      {"prefix without continuation", {{"ab", 1}, {"b", 1}}, 2, "A5F26994/F Logic error"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    Load(c.sequences, c.order);
    TLTGenerator generator(&Base);
    SeedRandom(1);
    EXPECT_EQ(ErrorOf([&] { generator.Generate(30); }), c.error);
  }
}

TEST_F(TLTGeneratorTest, HugeSiblingChainsEndInACodedErrorSoon) {
  // Damaged bases whose every draw renews the context across a million siblings: without a
  // bound on the nodes looked at, the draws alone would take hours.
  std::vector<TTestRecord> pairs;
  for (int i = 0; i < 500000; ++i) {
    pairs.push_back({1, 's', 1});
    pairs.push_back({2, 'x', 1});
  }
  struct TCase {
    const char* name;
    int32_t order;
    std::vector<TTestRecord> records;
  } cases[] = {
      {"a million first letters", 4, std::vector<TTestRecord>(1000000, {1, 's', 1})},
      {"a prefix missing among half a million siblings", 2, pairs},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TTestHeader header;
    header.Order = c.order;
    TempDir::Write(PathOf("Wide.Base"), BaseBytes(header, c.records));
    ASSERT_TRUE(Base.LoadFromFile(PathOf("Wide.Base")));
    TLTGenerator generator(&Base);
    SeedRandom(1);
    EXPECT_EQ(ErrorOf([&] { generator.Generate(30); }), "2F86C1D7/F Logic error");
  }
}

TEST_F(TLTGeneratorTest, NoLetterOfWeightAboveZeroIsALogicError) {
  Load({{"a", 1}, {"b", 1}}, 1);
  TLTGenerator generator(&Base);
  generator.setWeight('a', 0);
  generator.setWeight('b', 0);
  EXPECT_EQ(ErrorOf([&] { generator.NextLetter(); }), "A5F26994/F Logic error");
}

TEST_F(TLTGeneratorTest, DrawsThatReachALetterOfNoWeightEndInTheDesignedLogicError) {
  // Lines of "a " end in a blank, and the rare b is followed only by c, of weight 0: the
  // designed draws end in the logic error once a b comes, long after the line loop has handed
  // over to the planner; a line at the neutral weights would be "bc".
  Load({{" a", 1000}, {" b", 1}, {"a ", 1}, {"bc", 1}, {"c ", 1}}, 2, "abc");
  TLTGenerator generator(&Base);
  for (uint32_t seed : {1u, 2024u, 0xCAFEF00Du}) {
    SCOPED_TRACE(seed);
    generator.ResetWeights();
    SeedRandom(seed);
    generator.NextLetter();
    generator.setWeight('c', 0);
    double weights[256];
    for (int i = 0; i < 256; ++i) weights[i] = generator.getWeight(static_cast<unsigned char>(i));
    TDesignedLines designed(Base);
    designed.Context = generator.getContext();
    const uint32_t before = RandSeed;
    EXPECT_EQ(ErrorOf([&] { generator.Generate(2); }), "A5F26994/F Logic error");
    const uint32_t after = RandSeed;
    RandSeed = before;
    EXPECT_EQ(ErrorOf([&] { designed.Generate(2, 2, weights); }), "A5F26994/F Logic error");
    EXPECT_EQ(RandSeed, after);
    EXPECT_EQ(designed.Context, generator.getContext());
    EXPECT_EQ(generator.getWeight('c'), 0);
  }
}

TEST_F(TLTGeneratorTest, ATrieDeeperThanItsOrderIsReadWithinTheContext) {
  Load({{std::string(200, 'a'), 1}}, 2);
  TLTGenerator generator(&Base);
  EXPECT_EQ(generator.Generate(30), std::string(30, 'a'));
  EXPECT_EQ(generator.getContext().size(), 2u);
}

TEST_F(TLTGeneratorTest, WithoutABaseThereIsNoLine) {
  TLTGenerator generator(nullptr);
  EXPECT_EQ(ErrorOf([&] { generator.Generate(30); }), "4C3B0DCB/F No base");
}

}  // namespace
