#pragma once
// The run-time library's random generator: one linear congruential sequence for the whole
// program (seed := seed * 22695477 + 1 mod 2^32; a draw is bits 16 to 30 of the new seed).
// User-interface thread only; nothing is locked.

#include <cstdint>

extern uint32_t RandSeed;

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
