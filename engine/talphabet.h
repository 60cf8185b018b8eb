#pragma once
// A course's character set and letters, 513 bytes stored in the base file byte for byte. A
// plain record: it owns nothing and has no constructor; any thread may read it.

#include <cstdint>

struct TAlphabet {
  // The Windows font character set of the course's language.
  uint8_t Charset;
  // Length byte, then the letters in the course's code page.
  uint8_t Letters[256];
  // For every byte value the 1-based position of its letter in Letters, 0 for a non-letter;
  // several bytes mapping to one position make that letter their canonical form.
  uint8_t Map[256];

  // Charset 0 and no letters; the map stays.
  void Clear();
  // The given charset, no letters and an empty map.
  void Init(uint8_t charset);

  int Count() const { return Letters[0]; }
  int IndexOf(unsigned char byte) const { return Map[byte]; }
  // The letter at a position from 1 to Count, else 0.
  unsigned char LetterAt(int position) const {
    return position >= 1 && position <= Count() ? Letters[position] : 0;
  }
  // The canonical letter of a byte, 0 for a non-letter.
  unsigned char Normalize(unsigned char byte) const { return LetterAt(IndexOf(byte)); }
  uint8_t getCharset() const { return Charset; }
};

static_assert(sizeof(TAlphabet) == 513, "the alphabet is stored in the base file as it is");
