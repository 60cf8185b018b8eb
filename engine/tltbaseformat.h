#pragma once
// The layout of a course's ".Base" file: a fixed header, then 6-byte records of the trie in
// depth-first pre-order, all numbers little-endian. The loader reads it; the course tool
// writes it.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "engine/talphabet.h"

static_assert(std::endian::native == std::endian::little, "the base file is read in place");

// A length byte, then up to 255 character bytes.
using TShortString = uint8_t[256];

inline std::string FromShortString(const TShortString& text) {
  return std::string(reinterpret_cast<const char*>(text + 1), text[0]);
}
// Cut after 255 characters.
inline void ToShortString(const std::string& text, TShortString& target) {
  const size_t length = text.size() < 255 ? text.size() : 255;
  target[0] = static_cast<uint8_t>(length);
  std::memcpy(target + 1, text.data(), length);
}

struct TBaseFileHeader {
  TShortString LanguageName;
  TAlphabet Alphabet;
  TShortString Reserved[6];
  uint8_t Padding[3];
  // The depth of the trie: its longest letter sequence.
  int32_t Order;
  TShortString Reserved7;
};

static_assert(offsetof(TBaseFileHeader, Alphabet) == 256);
static_assert(offsetof(TBaseFileHeader, Reserved) == 769);
static_assert(offsetof(TBaseFileHeader, Order) == 2308);
static_assert(sizeof(TBaseFileHeader) == 2568);

// One trie node: its depth and letter, masked so that the file does not read as text, and its
// count.
struct TBaseRecord {
  int Level;
  unsigned char Letter;
  int32_t Count;
};

constexpr int kBaseRecordSize = 6;
constexpr uint8_t kBaseLevelMask = 0x5B;
constexpr uint8_t kBaseLetterMask = 0xC6;

inline TBaseRecord DecodeBaseRecord(const uint8_t* bytes) {
  uint32_t count = static_cast<uint32_t>(bytes[2]) | static_cast<uint32_t>(bytes[3]) << 8 |
                   static_cast<uint32_t>(bytes[4]) << 16 | static_cast<uint32_t>(bytes[5]) << 24;
  return {bytes[0] ^ kBaseLevelMask, static_cast<unsigned char>(bytes[1] ^ kBaseLetterMask),
          static_cast<int32_t>(count)};
}

inline void EncodeBaseRecord(const TBaseRecord& record, uint8_t* bytes) {
  uint32_t count = static_cast<uint32_t>(record.Count);
  bytes[0] = static_cast<uint8_t>(record.Level) ^ kBaseLevelMask;
  bytes[1] = record.Letter ^ kBaseLetterMask;
  for (int i = 0; i < 4; ++i) bytes[2 + i] = static_cast<uint8_t>(count >> (8 * i));
}
