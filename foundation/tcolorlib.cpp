#include "foundation/tcolorlib.h"

#include <algorithm>

namespace {

struct Rgb {
  int red, green, blue;
};

Rgb Split(TColor color) {
  TColor rgb = ColorToRGB(color);
  return {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
}

TColor Join(Rgb c) { return RGB(c.red, c.green, c.blue); }

template <typename Shade>
TColor ShadeChannels(TColor color, int percent, Shade shade) {
  if (percent <= 0) return color;
  percent = std::min(percent, 100);
  Rgb c = Split(color);
  return Join({shade(c.red, percent), shade(c.green, percent), shade(c.blue, percent)});
}

}  // namespace

TColor DarkerColor(TColor color, int percent) {
  return ShadeChannels(color, percent, [](int c, int p) { return c - c * p / 100; });
}

TColor LighterColor(TColor color, int percent) {
  return ShadeChannels(color, percent, [](int c, int p) { return c + (255 - c) * p / 100; });
}

TColor MixColors(TColor first, TColor second) {
  Rgb a = Split(first), b = Split(second);
  return Join({(a.red + b.red) / 2, (a.green + b.green) / 2, (a.blue + b.blue) / 2});
}

TColor GrayColor(TColor color) {
  Rgb c = Split(color);
  int v = (c.red + c.green + c.blue) / 3;
  return Join({v, v, v});
}
