#pragma once
// Writes exercise lines letter by letter from a course's letter base: each next letter is drawn
// among the trie's continuations of the last letters, in proportion to its count times the
// adaptive weight of its letter. Keeps its context from line to line. Does not own the base.
// User-interface thread only: it draws from the program-wide random sequence.

#include <cstdint>
#include <string>

class TLTBase;
class TBaseStructure;

class TLTGenerator {
public:
  // Seeds the program-wide random sequence from the clock; all weights neutral (1.0). Looks
  // the loaded base's shape over once.
  explicit TLTGenerator(TLTBase* base);

  // Clamped to 1 ... the base's order.
  void setOrder(int32_t order);
  int32_t getOrder() const { return Order; }

  void ResetWeights();
  // Negative or not a number gives 0, above 10,000,000 gives 10,000,000; stored for the
  // letter's canonical form, shared by all bytes that are not letters.
  void setWeight(unsigned char letter, double weight);
  double getWeight(unsigned char letter) const;

  // Refills the context with the letters of a uniform random walk down to a leaf, from `node`
  // (appending) or, for null, from the root (replacing).
  void RandomContext(TBaseStructure* node);
  // The next letter of the stream, or 0 when the context had to be renewed (also when the base
  // is too shallow for its order) and nothing was drawn. Throws "4C3B0DCB/F No base" without a
  // base and "A5F26994/F Logic error" when the context's node has no letter to draw.
  unsigned char NextLetter();
  // A line of exactly `length` letters, neither beginning nor ending with a blank; a doubled
  // letter is drawn on at the neutral weight until another letter comes. On a base of the shape
  // the loader builds (every leaf at the base's order, every suffix of a path a path) a line
  // always comes; where the weights let no line of the length end in a letter, it is drawn at
  // the neutral weights. "2F86C1D7/F Logic error" when not even those can give one, and when a
  // damaged base yields none within a bounded number of draws and of trie nodes looked at.
  std::string Generate(int32_t length);

  const std::string& getContext() const { return Context; }

private:
  int WeightIndex(unsigned char letter) const;
  // Whether the base has the shape the loader builds; found out once, at construction.
  bool WellFormed();

  TLTBase* Base;
  double Weight[256];
  std::string Context;
  int32_t Order;
  // Trie nodes looked at so far, which Generate bounds.
  uint64_t Visited = 0;
  enum class TShape { Unknown, WellFormed, Damaged } Shape = TShape::Unknown;
};
