#pragma once
// Points, sizes and rectangles in pixels. A rectangle's right and bottom edges are exclusive:
// Rect(0, 0, 10, 5) covers columns 0 to 9 and rows 0 to 4.

struct TPoint {
  int X = 0, Y = 0;
};

struct TSize {
  int cx = 0, cy = 0;
};

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
};

inline TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}
