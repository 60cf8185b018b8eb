#pragma once
// The run-time library's random generator: one linear congruential sequence for the whole
// program (seed := seed * 22695477 + 1 mod 2^32; a draw is bits 16 to 30 of the new seed).
// User-interface thread only; nothing is locked.

#include <cstdint>

extern uint32_t RandSeed;

constexpr uint32_t kRandMultiplier = 22695477u;
constexpr uint32_t kRandIncrement = 1u;

// Two draws in one step: seed := seed * kTwoDrawsMultiplier + kTwoDrawsIncrement.
constexpr uint32_t kTwoDrawsMultiplier = kRandMultiplier * kRandMultiplier;
constexpr uint32_t kTwoDrawsIncrement = kRandMultiplier * kRandIncrement + kRandIncrement;

// The seed one draw after `seed`, and what that draw gives.
constexpr uint32_t NextSeed(uint32_t seed) { return seed * kRandMultiplier + kRandIncrement; }
constexpr int DrawOf(uint32_t seed) { return static_cast<int>(seed >> 16 & 0x7FFF); }
// The seed `draws` draws after `seed`, in a few dozen steps however many.
uint32_t SeedAfter(uint32_t seed, uint64_t draws);

// Sets the seed and makes one draw, as the library's seeding does.
void SeedRandom(uint32_t seed);
// Seeds from the current time in whole seconds.
void Randomize();
// A draw from 0 to 32767.
int Rand();
// A draw from 0 to n - 1 (draw modulo n); 0 when n is not positive.
int Random(int n);
// A 31-bit number, 0 to 2^31 - 1, made of three draws.
int32_t Random31();
