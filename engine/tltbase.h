#pragma once
// One course's letter base: the header of its ".Base" file (language, alphabet, order) and the
// trie of letter sequences with their counts. Owns the trie. Created and loaded by the course
// on the user-interface thread, then only read.

#include <cstdint>
#include <functional>
#include <string>

#include "engine/tltbaseformat.h"

class TBaseStructure;

// Load progress in percent.
using TProgressEvent = std::function<void(int32_t percent)>;

class TLTBase {
public:
  TLTBase();
  ~TLTBase();
  TLTBase(const TLTBase&) = delete;
  TLTBase& operator=(const TLTBase&) = delete;

  // Replaces the header and the trie with the file's. False with ErrorText set, and the base
  // as it was, when the file cannot be opened or read or is shorter than its header. A last
  // record cut short by the end of the file is left out.
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
  // Places the records of the file's first `size` bytes; progress is in parts of `length`.
  void Build(const uint8_t* data, int64_t size, int64_t length);

  std::string Name;
  std::string ErrorText;
  TBaseFileHeader Header;
  TProgressEvent OnProgress;
  TBaseStructure* Root;
};
