#pragma once
// How well white text reads on a colour of the screen: WCAG's contrast ratio (4.5 to 1 is
// enough for text of normal size).

#include <QColor>
#include <cmath>

// WCAG's relative luminance of a colour.
inline double Luminance(QRgb pixel) {
  auto channel = [](int value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(qRed(pixel)) + 0.7152 * channel(qGreen(pixel)) +
         0.0722 * channel(qBlue(pixel));
}

inline double ContrastWithWhite(double luminance) { return 1.05 / (luminance + 0.05); }
