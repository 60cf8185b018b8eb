#include "engine/tdsstructure.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A node that counts the living nodes of its class, to see what a destruction takes along.
class TCountedNode : public TDSStructure {
public:
  TCountedNode(TDSStructure* creator, int type) : TDSStructure(creator, type) { ++Living; }
  ~TCountedNode() override { --Living; }
  void CreateNext() override { new TCountedNode(this, ctNext); }
  void CreateSub() override { new TCountedNode(this, ctSub); }
  static inline int Living = 0;
};

class TDSStructureTest : public ::testing::Test {
protected:
  void SetUp() override { TCountedNode::Living = 0; }
};

TEST_F(TDSStructureTest, ConstructorLinksToItsCreator) {
  TDSStructure root(nullptr, TDSStructure::ctNext);
  EXPECT_EQ(root.getLevel(), 0);
  EXPECT_EQ(root.getPrev(), nullptr);
  root.CreateSub();
  TDSStructure* child = root.getSub();
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->getLevel(), 1);
  EXPECT_EQ(child->getPrev(), &root);
  child->CreateNext();
  EXPECT_EQ(child->getNext()->getLevel(), 1);
  EXPECT_EQ(child->getNext()->getPrev(), child);
}

TEST_F(TDSStructureTest, ConstructorRejectsAWrongType) {
  struct TCase {
    const char* name;
    bool withCreator;
    int type;
    std::string message;
  } cases[] = {
      {"sub without creator", false, TDSStructure::ctSub,
       "TDLStructure::TDLStructure - Parent for SubElement NOT defined!"},
      {"unknown type", true, 2, "TDLStructure::TDLStructure - Incorrect CreatingElementType!"},
      {"negative type", false, -1, "TDLStructure::TDLStructure - Incorrect CreatingElementType!"},
  };
  TDSStructure creator(nullptr, TDSStructure::ctNext);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      TDSStructure node(c.withCreator ? &creator : nullptr, c.type);
      ADD_FAILURE() << "no throw";
    } catch (const char* text) {
      EXPECT_EQ(text, c.message);
    }
    EXPECT_EQ(creator.getSub(), nullptr);
    EXPECT_EQ(creator.getNext(), nullptr);
  }
}

TEST_F(TDSStructureTest, AddSubPutsTheNewChildFirst) {
  TCountedNode root(nullptr, TDSStructure::ctNext);
  root.AddSub();
  TDSStructure* first = root.getSub();
  root.AddSub();
  TDSStructure* added = root.getSub();
  EXPECT_NE(added, first);
  EXPECT_EQ(added->getNext(), first);
  EXPECT_EQ(first->getPrev(), added);
  EXPECT_EQ(added->getPrev(), &root);
  EXPECT_EQ(first->getLevel(), 1);
  EXPECT_EQ(added->getLevel(), 1);
}

TEST_F(TDSStructureTest, AddNextInsertsInTheMiddleOfAChain) {
  TCountedNode root(nullptr, TDSStructure::ctNext);
  root.AddSub();
  TDSStructure* a = root.getSub();
  a->AddNext();
  TDSStructure* c = a->getNext();
  a->AddNext();
  TDSStructure* b = a->getNext();
  EXPECT_EQ(b->getNext(), c);
  EXPECT_EQ(c->getPrev(), b);
  EXPECT_EQ(b->getPrev(), a);
  EXPECT_EQ(c->getNext(), nullptr);
}

TEST_F(TDSStructureTest, DestructionTakesChildrenAndLaterSiblingsAndUnlinks) {
  auto* root = new TCountedNode(nullptr, TDSStructure::ctNext);
  // root: children a, b, c; a and b each with two children.
  root->AddSub();
  TDSStructure* a = root->getSub();
  a->AddNext();
  TDSStructure* b = a->getNext();
  b->AddNext();
  for (TDSStructure* parent : {a, b}) {
    parent->AddSub();
    parent->AddSub();
  }
  ASSERT_EQ(TCountedNode::Living, 8);

  delete b;  // a later child: b, its children and c go; a's Next is cleared
  EXPECT_EQ(a->getNext(), nullptr);
  EXPECT_EQ(TCountedNode::Living, 4);

  delete a;  // a first child: the parent's Sub is cleared
  EXPECT_EQ(root->getSub(), nullptr);
  EXPECT_EQ(TCountedNode::Living, 1);
  delete root;
  EXPECT_EQ(TCountedNode::Living, 0);
}

TEST_F(TDSStructureTest, HugeChainsAndDepthsAreDestroyedWithoutRecursion) {
  constexpr int kNodes = 1000000;
  auto* deep = new TCountedNode(nullptr, TDSStructure::ctNext);
  TDSStructure* node = deep;
  for (int i = 0; i < kNodes; ++i, node = node->getSub()) node->CreateSub();
  EXPECT_EQ(node->getLevel(), kNodes);
  auto* wide = new TCountedNode(nullptr, TDSStructure::ctNext);
  wide->CreateSub();
  node = wide->getSub();
  for (int i = 0; i < kNodes; ++i, node = node->getNext()) {
    node->CreateNext();
    if (i % 2) node->CreateSub();  // a few children on the way
  }
  delete deep;
  delete wide;
  EXPECT_EQ(TCountedNode::Living, 0);
}

}  // namespace
