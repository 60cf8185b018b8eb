#include "engine/tdrawtable.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "support/drawnode.h"

namespace {

const struct TCase {
  const char* name;
  std::vector<TDrawChild> children;
  // Each candidate's first draw, and the first draw that picks none.
  std::vector<int> first;
  int noneFrom;
  // The only candidate every draw picks, -1 for none.
  int forced;
} kCases[] = {
    {"halves", {{'a', 1}, {'b', 1}}, {0, 16384}, 32768, -1},
    {"a third and two thirds", {{'a', 1}, {'b', 2}}, {0, 10923}, 32768, -1},
    {"one child", {{'a', 7}}, {0}, 32768, 0},
    {"a run's edge is a candidate's first draw", {{'a', 128}, {'b', 32640}}, {0, 128}, 32768, -1},
    {"a candidate's first draw within a run", {{'a', 129}, {'b', 32639}}, {0, 129}, 32768, -1},
    {"the last draw alone", {{'a', 32767}, {'b', 1}}, {0, 32767}, 32768, -1},
    {"a count of 0 between", {{'a', 1}, {'b', 0}, {'c', 1}}, {0, 16384, 16384}, 32768, -1},
    {"a weight of 0 first", {{'a', 5, 0}, {'b', 5}, {'c', 5}}, {0, 0, 16384}, 32768, -1},
    {"one candidate left of weight", {{'a', 5, 0}, {'b', 5}, {'c', 0}}, {0, 0, 32768}, 32768, 1},
    {"every weight 0", {{'a', 3, 0}, {'b', 3, 0}}, {0, 0}, 0, -1},
    {"every count 0", {{'a', 0}, {'b', 0}}, {0, 0}, 0, -1},
    {"no children", {}, {}, 0, -1},
    // The limits: the largest count at the largest weight, and the least share they leave.
    {"largest count and weight beside a count of 1",
     {{'a', INT32_MAX, 1e7}, {'b', 1}},
     {0, 32768},
     32768,
     0},
    {"a share just under one draw", {{'a', 32767 * 2 + 1}, {'b', 1}}, {0, 32768}, 32768, 0},
    {"a share of one draw", {{'a', 32767}, {'b', 1}, {'c', 0}}, {0, 32767, 32768}, 32768, -1},
    {"four largest counts at the largest weight",
     {{'a', INT32_MAX, 1e7}, {'b', INT32_MAX, 1e7}, {'c', INT32_MAX, 1e7}, {'d', INT32_MAX, 1e7}},
     {0, 8192, 16384, 24576},
     32768,
     -1},
    // Draw 0 picks the first candidate of any weight above 0.
    {"a smallest weight", {{'a', 1, 1e-300}, {'b', 1}}, {0, 1}, 32768, -1},
    // Blanks and other non-letters share one weight.
    {"non-letters share entry 0",
     {{' ', 1, 3}, {'.', 1, 3}, {'a', 2}},
     {0, 12288, 24576},
     32768,
     -1},
};

TEST(TDrawTable, CandidatesFirstDrawsAndTheDrawsThatPickNone) {
  for (const TCase& c : kCases) {
    SCOPED_TRACE(c.name);
    TDrawNode node(c.children);
    TDrawTable table(node.Root.get(), node.Weights, node.Alphabet);
    ASSERT_EQ(table.Candidates().size(), c.first.size());
    int index = 0;
    for (const TBaseStructure* child = node.Root->getFirstChild(); child;
         child = child->getNextSibling(), ++index) {
      EXPECT_EQ(table.Candidates()[index].Child, child) << index;
      EXPECT_EQ(table.Candidates()[index].First, c.first[index]) << index;
    }
    EXPECT_EQ(table.NoneFrom(), c.noneFrom);
    EXPECT_EQ(table.Forced(), c.forced);
  }
}

TEST(TDrawTable, EveryDrawPicksWhatTheRunningSumPicks) {
  for (const TCase& c : kCases) {
    SCOPED_TRACE(c.name);
    TDrawNode node(c.children);
    TDrawTable table(node.Root.get(), node.Weights, node.Alphabet);
    std::vector<bool> drawn(c.children.size(), false);
    for (int r = 0; r < 32768; ++r) {
      const int designed = node.Designed(r);
      ASSERT_EQ(table.Pick(r), designed) << r;
      if (designed >= 0) {
        drawn[static_cast<size_t>(designed)] = true;
        ASSERT_GE(r, table.Candidates()[static_cast<size_t>(designed)].First) << r;
        ASSERT_LT(r, table.End(static_cast<size_t>(designed))) << r;
      } else {
        ASSERT_GE(r, table.NoneFrom()) << r;
      }
    }
    for (size_t i = 0; i < drawn.size(); ++i) EXPECT_EQ(table.Drawn(i), drawn[i]) << i;
  }
}

TEST(TDrawTable, ManyCandidatesInMixedRuns) {
  // Candidates of a few draws each: most runs of draws hold several, and a draw is looked up
  // among them.
  std::vector<TDrawChild> children;
  for (int i = 0; i < 200; ++i) children.push_back({static_cast<char>(i + 1), i % 7});
  TDrawNode node(children);
  TDrawTable table(node.Root.get(), node.Weights, node.Alphabet);
  for (int r = 0; r < 32768; ++r) ASSERT_EQ(table.Pick(r), node.Designed(r)) << r;
  EXPECT_EQ(table.Forced(), -1);
}

}  // namespace
