#include "engine/talphabet.h"

#include <gtest/gtest.h>

namespace {

TAlphabet Make(const std::string& letters) {
  TAlphabet alphabet;
  alphabet.Init(204);
  for (unsigned char letter : letters) {
    int position = ++alphabet.Letters[0];
    alphabet.Letters[position] = letter;
    alphabet.Map[letter] = static_cast<uint8_t>(position);
  }
  return alphabet;
}

TEST(TAlphabet, NormalizeGivesTheCanonicalLetter) {
  TAlphabet alphabet = Make("ab");
  alphabet.Map[uint8_t{'A'}] = 1;
  alphabet.Map[uint8_t{'x'}] = 7;  // beyond the letters: no letter
  EXPECT_EQ(alphabet.getCharset(), 204);
  EXPECT_EQ(alphabet.Count(), 2);
  EXPECT_EQ(alphabet.Normalize('A'), 'a');
  EXPECT_EQ(alphabet.Normalize('a'), 'a');
  EXPECT_EQ(alphabet.Normalize('b'), 'b');
  EXPECT_EQ(alphabet.Normalize('x'), 0);
  EXPECT_EQ(alphabet.Normalize(' '), 0);
  EXPECT_EQ(alphabet.LetterAt(0), 0);
  EXPECT_EQ(alphabet.LetterAt(3), 0);
}

TEST(TAlphabet, EmptyLettersNormalizeNothing) {
  TAlphabet alphabet = Make("");
  alphabet.Map[uint8_t{'a'}] = 1;
  for (int byte = 0; byte < 256; ++byte) EXPECT_EQ(alphabet.Normalize(byte), 0) << byte;
}

TEST(TAlphabet, TwoHundredLetters) {
  std::string letters;
  for (int byte = 40; byte < 240; ++byte) letters += static_cast<char>(byte);
  TAlphabet alphabet = Make(letters);
  EXPECT_EQ(alphabet.Count(), 200);
  EXPECT_EQ(alphabet.IndexOf(239), 200);
  EXPECT_EQ(alphabet.Normalize(239), 239);
  EXPECT_EQ(alphabet.Normalize(40), 40);
}

TEST(TAlphabet, ClearKeepsTheMap) {
  TAlphabet alphabet = Make("abc");
  alphabet.Clear();
  EXPECT_EQ(alphabet.getCharset(), 0);
  EXPECT_EQ(alphabet.Count(), 0);
  EXPECT_EQ(alphabet.IndexOf('c'), 3);
  EXPECT_EQ(alphabet.LetterAt(3), 0);
  EXPECT_EQ(alphabet.Normalize('c'), 0);
  alphabet.Init(0);
  EXPECT_EQ(alphabet.IndexOf('c'), 0);
}

}  // namespace
