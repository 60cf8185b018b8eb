#include "toolkit/random.h"

#include <ctime>

uint32_t RandSeed = 1;

int Rand() {
  RandSeed = NextSeed(RandSeed);
  return DrawOf(RandSeed);
}

uint32_t SeedAfter(uint32_t seed, uint64_t draws) {
  // The step seed := m * seed + c, squared as often as the draws have bits.
  uint32_t m = kRandMultiplier, c = kRandIncrement;
  for (; draws; draws >>= 1) {
    if (draws & 1) seed = m * seed + c;
    c = m * c + c;
    m *= m;
  }
  return seed;
}

void SeedRandom(uint32_t seed) {
  RandSeed = seed;
  Rand();
}

void Randomize() { SeedRandom(static_cast<uint32_t>(std::time(nullptr))); }

int Random(int n) { return n > 0 ? Rand() % n : 0; }

int32_t Random31() {
  // 15 + 15 + 1 bits; the low bits of the seed itself are too regular to use.
  uint32_t high = static_cast<uint32_t>(Rand()), low = static_cast<uint32_t>(Rand());
  return static_cast<int32_t>((high << 16) | (low << 1) | (Rand() & 1));
}
