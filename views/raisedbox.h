#pragma once
// The raised rounded box that a released key and the result panel share: a rim in the border
// colour, a light line along the inner top and left edges, and the fill inside.
// Any thread that owns the canvas.

#include "toolkit/colors.h"

class TCanvas;

// Over the whole w x h area of the canvas, with corner ellipses r wide and high; leaves the
// pen and brush in the fill colour.
void DrawRaisedBox(TCanvas* canvas, int w, int h, int r, TColor border, TColor fill);
