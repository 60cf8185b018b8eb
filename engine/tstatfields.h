#pragma once
// The fields of a statistics file's lines and of its name, cut as the statistics window cuts
// them: at every separator, empty pieces kept, never trimmed (a blank is a character like any
// other). Pure functions.

#include <cstddef>
#include <string>
#include <string_view>

#include "toolkit/stringlist.h"

// The first N pieces of a text and how many it has in all (a text without the separator is
// one piece).
template <size_t N>
struct TPieces {
  std::string_view Piece[N];
  size_t Count = 0;
};

template <size_t N>
TPieces<N> CutAt(std::string_view text, char separator) {
  TPieces<N> pieces;
  for (size_t start = 0;;) {
    const size_t at = text.find(separator, start);
    if (pieces.Count < N)
      pieces.Piece[pieces.Count] =
          text.substr(start, at == std::string_view::npos ? at : at - start);
    ++pieces.Count;
    if (at == std::string_view::npos) return pieces;
    start = at + 1;
  }
}

// Piece `index` (below N), raising the string list's index error where there are fewer.
template <size_t N>
std::string_view PieceOf(const TPieces<N>& pieces, size_t index) {
  if (index >= pieces.Count)
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return pieces.Piece[index];
}
