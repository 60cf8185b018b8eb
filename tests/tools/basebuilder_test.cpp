#include "tools/course/basebuilder.h"

#include "engine/tbasestructure.h"
#include "engine/tltbase.h"
#include "support/testfiles.h"
#include "toolkit/codepage.h"
#include "toolkit/exception.h"

namespace {

const std::string kEnglish = "abcdefghijklmnopqrstuvwxyz";
const std::string kRussian = "абвгдеёжзийклмнопрстуфхцчшщъыьэюя";

class TBaseBuilderTest : public TTempFolderTest {
protected:
  // The base built from one text (UTF-8) and loaded back.
  void BuildAndLoad(const std::string& text, int order, int codePage = 1252,
                    const std::string& letters = kEnglish) {
    TBaseBuilder builder(codePage, FromUtf8(letters, codePage), order);
    builder.AddText(FromUtf8(text, codePage));
    std::string error;
    ASSERT_TRUE(builder.Write(PathOf("Built.Base"), error)) << error;
    ASSERT_TRUE(Base.LoadFromFile(PathOf("Built.Base")));
  }

  TLTBase Base;
};

TEST_F(TBaseBuilderTest, ReproducesTheGoldenBases) {
  struct {
    const char* name;
    int codePage;
    std::string letters;
  } cases[] = {{"English", 1252, kEnglish}, {"Russian", 1251, kRussian}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string folder = std::string(LOMTAK_TEST_DATA_DIR) + "/course_build/" + c.name;
    TBaseBuilder builder(c.codePage, FromUtf8(c.letters, c.codePage), 3);
    builder.AddText(FromUtf8(TempDir::Read(folder + "/text.txt"), c.codePage));
    std::string error;
    const std::string out = PathOf(std::string(c.name) + ".Base");
    ASSERT_TRUE(builder.Write(out, error)) << error;
    EXPECT_TRUE(TempDir::Read(out) == TempDir::Read(folder + "/expected.Base"));
  }
}

TEST_F(TBaseBuilderTest, LettersBecomeCanonicalAndOtherRunsOneBlank) {
  BuildAndLoad("Ab, AB!!  ab--", 2);
  TBaseStructure* root = Base.getRoot();
  ASSERT_NE(root->FindChild('a', false), nullptr);
  EXPECT_EQ(root->FindChild('a', false)->getCount(), 3);
  EXPECT_EQ(root->FindChild('b', false)->getCount(), 3);
  EXPECT_EQ(root->FindChild(' ', false)->getCount(), 3);
  EXPECT_EQ(root->FindChild('A', false), nullptr);
  EXPECT_EQ(root->FindChild(' ', false)->FindChild(' ', false), nullptr);
  EXPECT_EQ(Base.getName(), "Built");
  EXPECT_EQ(Base.getLanguageName(), "Built");
  EXPECT_EQ(Base.getOrder(), 2);
  EXPECT_EQ(Base.getAlphabet().getCharset(), 0);
}

TEST_F(TBaseBuilderTest, CapitalsOfTheCodePageMapToTheirSmallLetters) {
  BuildAndLoad("Ёлка", 1, 1251, kRussian);
  const TAlphabet& alphabet = Base.getAlphabet();
  EXPECT_EQ(alphabet.getCharset(), 204);
  EXPECT_EQ(alphabet.Count(), 33);
  for (const char* pair : {"Ёё", "Яя", "Аа"}) {
    std::string bytes = FromUtf8(pair, 1251);
    EXPECT_EQ(alphabet.Normalize(bytes[0]), static_cast<unsigned char>(bytes[1])) << pair;
  }
  EXPECT_EQ(alphabet.Normalize('A'), 0);
}

TEST_F(TBaseBuilderTest, CapitalsOfACodePageWithCombiningMarksMapToTheirSmallLetters) {
  BuildAndLoad("Đà", 1, 1258, "aăâbcdđeêghiklmnoôơpqrstuưvxy");
  const TAlphabet& alphabet = Base.getAlphabet();
  EXPECT_EQ(alphabet.getCharset(), 163);
  for (const char* pair : {"Aa", "Ăă", "Đđ", "Ơơ", "Yy"}) {
    std::string bytes = FromUtf8(pair, 1258);
    ASSERT_EQ(bytes.size(), 2u) << pair;
    EXPECT_EQ(alphabet.Normalize(bytes[0]), static_cast<unsigned char>(bytes[1])) << pair;
  }
}

TEST_F(TBaseBuilderTest, TheRingGivesEveryPrefixItsContinuations) {
  // Every leaf at the full order and every sequence's tail again a path: the generator then
  // never has to renew its context.
  BuildAndLoad("one two three, four five six", 4);
  std::vector<std::pair<TBaseStructure*, std::string>> pending{{Base.getRoot(), ""}};
  int leaves = 0;
  while (!pending.empty()) {
    auto [node, path] = pending.back();
    pending.pop_back();
    if (!node->getFirstChild()) {
      ++leaves;
      EXPECT_EQ(path.size(), 4u) << path;
      TBaseStructure* tail = Base.getRoot();
      for (char c : path.substr(1)) tail = tail ? tail->FindChild(c, false) : nullptr;
      EXPECT_TRUE(tail && tail->getFirstChild()) << path;
    }
    for (TBaseStructure* child = node->getFirstChild(); child; child = child->getNextSibling())
      pending.push_back({child, path + static_cast<char>(child->getLetter())});
  }
  EXPECT_EQ(leaves, 28);  // one per position of "one two three four five six "
}

TEST_F(TBaseBuilderTest, AverageWordLengthCountsLettersPerWord) {
  TBaseBuilder builder(1252, kEnglish, 2);
  EXPECT_EQ(builder.AverageWordLength(), 0);
  builder.AddText("a bb, ccc");
  builder.AddText("dddd!");
  EXPECT_DOUBLE_EQ(builder.AverageWordLength(), 2.5);
}

TEST_F(TBaseBuilderTest, RejectsWhatNoBaseCanHold) {
  struct {
    const char* name;
    int codePage;
    std::string letters;
    int order;
    std::string error;
  } cases[] = {
      {"unknown code page", 437, "ab", 2, "Unknown code page 437"},
      {"order 0", 1252, "ab", 0, "The order must lie from 1 to 255"},
      {"order 256", 1252, "ab", 256, "The order must lie from 1 to 255"},
      {"blank", 1252, "a b", 2, "The blank is not a letter"},
      {"repeated letter", 1252, "aba", 2, "Letter a given twice"},
      {"too many letters", 1252, std::string(256, 'x'), 2, "An alphabet holds at most 255 letters"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      TBaseBuilder builder(c.codePage, c.letters, c.order);
      ADD_FAILURE() << "accepted";
    } catch (const Exception& error) {
      EXPECT_EQ(error.Message, c.error);
    }
  }
}

TEST_F(TBaseBuilderTest, AnUnwritableFileIsReported) {
  TBaseBuilder builder(1252, kEnglish, 2);
  std::string error;
  EXPECT_FALSE(builder.Write(PathOf("no/such/folder/X.Base"), error));
  EXPECT_EQ(error.rfind("Can't write " + PathOf("no/such/folder/X.Base") + ": ", 0), 0u) << error;
}

}  // namespace
