#pragma once
// A node of a course's letter trie: the letter that leads to it from its parent and the count
// of the letter sequence spelled from the root to it. Ownership and threads as TDSStructure.

#include <cstdint>
#include <typeinfo>

#include "engine/tdsstructure.h"

class TBaseStructure : public TDSStructure {
public:
  TBaseStructure(TDSStructure* creator, int creatingElementType)
      : TDSStructure(creator, creatingElementType) {}

  void CreateNext() override;
  void CreateSub() override;

  // Makes every inner node's count the sum of its children's totals (wrapping 32-bit sums) and
  // returns this node's; a leaf keeps its count. Any depth and width, without recursion.
  int32_t ComputeTotals();
  // The first child carrying `letter`; else, with `create`, a new first child with that letter
  // and count 0; else null.
  TBaseStructure* FindChild(unsigned char letter, bool create);

  // The first child and the next sibling as trie nodes: a walk over children ends at a node of
  // another class, which belongs to no trie.
  TBaseStructure* getFirstChild() const { return AsBase(getSub()); }
  TBaseStructure* getNextSibling() const { return AsBase(getNext()); }

  unsigned char getLetter() const { return Letter; }
  void setLetter(unsigned char letter) { Letter = letter; }
  int32_t getCount() const { return Count; }
  void setCount(int32_t count) { Count = count; }

private:
  // Every node of a loaded trie is exactly this class: one inline type comparison in the
  // generator's inner loops, a full dynamic cast only for a node of another class.
  static TBaseStructure* AsBase(TDSStructure* node) {
    if (node && typeid(*node) == typeid(TBaseStructure)) return static_cast<TBaseStructure*>(node);
    return node ? dynamic_cast<TBaseStructure*>(node) : nullptr;
  }

  unsigned char Letter = 0;
  int32_t Count = 0;
};
