#pragma once
// A trie node built by hand with its children's counts and weights, to draw from; and the
// letter the generator's running sum picks there for a given draw.

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "engine/talphabet.h"
#include "engine/tbasestructure.h"

struct TDrawChild {
  char Letter;
  int32_t Count;
  double Weight = 1.0;
};

struct TDrawNode {
  // Letters a to d are each their own canonical form; every other byte shares entry 0.
  explicit TDrawNode(const std::vector<TDrawChild>& children)
      : Root(std::make_unique<TBaseStructure>(nullptr, TDSStructure::ctNext)) {
    Alphabet.Init(0);
    const std::string letters = "abcd";
    Alphabet.Letters[0] = static_cast<uint8_t>(letters.size());
    for (size_t i = 0; i < letters.size(); ++i) {
      Alphabet.Letters[i + 1] = static_cast<uint8_t>(letters[i]);
      Alphabet.Map[static_cast<unsigned char>(letters[i])] = static_cast<uint8_t>(i + 1);
    }
    std::fill(std::begin(Weights), std::end(Weights), 1.0);
    for (size_t i = children.size(); i-- > 0;) {
      const unsigned char letter = static_cast<unsigned char>(children[i].Letter);
      Root->FindChild(letter, true)->setCount(children[i].Count);
      Weights[Alphabet.Normalize(letter)] = children[i].Weight;
    }
  }

  // The index of the child that draw `r` picks, -1 for none.
  int Designed(int r) const {
    long double total = 0;
    for (const TBaseStructure* child = Root->getFirstChild(); child;
         child = child->getNextSibling())
      total += Weight(child);
    const long double threshold = static_cast<long double>(r) * total / 32768;
    long double sum = 0;
    int index = 0;
    for (const TBaseStructure* child = Root->getFirstChild(); child;
         child = child->getNextSibling(), ++index) {
      sum += Weight(child);
      if (sum > threshold) return index;
    }
    return -1;
  }

  long double Weight(const TBaseStructure* child) const {
    return static_cast<long double>(child->getCount()) *
           Weights[Alphabet.Normalize(child->getLetter())];
  }

  TAlphabet Alphabet;
  double Weights[256];
  std::unique_ptr<TBaseStructure> Root;
};
