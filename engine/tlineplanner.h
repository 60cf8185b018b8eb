#pragma once
// For the generator on a well-formed base whose lines keep ending in a blank (a heavy weight on
// the non-letters): decides whether a line of the length can come at all from the context, and
// passes over the lines that end in a blank, drawing them from tables worked out once.
// Either way the random sequence and the context end exactly where the generator's own draws
// would take them. One line length and one set of weights; borrows the base; the thread of its
// generator.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "engine/tdrawtable.h"

class TLTBase;

class TLinePlanner {
public:
  // `weights` (by canonical letter) must stay as they are while the planner is used.
  TLinePlanner(const TLTBase& base, const double* weights, int32_t order, int32_t length);
  ~TLinePlanner();

  // Whether some run of draws from this context (the generator's, at the start of a line) ends
  // in a line of the length whose last character is a letter.
  bool LinePossible(const std::string& context);
  // From the start of a line, draws on over every line that ends in a blank and stops at the
  // start of the first that does not, which the generator then draws itself; `context` and the
  // random sequence follow.
  void SkipBlankEndedLines(std::string& context);

private:
  struct TState;
  // The node the next draw is made at, after the stream's last letters `tail` (order - 1).
  const TBaseStructure* NodeAfter(const std::string& tail);
  // The draw table at the node while `held` (a canonical letter, or -1) weighs 1.0.
  const TDrawTable& TableAt(const TBaseStructure* node, int held);
  // The draw after the stream's last letters `tail` while `held` weighs 1.0.
  TState& StateOf(const std::string& tail, int held);
  // The place after the candidate at `index` of the place, drawn after another letter or
  // doubling the last one.
  inline TState* After(TState& state, int index, bool doubled);
  TState& NewAfter(const TState& state, int index, bool doubled);
  // Finds the place's words of one letter (see TState).
  void MakeWords(TState& state);

  const TLTBase& Base;
  const double* Weights;
  const int32_t Order;
  const int32_t Length;
  std::map<std::string, const TBaseStructure*> Nodes;
  std::map<std::pair<const TBaseStructure*, int>, std::unique_ptr<TDrawTable>> Tables;
  std::map<std::pair<std::string, int>, std::unique_ptr<TState>> States;
};
