#pragma once
// One course's letter base: the header of its ".Base" file (language, alphabet, order) and the
// trie of letter sequences with their counts. Owns the trie. Created and loaded by the course
// on the user-interface thread, then only read.

#include <cstdint>
#include <functional>
#include <string>

#include "engine/tltbaseformat.h"

class TBaseStructure;

// The largest ".Base" file a course may have. Its trie takes some 64 bytes of memory per
// 6-byte record, 11 times the file, so a base stays below 720 MB; the shipped courses' files
// are under 400 KB.
constexpr int64_t kLargestBaseFile = int64_t{64} << 20;

// Load progress in percent.
using TProgressEvent = std::function<void(int32_t percent)>;

class TLTBase {
public:
  TLTBase();
  ~TLTBase();
  TLTBase(const TLTBase&) = delete;
  TLTBase& operator=(const TLTBase&) = delete;

  // Replaces the header and the trie with the file's, reading it piece by piece: the memory a
  // load takes is the trie's. False with ErrorText set, and the base as it was, when the file
  // cannot be opened or read, is shorter than its header or larger than kLargestBaseFile. A
  // last record cut short by the end of the file is left out. A progress handler that raises
  // ends the load there, the base as it was.
  bool LoadFromFile(const std::string& path);

  void setOnProgress(TProgressEvent handler) { OnProgress = std::move(handler); }

  // The loaded file's name without folders and extension; empty before a load.
  const std::string& getName() const { return Name; }
  const std::string& getErrorText() const { return ErrorText; }
  const TBaseFileHeader& getHeader() const { return Header; }
  std::string getLanguageName() const;
  const TAlphabet& getAlphabet() const { return Header.Alphabet; }
  int32_t getOrder() const { return Header.Order; }
  TBaseStructure* getRoot() const { return Root; }

private:
  // Places `count` records from `record` on under `current`, the node the record before them
  // made, and leaves it at the last one's; they begin at file position `position`, and
  // progress is in parts of `length`.
  void Place(const uint8_t* record, int64_t count, int64_t position, int64_t length,
             TBaseStructure*& current);

  std::string Name;
  std::string ErrorText;
  TBaseFileHeader Header;
  TProgressEvent OnProgress;
  TBaseStructure* Root;
};
