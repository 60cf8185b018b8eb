#include "engine/tdsstructure.h"

TDSStructure::TDSStructure(TDSStructure* creator, int creatingElementType)
    : Level(0), Prev(creator), Next(nullptr), Sub(nullptr) {
  if (creatingElementType == ctNext) {
    if (creator) {
      Level = creator->Level;
      creator->Next = this;
    }
  } else if (creatingElementType == ctSub) {
    if (!creator) throw "TDLStructure::TDLStructure - Parent for SubElement NOT defined!";
    Level = creator->Level + 1;
    creator->Sub = this;
  } else {
    throw "TDLStructure::TDLStructure - Incorrect CreatingElementType!";
  }
}

TDSStructure::~TDSStructure() {
  if (Prev) {
    if (Prev->Next == this)
      Prev->Next = nullptr;
    else if (Prev->Sub == this)
      Prev->Sub = nullptr;
  }
  TDSStructure* sub = Sub;
  TDSStructure* next = Next;
  Sub = Next = nullptr;
  DestroyTree(sub);
  DestroyTree(next);
}

// A base file may make chains and depths of millions, which recursion would not survive: this
// takes linear time and constant space. With Sub as the left and Next as the right branch, each
// first child is rotated in front of its parent until the node at hand has none; then that node
// goes, its links cleared so that its own destructor does nothing more.
void TDSStructure::DestroyTree(TDSStructure* node) {
  while (node) {
    if (TDSStructure* child = node->Sub) {
      node->Sub = child->Next;
      child->Next = node;
      node = child;
    } else {
      TDSStructure* following = node->Next;
      node->Next = nullptr;
      node->Prev = nullptr;
      delete node;
      node = following;
    }
  }
}

void TDSStructure::CreateNext() { new TDSStructure(this, ctNext); }

void TDSStructure::CreateSub() { new TDSStructure(this, ctSub); }

void TDSStructure::AddNext() {
  TDSStructure* old = Next;
  CreateNext();
  Chain(Next, old);
}

void TDSStructure::AddSub() {
  TDSStructure* old = Sub;
  CreateSub();
  Chain(Sub, old);
}

void TDSStructure::Chain(TDSStructure* node, TDSStructure* old) {
  if (!old) return;
  node->Next = old;
  old->Prev = node;
}
