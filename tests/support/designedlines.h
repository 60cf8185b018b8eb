#pragma once
// The generator's line loop as designed, with no bound on its draws: the lines, the random
// sequence and the context that the generator and its planner must give. Uses the program-wide
// random sequence; borrows the base.

#include <cstring>
#include <string>

#include "engine/tbasestructure.h"
#include "engine/tltbase.h"
#include "toolkit/exception.h"
#include "toolkit/random.h"

class TDesignedLines {
public:
  explicit TDesignedLines(const TLTBase& base) : Base(base) {}

  std::string Generate(int32_t length, int32_t order, double* weights) {
    std::string line;
    for (;;) {
      line.clear();
      int held = -1;
      double heldWeight = 0;
      while (line.size() < static_cast<size_t>(length)) {
        const unsigned char letter = NextLetter(order, weights);
        if (line.empty() && letter == ' ') continue;
        const int index = Base.getAlphabet().Normalize(letter);
        if (!line.empty() && letter == static_cast<unsigned char>(line.back()) && held < 0) {
          held = index;
          heldWeight = weights[index];
          weights[index] = 1.0;
        } else if (!line.empty() && letter != static_cast<unsigned char>(line.back()) &&
                   held >= 0) {
          weights[held] = heldWeight;
          held = -1;
        }
        line += static_cast<char>(letter);
      }
      if (held >= 0) weights[held] = heldWeight;
      if (line.back() != ' ') return line;
    }
  }

  // The generator's context: set from it before the first line.
  std::string Context;

private:
  // On a well-formed base, with the context already filled.
  unsigned char NextLetter(int32_t order, const double* weights) {
    const size_t depth = Context.size();
    std::memmove(&Context[0], &Context[1], depth - 1);
    const TBaseStructure* node = Base.getRoot();
    for (size_t i = depth - order; i + 1 < depth; ++i)
      node = const_cast<TBaseStructure*>(node)->FindChild(Context[i], false);
    long double total = 0;
    for (auto* child = node->getFirstChild(); child; child = child->getNextSibling())
      total += child->getCount() *
               static_cast<long double>(weights[Base.getAlphabet().Normalize(child->getLetter())]);
    const long double threshold = static_cast<long double>(Rand()) * total / 32768;
    long double sum = 0;
    for (auto* child = node->getFirstChild(); child; child = child->getNextSibling()) {
      sum += child->getCount() *
             static_cast<long double>(weights[Base.getAlphabet().Normalize(child->getLetter())]);
      if (sum > threshold) return Context[depth - 1] = static_cast<char>(child->getLetter());
    }
    throw Exception("A5F26994/F Logic error");
  }

  const TLTBase& Base;
};
