#include "engine/tbasestructure.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

namespace {

std::unique_ptr<TBaseStructure> MakeRoot() {
  return std::make_unique<TBaseStructure>(nullptr, TDSStructure::ctNext);
}

// Adds children with the given letters and counts, in this sibling order.
std::vector<TBaseStructure*> AddChildren(TBaseStructure* parent, const std::string& letters,
                                         std::vector<int32_t> counts = {}) {
  std::vector<TBaseStructure*> children;
  for (size_t i = letters.size(); i-- > 0;) {
    TBaseStructure* child = parent->FindChild(static_cast<unsigned char>(letters[i]), true);
    if (i < counts.size()) child->setCount(counts[i]);
    children.insert(children.begin(), child);
  }
  return children;
}

TEST(TBaseStructure, NewNodesAreTrieNodesWithoutLetterOrCount) {
  auto root = MakeRoot();
  root->AddSub();
  root->getFirstChild()->AddNext();
  for (TBaseStructure* node : {root->getFirstChild(), root->getFirstChild()->getNextSibling()}) {
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->getLetter(), 0);
    EXPECT_EQ(node->getCount(), 0);
  }
}

TEST(TBaseStructure, ComputeTotalsSumsTheLeavesBottomUp) {
  auto root = MakeRoot();
  root->setCount(99);
  EXPECT_EQ(root->ComputeTotals(), 99);  // no children: keeps its own count

  TBaseStructure* parent = AddChildren(root.get(), "p", {1000})[0];
  AddChildren(parent, "abc", {3, 4, 5});
  TBaseStructure* other = AddChildren(root.get(), "q", {7})[0];
  TBaseStructure* deep = AddChildren(other, "x")[0];
  AddChildren(deep, "yz", {INT32_MAX, 1});  // wraps, as 32-bit sums do
  root->ComputeTotals();
  EXPECT_EQ(parent->getCount(), 12);
  EXPECT_EQ(deep->getCount(), INT32_MIN);
  EXPECT_EQ(root->getCount(), 12 + INT32_MIN);
}

TEST(TBaseStructure, FindChildTakesTheFirstMatchOrAddsInFront) {
  auto root = MakeRoot();
  std::vector<TBaseStructure*> children = AddChildren(root.get(), "ab", {1, 2});
  // A damaged base may hold a letter twice: the first in sibling order answers.
  children[1]->AddNext();
  TBaseStructure* second = children[1]->getNextSibling();
  second->setLetter('a');
  EXPECT_EQ(root->FindChild('a', false), children[0]);
  EXPECT_EQ(root->FindChild('z', false), nullptr);

  TBaseStructure* added = root->FindChild('z', true);
  EXPECT_EQ(root->getFirstChild(), added);
  EXPECT_EQ(added->getLetter(), 'z');
  EXPECT_EQ(added->getCount(), 0);
  EXPECT_EQ(added->getNextSibling(), children[0]);
}

TEST(TBaseStructure, WalksEndAtANodeOfAnotherClass) {
  auto root = MakeRoot();
  TBaseStructure* a = AddChildren(root.get(), "a", {2})[0];
  new TDSStructure(a, TDSStructure::ctNext);  // a plain node after a
  EXPECT_EQ(a->getNextSibling(), nullptr);
  EXPECT_EQ(root->FindChild(0, false), nullptr);
  EXPECT_EQ(root->ComputeTotals(), 2);
}

TEST(TBaseStructure, TotalsOfHugeShapesNeedNoRecursion) {
  constexpr int kNodes = 1000000;
  auto root = MakeRoot();
  TBaseStructure* node = root.get();
  for (int i = 0; i < kNodes; ++i) node = node->FindChild('a', true);
  node->setCount(5);
  TBaseStructure* wide = root->FindChild('w', true);
  for (int i = 0; i < kNodes; ++i) {
    wide->AddSub();
    wide->getFirstChild()->setCount(1);
  }
  EXPECT_EQ(root->ComputeTotals(), 5 + kNodes);
  EXPECT_EQ(root->FindChild('a', false)->getCount(), 5);
}

}  // namespace
