#pragma once
// A run of words of one letter at one place of the generator's draws (after a blank, no letter
// held): every word is two draws, a letter at the place and a blank that leads back to it, so
// that what comes next depends on the random seed alone. Finds the first word of the run that
// does anything else: word by word for a while, then from tables over the period of the random
// sequence's low bits, so that even a run of a billion words takes milliseconds. Plain values;
// any thread.

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/tdrawtable.h"

class TOneLetterWords {
public:
  // Draws from First up to, not including, End.
  struct TRange {
    int First = 0;
    int End = 0;
  };
  // `place` draws the letters; `blanks` holds, per candidate of the place, the draws after its
  // letter that give the blank back to the place (none for a letter that leaves the run).
  TOneLetterWords(const TDrawTable& place, std::vector<TRange> blanks);

  // How many words from `seed` (the seed before the first word's letter is drawn) come before
  // the first that leaves the run; none when no word of the random sequence's period does.
  std::optional<uint64_t> WordsBefore(uint32_t seed) const;

private:
  bool Leaves(uint32_t seed) const;
  std::optional<uint64_t> WordsBeforeByPeriod(uint32_t seed) const;

  const TDrawTable& Place;
  std::vector<TRange> Blanks;
  // The draws of the letter that leave at once, and per letter that may go on: its draws and
  // the draws after it that leave.
  std::vector<TRange> Leaving;
  struct TLetter {
    TRange Letter;
    std::vector<TRange> Leaving;
  };
  std::vector<TLetter> Letters;
  // Draws looked at per place of the period when the tables are made.
  uint64_t TableCost = 0;
};
