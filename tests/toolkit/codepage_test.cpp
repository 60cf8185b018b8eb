#include "toolkit/codepage.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(CodePage, CharsetsPickTheirCodePages) {
  const struct {
    int charset, codePage;
  } cases[] = {{0, 1251},   {1, 1251},   {kWesternCharset, 1252},
               {204, 1251}, {238, 1250}, {161, 1253},
               {162, 1254}, {177, 1255}, {178, 1256},
               {186, 1257}, {163, 1258}, {222, 874}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.charset);
    EXPECT_EQ(CodePageOfCharset(c.charset), c.codePage);
    // Back again, for the character sets that name their code page.
    if (c.charset > 1) {
      EXPECT_EQ(CharsetOfCodePage(c.codePage), c.charset);
    }
  }
  EXPECT_EQ(CharsetOfCodePage(437), -1);
}

TEST(CodePage, EveryCodePageOfTheTableTakesBackEachOfItsBytes) {
  std::set<int> codePages;
  for (int charset = 0; charset < 256; ++charset) codePages.insert(CodePageOfCharset(charset));
  for (int codePage : codePages) {
    SCOPED_TRACE(codePage);
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
      const std::string one(1, static_cast<char>(byte));
      const std::string unicode = ToUtf8(one, codePage);
      ASSERT_FALSE(unicode.empty()) << byte;
      if (unicode == "\xEF\xBF\xBD") continue;  // a byte the code page leaves undefined
      EXPECT_EQ(FromUtf8(unicode, codePage), one) << byte;
      all += one;
    }
    EXPECT_EQ(FromUtf8(ToUtf8(all, codePage), codePage), all);
  }
}

TEST(CodePage, AsciiReadsAsItselfInEveryCodePage) {
  std::string ascii;
  for (int byte = 1; byte < 0x80; ++byte) ascii += static_cast<char>(byte);
  for (int codePage : {1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 874}) {
    SCOPED_TRACE(codePage);
    EXPECT_EQ(ToUtf8(ascii, codePage), ascii);
    EXPECT_EQ(FromUtf8(ascii, codePage), ascii);
    // With a byte above it, the converter reads the whole text: the same ASCII comes out.
    EXPECT_EQ(ToUtf8(ascii + "\x80", codePage), ascii + ToUtf8("\x80", codePage));
    EXPECT_EQ(FromUtf8(ascii + "\xC3\xA9", codePage), ascii + FromUtf8("\xC3\xA9", codePage));
  }
}

TEST(CodePage, LettersThatACombiningMarkMightFollowAreNotLost) {
  EXPECT_EQ(ToUtf8("abc", 1258), "abc");
  EXPECT_EQ(ToUtf8("\xF9\xEC\xE5\xED", 1255), "שלום");
  // The letter comes out before what stands for an undefined byte after it.
  EXPECT_EQ(ToUtf8("\xE0\xFB", 1255), "א\xEF\xBF\xBD");
}

TEST(CodePage, CyrillicRoundTrip) {
  const std::string cp1251 = "\xD4\xE0\xE9\xEB";  // "Файл"
  EXPECT_EQ(ToUtf8(cp1251), "Файл");
  EXPECT_EQ(FromUtf8("Файл"), cp1251);
  EXPECT_EQ(ToUtf8("abc", 1250), "abc");
}

TEST(CodePage, UnmappableInputNeverFails) {
  // clang-format off
  EXPECT_EQ(FromUtf8("a\xE2\x82\xAC" "b", 1253), "a\x80" "b");  // the euro sign exists in 1253
  EXPECT_EQ(FromUtf8("a\xE4\xB8\xAD" "b"), "a?b");              // a CJK letter does not in 1251
  EXPECT_EQ(ToUtf8("\x98", 1251), "\xEF\xBF\xBD");              // undefined in 1251
  // clang-format on
}

TEST(CodePage, InvalidUtf8IsSkippedByteByByte) {
  const struct {
    const char* name;
    std::string utf8;
  } cases[] = {
      // clang-format off
      {"no lead byte", "a\xFF" "b"},
      {"a stray continuation byte", "a\x80" "b"},
      {"an overlong form", "a\xC0\x80" "b"},
      {"an overlong three-byte form", "a\xE0\x80\xAF" "b"},
      {"a surrogate", "a\xED\xA0\x80" "b"},
      {"beyond U+10FFFF", "a\xF4\x90\x80\x80" "b"},
      {"a missing continuation byte", "a\xE4\xB8" "b"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FromUtf8(c.utf8), "ab");
  }
  EXPECT_EQ(FromUtf8("ab\xD0"), "ab") << "cut off at the end";
}

TEST(CodePage, Utf8IsToldFromCodePageBytes) {
  struct Case {
    const char* name;
    std::string text;
    bool utf8;
  } cases[] = {
      {"Ascii", "Anna", true},
      {"Cyrillic", "Анна", true},
      {"Empty", "", true},
      {"TheSameNameInWindows1251", FromUtf8("Анна"), false},
      {"Overlong", "\xC0\xAF", false},
      {"Surrogate", "\xED\xA0\x80", false},
      {"CutOff", "ab\xD0", false},
      {"StrayContinuation", "a\x80", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsUtf8(c.text), c.utf8);
  }
}

}  // namespace
