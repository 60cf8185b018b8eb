#pragma once
// For the generator on a well-formed base whose lines keep ending in a blank (a heavy weight on
// the non-letters): decides whether a line of the length can come at all from the context, and
// draws the lines from tables worked out once, passing over whole lines of one-letter words (at
// order 2 a period of the random sequence at a time). The line, the random sequence and the
// context end exactly where the generator's own draws would take them. One line length and one
// set of weights; borrows the base; the thread of its generator.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/tdrawtable.h"

class TLTBase;
class TOneLetterWords;

class TLinePlanner {
public:
  // `weights` (by canonical letter) must stay as they are while the planner is used.
  TLinePlanner(const TLTBase& base, const double* weights, int32_t order, int32_t length);
  ~TLinePlanner();

  // Whether some run of draws from this context (the generator's, at the start of a line) ends
  // in a line of the length whose last character is a letter.
  bool LinePossible(const std::string& context);
  // From the start of a line, draws as the generator does until a line of the length ends in a
  // letter, and returns that line; `context` and the random sequence follow. Raises the
  // generator's logic errors where its draws would.
  std::string DrawLine(std::string& context);

private:
  struct TState;
  // The node the next draw is made at, after the stream's last letters `tail` (order - 1).
  const TBaseStructure* NodeAfter(const std::string& tail);
  // The draw table at the node while `held` (a canonical letter, or -1) weighs 1.0.
  const TDrawTable& TableAt(const TBaseStructure* node, int held);
  // The draw after the stream's last letters `tail` (at least one) while `held` weighs 1.0.
  TState& StateOf(const std::string& tail, int held);
  // The place after the candidate at `index` of the place, drawn after another letter or
  // doubling the last one.
  TState* After(TState& state, int index, bool doubled);
  // The place with no letter held: where a line starts after one that ended in a blank.
  TState* Released(TState& state);
  // Runs of one-letter words. Every place after a blank that a run reaches has a number and a
  // code per 64 draws of its letter: where every draw of the share picks one letter whose
  // word leads to another place, that place's number times kCodesPerPlace; where the share's
  // draws pick one of two letters, kPair + the place's pair of them; else kSlow, or kUnfilled
  // before the place's codes are made. Blanks holds, per place and place after a word, the
  // draws of the word's blank: First | End << 16.
  struct TWord {
    static constexpr int kUnknown = -2, kLeaves = -1;
    // The place after the letter and its blank, or kLeaves when it leads elsewhere.
    int Next = kUnknown;
    // The draws of the blank after the letter.
    int First = 0;
    int End = 0;
  };
  // Two letters of one share: the first draw of the second, and the places their words lead
  // to (kPlaces for none).
  struct TPair {
    uint16_t Second = 0;
    uint8_t Before = 0;
    uint8_t After = 0;
  };
  static constexpr size_t kPlaces = 127;
  static constexpr int kDrawsPerCode = 64;
  static constexpr size_t kCodesPerPlace = 32768 / kDrawsPerCode;
  static constexpr size_t kPairsPerPlace = 256;
  static constexpr uint16_t kPair = kPlaces * kCodesPerPlace;
  static constexpr uint16_t kSlow = kPair + kPairsPerPlace, kUnfilled = kSlow + 1;
  // The place's number, -1 when there are too many places for codes.
  int PlaceOf(TState& state);
  const TWord& WordOf(TState& place, int index);
  // The codes of the place, with the words of its letters.
  void FillCodes(int place);
  // The place after the word whose letter is drawn with `letterSeed`, -1 when it leaves; for
  // a code that does not name it.
  int NextPlace(int place, uint32_t letterSeed);
  // The run of one-letter words at a place that every word leads back to.
  const TOneLetterWords* RunAt(TState& state);
  // From the start of a line of even length at a place after a blank, the whole lines of
  // one-letter words before the line with the word that leaves the run are passed over:
  // `seed` and `state` are left at that line's start.
  struct TPassed {
    uint64_t Words = 0;
    // Of the last words passed, as many as the context needs.
    std::vector<unsigned char> LastLetters;
  };
  // At a place every word comes back to.
  TPassed PassRun(TState& state, uint32_t& seed);
  // From place to place, word by word, each word one look-up of a code.
  TPassed PassChain(TState*& state, uint32_t& seed);
  uint64_t PerLine() const { return static_cast<uint64_t>(Length / 2); }
  // The words whose letters and blanks make the context.
  uint64_t RecentWords() const;

  const TLTBase& Base;
  const double* Weights;
  const int32_t Order;
  const int32_t Length;
  std::map<std::string, const TBaseStructure*> Nodes;
  std::map<std::pair<const TBaseStructure*, int>, std::unique_ptr<TDrawTable>> Tables;
  std::map<std::pair<std::string, int>, std::unique_ptr<TState>> States;
  std::vector<TState*> Places;
  std::vector<uint16_t> Codes;
  std::vector<uint32_t> Blanks = std::vector<uint32_t>(kPlaces * kPlaces);
  std::vector<TPair> Pairs;
};
