#pragma once
// A test with a letter base of its own, loaded from a file that holds the given sequences.

#include <cstdint>
#include <map>
#include <string>

#include "engine/tltbase.h"
#include "support/testfiles.h"

class TSequenceBaseTest : public TTempFolderTest {
protected:
  // Loads a base holding the given sequences (each with its prefixes).
  void Load(const std::map<std::string, int32_t>& sequences, int32_t order,
            const std::string& letters = "abcdefghijklmnopqrstuvwxyz") {
    TTestHeader header;
    header.Order = order;
    header.Letters = letters;
    TempDir::Write(PathOf("Test.Base"), BaseBytes(header, SequenceRecords(sequences)));
    ASSERT_TRUE(Base.LoadFromFile(PathOf("Test.Base")));
  }

  TLTBase Base;
};
