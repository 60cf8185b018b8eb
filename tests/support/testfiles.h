#pragma once
// Test helpers: a temporary folder per test, and base files written byte by byte (masks and
// offsets spelled out here, apart from the engine's own format code).

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "support/tempdir.h"

// A fresh folder for each test, removed afterwards.
class TTempFolderTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_FALSE(Dir.path().empty()) << "no temporary folder"; }
  std::string PathOf(const std::string& name) const { return Dir / name; }

  TempDir Dir;
};

struct TTestRecord {
  int Level;
  char Letter;
  int32_t Count;
};

struct TTestHeader {
  int32_t Order = 4;
  uint8_t Charset = 0;
  // Each letter and its ASCII capital map to the letter's position.
  std::string Letters = "abcdefghijklmnopqrstuvwxyz";
  std::string Language = "Test";
};

inline std::string BaseBytes(const TTestHeader& header, const std::vector<TTestRecord>& records) {
  std::string bytes(2568, '\0');
  bytes[0] = static_cast<char>(header.Language.size());
  bytes.replace(1, header.Language.size(), header.Language);
  bytes[256] = static_cast<char>(header.Charset);
  bytes[257] = static_cast<char>(header.Letters.size());
  bytes.replace(258, header.Letters.size(), header.Letters);
  for (size_t i = 0; i < header.Letters.size(); ++i) {
    unsigned char letter = static_cast<unsigned char>(header.Letters[i]);
    bytes[513 + letter] = static_cast<char>(i + 1);
    if (letter >= 'a' && letter <= 'z') bytes[513 + letter - 32] = static_cast<char>(i + 1);
  }
  for (int i = 0; i < 4; ++i) bytes[2308 + i] = static_cast<char>(header.Order >> (8 * i));
  for (const TTestRecord& record : records) {
    bytes += static_cast<char>(record.Level ^ 0x5B);
    bytes += static_cast<char>(record.Letter ^ 0xC6);
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>(record.Count >> (8 * i));
  }
  return bytes;
}

// Records in depth-first pre-order for every prefix of the given sequences; each sequence's
// last node carries its count, the others 0.
inline std::vector<TTestRecord> SequenceRecords(const std::map<std::string, int32_t>& sequences) {
  std::map<std::string, int32_t> nodes;
  for (const auto& [sequence, count] : sequences) {
    for (size_t length = 1; length < sequence.size(); ++length)
      nodes.emplace(sequence.substr(0, length), 0);
    nodes[sequence] = count;
  }
  std::vector<TTestRecord> records;
  for (const auto& [sequence, count] : nodes)
    records.push_back({static_cast<int>(sequence.size()), sequence.back(), count});
  return records;
}
