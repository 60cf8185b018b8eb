// The courses the installation ships: their bases load and give lines of their letters, their
// information files hold the word length, and their layouts type every letter.
#include <gtest/gtest.h>

#include "engine/tltbase.h"
#include "engine/tltgenerator.h"
#include "support/courses.h"
#include "support/tempdir.h"
#include "toolkit/random.h"
#include "toolkit/sysutils.h"

namespace {

struct TShippedCourse {
  const char* name;
  int charset;
  int letters;
};

class TShippedCourseTest : public ::testing::TestWithParam<TShippedCourse> {
protected:
  static std::string PathOf(const std::string& extension) {
    return ShippedCourseFile(GetParam().name + extension);
  }
};

TEST_P(TShippedCourseTest, BaseGivesLinesOfItsLetters) {
  TLTBase base;
  ASSERT_TRUE(base.LoadFromFile(PathOf(".Base"))) << base.getErrorText();
  EXPECT_EQ(base.getLanguageName(), GetParam().name);
  EXPECT_GE(base.getOrder(), 4);
  const TAlphabet& alphabet = base.getAlphabet();
  EXPECT_EQ(alphabet.getCharset(), GetParam().charset);
  EXPECT_EQ(alphabet.Count(), GetParam().letters);

  TLTGenerator generator(&base);
  SeedRandom(2024);
  for (int order = 1; order <= base.getOrder(); ++order) {
    generator.setOrder(order);
    for (int i = 0; i < 20; ++i) {
      std::string line = generator.Generate(60);
      for (unsigned char c : line)
        ASSERT_TRUE(c == ' ' || alphabet.Normalize(c) == c) << order << ": " << line;
    }
  }
}

TEST_P(TShippedCourseTest, InfoHoldsTheAverageWordLength) {
  const std::string info = TempDir::Read(PathOf(".Info"));
  const std::string head = "[GENERAL]\r\nAverageWordLength='";
  ASSERT_EQ(info.rfind(head, 0), 0u) << info;
  const double length =
      StrToFloat(info.substr(head.size(), info.find('\'', head.size()) - head.size()));
  EXPECT_GT(length, 3.0);
  EXPECT_LT(length, 8.0);
}

TEST_P(TShippedCourseTest, LayoutTypesEveryLetterWithItsCapital) {
  TLTBase base;
  ASSERT_TRUE(base.LoadFromFile(PathOf(".Base")));
  const TAlphabet& alphabet = base.getAlphabet();
  const std::string layout = TempDir::Read(PathOf(".Layout"));
  EXPECT_NE(layout.find("<keyboard>"), std::string::npos);
  EXPECT_NE(layout.find("<buttons>"), std::string::npos);
  for (int position = 1; position <= alphabet.Count(); ++position) {
    const char letter = static_cast<char>(alphabet.LetterAt(position));
    char capital = letter;
    for (int byte = 0; byte < 256; ++byte)
      if (byte != static_cast<unsigned char>(letter) && alphabet.IndexOf(byte) == position)
        capital = static_cast<char>(byte);
    const std::string key =
        std::string("type=\"letter\" value=\"") + letter + "\" shiftvalue=\"" + capital + "\"";
    EXPECT_NE(layout.find(key), std::string::npos) << position;
  }
}

INSTANTIATE_TEST_SUITE_P(Courses, TShippedCourseTest,
                         ::testing::Values(TShippedCourse{"English", 0, 26},
                                           TShippedCourse{"Russian", 204, 33}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
