#pragma once
// Builds a course's letter base from texts: maps every letter to its canonical small letter
// through the alphabet and every run of other characters to one blank, counts every sequence of
// 1 to `order` letters of that stream, and writes the counts as a ".Base" file. The stream is
// read as a ring, so that every sequence has its continuations in the base and every leaf lies
// at the full order. Owns its counts; one thread.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/talphabet.h"
#include "toolkit/codepage.h"

class TBaseBuilder {
public:
  // `letters` are the alphabet's small letters in `codePage`; each letter's capital maps to it.
  // The base carries the code page's character set (CharsetOfCodePage), or the ANSI set 0 for
  // a Western alphabet whose letters all lie below 128.
  // Throws Exception for an unknown code page, a blank or repeated letter, more than 255
  // letters, or an order outside 1 to 255.
  TBaseBuilder(int codePage, const std::string& letters, int order);
  ~TBaseBuilder();

  // A text in the course's code page.
  void AddText(const std::string& text);

  // Letters per word of the texts added.
  double AverageWordLength() const;
  const TAlphabet& getAlphabet() const { return Alphabet; }

  // The base, named after the file; false with `error` set when the file cannot be written.
  bool Write(const std::string& path, std::string& error) const;

private:
  struct TNode {
    int64_t Count = 0;
    std::map<unsigned char, std::unique_ptr<TNode>> Children;
  };

  TAlphabet Alphabet{};
  int Order;
  std::string Stream;
  int64_t Letters = 0;
  int64_t Words = 0;
};
