#include "engine/tbasestructure.h"

#include <vector>

void TBaseStructure::CreateNext() { new TBaseStructure(this, ctNext); }

void TBaseStructure::CreateSub() { new TBaseStructure(this, ctSub); }

int32_t TBaseStructure::ComputeTotals() {
  struct Frame {
    TBaseStructure* node;
    TBaseStructure* child;  // the next child to add
    uint32_t sum;           // unsigned, so that an overflow wraps as the file format expects
  };
  if (!getFirstChild()) return Count;
  std::vector<Frame> path{{this, getFirstChild(), 0}};
  for (;;) {
    Frame& top = path.back();
    if (TBaseStructure* child = top.child) {
      top.child = child->getNextSibling();
      if (TBaseStructure* grandchild = child->getFirstChild())
        path.push_back({child, grandchild, 0});
      else
        top.sum += static_cast<uint32_t>(child->Count);
      continue;
    }
    top.node->Count = static_cast<int32_t>(top.sum);
    const uint32_t total = top.sum;
    path.pop_back();
    if (path.empty()) return Count;
    path.back().sum += total;
  }
}

TBaseStructure* TBaseStructure::FindChild(unsigned char letter, bool create) {
  for (TBaseStructure* child = getFirstChild(); child; child = child->getNextSibling())
    if (child->Letter == letter) return child;
  if (!create) return nullptr;
  AddSub();
  TBaseStructure* child = getFirstChild();
  child->Letter = letter;
  return child;
}
