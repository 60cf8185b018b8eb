#include "engine/toneletterwords.h"

#include <algorithm>

#include "toolkit/random.h"

namespace {

// The random sequence two draws at a time: one word.
constexpr uint32_t kWordMultiplier = kTwoDrawsMultiplier, kWordIncrement = kTwoDrawsIncrement;
// Draws are the 15 bits above a seed's low half; these bits of a step's result depend only on
// the same bits of what it steps and on its low half. The low half comes round after 2^15 words.
constexpr uint32_t kDraw = 0x7FFF, kLow = 0xFFFF;
constexpr uint64_t kWordsInPeriod = uint64_t{1} << 30;
constexpr uint16_t kUnset = 0xFFFF;

// The inverse of an odd number modulo 2^15.
uint32_t Inverse(uint32_t odd) {
  uint32_t inverse = odd;  // right in 3 bits; Newton's step doubles them
  for (int i = 0; i < 4; ++i) inverse *= 2u - odd * inverse;
  return inverse & kDraw;
}

// What the low half of a seed carries into the high half of multiplier * seed + increment.
uint32_t Carry(uint32_t multiplier, uint32_t low, uint32_t increment) {
  return static_cast<uint32_t>((uint64_t{multiplier} * low + increment) >> 16);
}

uint64_t Size(const TOneLetterWords::TRange& range) {
  return static_cast<uint64_t>(range.End - range.First);
}

bool In(const std::vector<TOneLetterWords::TRange>& ranges, int draw) {
  for (const TOneLetterWords::TRange& range : ranges)
    if (draw >= range.First && draw < range.End) return true;
  return false;
}

}  // namespace

TOneLetterWords::TOneLetterWords(const TDrawTable& place, std::vector<TRange> blanks)
    : Place(place), Blanks(std::move(blanks)) {
  for (size_t i = 0; i < Place.Candidates().size(); ++i) {
    const TRange letter{Place.Candidates()[i].First, Place.End(i)};
    if (letter.First >= letter.End) continue;
    const TRange& blank = Blanks[i];
    if (blank.First >= blank.End) {
      Leaving.push_back(letter);
      TableCost += Size(letter);
      continue;
    }
    TLetter goingOn{letter, {}};
    if (blank.First > 0) goingOn.Leaving.push_back({0, blank.First});
    if (blank.End < 32768) goingOn.Leaving.push_back({blank.End, 32768});
    if (goingOn.Leaving.empty()) continue;
    uint64_t leaving = 0;
    for (const TRange& range : goingOn.Leaving) leaving += Size(range);
    TableCost += std::min(Size(letter), leaving);
    Letters.push_back(std::move(goingOn));
  }
  if (Place.NoneFrom() < 32768) {
    Leaving.push_back({Place.NoneFrom(), 32768});
    TableCost += Size(Leaving.back());
  }
}

bool TOneLetterWords::Leaves(uint32_t seed) const {
  const uint32_t letterSeed = NextSeed(seed);
  const int index = Place.Pick(DrawOf(letterSeed));
  if (index < 0) return true;
  const TRange& blank = Blanks[index];
  const int next = DrawOf(NextSeed(letterSeed));
  return next < blank.First || next >= blank.End;
}

std::optional<uint64_t> TOneLetterWords::WordsBefore(uint32_t seed) const {
  // Word by word as long as that costs less than the tables would.
  const uint64_t alone = std::min(kWordsInPeriod, (TableCost + 1) * 32768);
  uint32_t word = seed;
  for (uint64_t n = 0; n < alone; ++n) {
    if (Leaves(word)) return n;
    word = word * kWordMultiplier + kWordIncrement;
  }
  if (alone == kWordsInPeriod) return std::nullopt;
  return WordsBeforeByPeriod(seed);
}

std::optional<uint64_t> TOneLetterWords::WordsBeforeByPeriod(uint32_t seed) const {
  // For every value of the start's draw bits, the first word of a period that leaves: within
  // a period the n-th word's draws are (g * bits + d) and (a * that + k) modulo 2^15, for g,
  // d and k that the low halves alone set, so each draw that leaves names the start it
  // leaves from.
  std::vector<uint16_t> first(32768, kUnset);
  const uint32_t a = kRandMultiplier & kDraw, aInverse = Inverse(a);
  const uint32_t step = kWordMultiplier & kDraw, stepInverse = Inverse(step);
  const uint32_t start = seed & kLow;
  uint32_t low = start;
  // The n-th word's draw bits are alpha * the start's + beta.
  uint32_t alpha = 1, alphaInverse = 1, beta = 0;
  uint32_t n = 0;
  do {
    const uint32_t gInverse = aInverse * alphaInverse & kDraw;
    const uint32_t d = (a * beta + Carry(kRandMultiplier, low, kRandIncrement)) & kDraw;
    const uint32_t letterLow = (kRandMultiplier * low + kRandIncrement) & kLow;
    const uint32_t k = Carry(kRandMultiplier, letterLow, kRandIncrement) & kDraw;
    auto leavesAt = [&](uint32_t letterDraw) {
      uint16_t& at = first[gInverse * (letterDraw - d) & kDraw];
      if (at == kUnset) at = static_cast<uint16_t>(n);
    };
    for (const TRange& range : Leaving)
      for (int draw = range.First; draw < range.End; ++draw) leavesAt(static_cast<uint32_t>(draw));
    for (const TLetter& letter : Letters) {
      uint64_t leaving = 0;
      for (const TRange& range : letter.Leaving) leaving += Size(range);
      if (Size(letter.Letter) <= leaving) {
        for (int draw = letter.Letter.First; draw < letter.Letter.End; ++draw)
          if (In(letter.Leaving, static_cast<int>((a * static_cast<uint32_t>(draw) + k) & kDraw)))
            leavesAt(static_cast<uint32_t>(draw));
      } else {
        for (const TRange& range : letter.Leaving)
          for (int next = range.First; next < range.End; ++next) {
            const uint32_t draw = aInverse * (static_cast<uint32_t>(next) - k) & kDraw;
            if (static_cast<int>(draw) >= letter.Letter.First &&
                static_cast<int>(draw) < letter.Letter.End)
              leavesAt(draw);
          }
      }
    }
    beta = (step * beta + Carry(kWordMultiplier, low, kWordIncrement)) & kDraw;
    alpha = step * alpha & kDraw;
    alphaInverse = stepInverse * alphaInverse & kDraw;
    low = (kWordMultiplier * low + kWordIncrement) & kLow;
    ++n;
  } while (low != start);
  // Period after period the start's draw bits step on by the same rule, until they come round.
  uint32_t bits = seed >> 16 & kDraw;
  for (uint64_t period = 0; period < 32768; ++period) {
    if (first[bits] != kUnset) return period * n + first[bits];
    bits = (alpha * bits + beta) & kDraw;
  }
  return std::nullopt;
}
