#pragma once
// A node of a first-child, next-sibling tree that links back to the node that created it.
// A node owns its whole Sub subtree and the rest of its Next chain; destroying it destroys them
// and clears its creator's link to it. Not thread-safe: one thread builds and reads a tree.

#include <cstdint>

class TDSStructure {
public:
  enum { ctNext = 0, ctSub = 1 };

  // Links the new node to `creator` as its Next (ctNext) or its Sub (ctSub), overwriting what
  // the creator held there. Throws a plain text for a sub node without creator or another type.
  TDSStructure(TDSStructure* creator, int creatingElementType);
  // Virtual so that a derived node is released with its own size; derived nodes own nothing.
  virtual ~TDSStructure();

  TDSStructure(const TDSStructure&) = delete;
  TDSStructure& operator=(const TDSStructure&) = delete;

  // Make a node of this node's own class as the Next or the Sub; reach it through that link.
  virtual void CreateNext();
  virtual void CreateSub();

  // Insert a new node directly after this one, or a new first child before the others.
  void AddNext();
  void AddSub();

  int32_t getLevel() const { return Level; }
  TDSStructure* getPrev() const { return Prev; }
  TDSStructure* getNext() const { return Next; }
  TDSStructure* getSub() const { return Sub; }

private:
  static void DestroyTree(TDSStructure* node);
  // Puts `old` behind `node` in a sibling chain; nothing for null.
  static void Chain(TDSStructure* node, TDSStructure* old);

  int32_t Level;
  TDSStructure* Prev;
  TDSStructure* Next;
  TDSStructure* Sub;
};
