#pragma once
// Colour arithmetic on 24-bit colours. A system colour is turned into its RGB value first;
// every result but the unchanged colour is RGB with the top byte 0. Pure; any thread.

#include "toolkit/color.h"

// Each channel c - c * percent / 100; percent 0 or below: the colour unchanged; above 100: 100.
TColor DarkerColor(TColor color, int percent);
// Each channel c + (255 - c) * percent / 100, with the same percent rules.
TColor LighterColor(TColor color, int percent);
// The channel-wise mean, truncated.
TColor MixColors(TColor first, TColor second);
// The mean of the three channels in all three.
TColor GrayColor(TColor color);
