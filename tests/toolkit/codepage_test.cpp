#include "toolkit/codepage.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePage, CharsetsPickTheirCodePages) {
  const struct {
    int charset, codePage;
  } cases[] = {{0, 1251}, {1, 1251}, {204, 1251}, {238, 1250}, {161, 1253}, {162, 1254},
               {177, 1255}, {178, 1256}, {186, 1257}, {163, 1258}, {222, 874}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.charset);
    EXPECT_EQ(CodePageOfCharset(c.charset), c.codePage);
    // Back again, for the character sets that name their code page.
    if (c.charset > 1) {
      EXPECT_EQ(CharsetOfCodePage(c.codePage), c.charset);
    }
  }
  EXPECT_EQ(CharsetOfCodePage(1252), 0);
  EXPECT_EQ(CharsetOfCodePage(437), -1);
}

TEST(CodePage, CyrillicRoundTrip) {
  const std::string cp1251 = "\xD4\xE0\xE9\xEB";  // "Файл"
  EXPECT_EQ(ToUtf8(cp1251), "Файл");
  EXPECT_EQ(FromUtf8("Файл"), cp1251);
  EXPECT_EQ(ToUtf8("abc", 1250), "abc");
}

TEST(CodePage, UnmappableInputNeverFails) {
  EXPECT_EQ(FromUtf8("a\xE2\x82\xAC" "b", 1253), "a\x80" "b");  // the euro sign exists in 1253
  EXPECT_EQ(FromUtf8("a\xE4\xB8\xAD" "b"), "a?b");               // a CJK letter does not in 1251
  EXPECT_EQ(FromUtf8("a\xFF" "b"), "ab");                         // not UTF-8 at all
  EXPECT_EQ(ToUtf8("\x98", 1251), "\xEF\xBF\xBD");                // undefined in 1251
}

}  // namespace
