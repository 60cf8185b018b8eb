#include "views/tltstatusbar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/tinioptions.h"
#include "support/goldenimage.h"
#include "support/guiapplication.h"
#include "support/tempdir.h"
#include "toolkit/gui/bitmap.h"

namespace {

constexpr TColor kText = 0xC0C0C0, kGrey = 0xEEEEEE, kRed = 0x0000FF;

TEST(CutMarkupTest, TagsRunToTheirCloseOrTheNextOpening) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> pieces;
  } cases[] = {
      {"plain text", "Info", {"Info"}},
      {"a tag between runs", "a<b>c", {"a", "<b>", "c"}},
      {"tags side by side keep the empty run", "<b><i>", {"", "<b>", "", "<i>", ""}},
      {"an unclosed tag swallows up to the next", "x<b y<i>z", {"x", "<b y", "<i>", "z"}},
      {"an unclosed tag swallows to the end", "x<color value", {"x", "<color value"}},
      {"a lone > stays in its run", "a>b", {"a>", "b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CutMarkup(c.text), c.pieces);
  }
}

// A shown bar on a black ground with light-grey text, 600 pixels wide.
class StatusBarTest : public testing::Test {
protected:
  void SetUp() override {
    bar.reset(new TLTStatusBar(nullptr));
    bar->setWidth(600);
    bar->setColor(0x000000);
    bar->Font()->setColor(kText);
    bar->Show();
  }
  TColor At(int x, int y) { return bar->Canvas()->Pixels(x, y); }
  // The columns inside the frame in which some pixel has exactly the colour.
  std::vector<int> Columns(TColor color) {
    return ColumnsWhere([&](TColor pixel) { return pixel == color; });
  }
  // The columns inside the frame where something is drawn on the black background.
  std::vector<int> Ink() {
    return ColumnsWhere([](TColor pixel) { return pixel != 0x000000; });
  }
  template <typename Test>
  std::vector<int> ColumnsWhere(Test test) {
    std::vector<int> columns;
    for (int x = 1; x < bar->Width() - 1; ++x)
      for (int y = 1; y < bar->Height() - 1; ++y)
        if (test(At(x, y))) {
          columns.push_back(x);
          break;
        }
    return columns;
  }
  // The width of a text in the bar's font with the style.
  int Width(const std::string& text, TFontStyles style = 0) {
    TBitmap measure;
    measure.Canvas()->Font()->Assign(*bar->Font());
    measure.Canvas()->Font()->setStyle(style);
    return measure.Canvas()->TextWidth(text);
  }
  TOwnedPtr<TLTStatusBar> bar;
};

TEST_F(StatusBarTest, StartsAtTheHeightOfItsFontAndHidden) {
  TLTStatusBar fresh(nullptr);
  EXPECT_FALSE(fresh.Visible());
  EXPECT_EQ(fresh.Height(), 22);
  EXPECT_EQ(fresh.Font()->Name(), "Arial Narrow");
}

TEST_F(StatusBarTest, AnEmptyTextDrawsTheFrameOnTheBackground) {
  bar->BorderColor = 0x00FF00;
  bar->setText("");
  EXPECT_EQ(At(0, 0), TColor(0x00FF00));
  EXPECT_EQ(At(599, 21), TColor(0x00FF00));
  EXPECT_EQ(At(300, 10), TColor(0x000000));
  EXPECT_TRUE(Columns(kText).empty());
}

TEST_F(StatusBarTest, PlaceholdersFillTheirBracketedNames) {
  struct Case {
    const char* name;
    std::string text, value, shown;
  } cases[] = {
      {"a name", "[USERNAME]", "Anna", "Anna"},
      {"double brackets keep one pair", "[[USERNAME]]", "Anna", "[Anna]"},
      {"a value that names itself ends", "[USERNAME]", "[USERNAME]!", "[USERNAME]!"},
      {"an empty value removes the entry", "[USERNAME]", "", "[USERNAME]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bar->setPlaceholder("username", "x");
    bar->setPlaceholder("USERNAME", c.value);
    EXPECT_EQ(bar->getPlaceholder("UserName"), c.value);
    bar->setText(c.text);
    std::vector<int> drawn = Ink();
    ASSERT_FALSE(drawn.empty());
    EXPECT_NEAR(drawn.back() - 3, Width(c.shown), 3);
  }
}

// Values set together show as set one by one; the bar draws once for them, and not at all
// when none differs from what it shows.
TEST_F(StatusBarTest, PlaceholdersSetTogetherDrawOnceAndOnlyWhenOneChanged) {
  const std::string text = "[A] [B] [C]";
  TLTStatusBar oneByOne(nullptr);
  oneByOne.setWidth(600);
  oneByOne.setColor(0x000000);
  oneByOne.Font()->setColor(kText);
  oneByOne.Show();
  for (TLTStatusBar* shown : {bar.get(), &oneByOne}) shown->setText(text);
  int draws = 0;
  bar->Canvas()->OnChange = [&](const TRect&) { ++draws; };
  const std::vector<std::pair<std::string, std::string>> values = {
      {"A", "one"}, {"B", "[C]"}, {"C", "three"}};
  bar->setPlaceholders(values);
  for (const auto& [name, value] : values) oneByOne.setPlaceholder(name, value);
  EXPECT_EQ(draws, 1);
  EXPECT_EQ(*bar->Canvas()->Surface(), *oneByOne.Canvas()->Surface());
  bar->setPlaceholders(values);
  EXPECT_EQ(draws, 1);
  bar->setPlaceholders({{"A", "one"}, {"B", ""}});
  EXPECT_EQ(draws, 2);
  EXPECT_EQ(bar->getPlaceholder("B"), "");
}

TEST_F(StatusBarTest, ColourTagsTakeCapitalDigitsBlueFirst) {
  struct Case {
    const char* name;
    std::string tag;
    TColor color;
  } cases[] = {
      {"capitals", "<color value=#EEEEEE>", kGrey},
      {"blue, green, red", "<color value=#0000FF>", kRed},
      {"quoted with blanks", "<color value = \"#EEEEEE\">", kGrey},
      {"small letters read up to the first one", "<color value=#00ff00>", 0x000000},
      {"all small letters leave the colour", "<color value=#eeeeee>", kText},
      {"too many digits leave the colour", "<color value=#EEEEEEEEE>", kText},
      {"no value", "<color>", kText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bar->setText(c.tag + "MMMM</color>MMMM");
    std::vector<int> first = Columns(c.color);
    // The first run drawn in the tag's colour, the run after the closing tag in the font's.
    if (c.color != 0x000000) {
      ASSERT_FALSE(first.empty());
      EXPECT_LT(first.front(), 3 + Width("MMMM"));
    }
    std::vector<int> after = Columns(kText);
    ASSERT_FALSE(after.empty());
    EXPECT_GT(after.back(), 3 + Width("MMMM"));
  }
}

TEST_F(StatusBarTest, StyleTagsAreExactAndBoldRunsAreMeasuredInBold) {
  // The bar after the run starts where the bold run ends.
  const int bold = Width("wwwwrrrr", fsBold), plain = Width("wwwwrrrr");
  ASSERT_GT(bold, plain + 4);
  bar->setText("<b>wwwwrrrr</b>|");
  EXPECT_NEAR(Ink().back(), 3 + bold, 3);
  for (const char* text : {"<B>wwwwrrrr</B>|", "< b>wwwwrrrr</b>|", "wwwwrrrr|"}) {
    SCOPED_TRACE(text);
    bar->setText(text);
    EXPECT_NEAR(Ink().back(), 3 + plain, 3);
  }
}

TEST_F(StatusBarTest, TheLastSpaceTagPushesTheRestToTheRightEdge) {
  struct Case {
    const char* name;
    std::string text;
    std::string left, right;  // what ends up at either edge
  } cases[] = {
      {"no space tag: left from x = 3", "||||", "||||", ""},
      {"one space tag", "||<space/>||", "||", "||"},
      {"only after the last of two", "||<space/>||<space/>||", "||||", "||"},
  };
  const int bar1 = Width("|");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bar->setText(c.text);
    std::vector<int> drawn = Ink();
    ASSERT_FALSE(drawn.empty());
    EXPECT_NEAR(drawn.front(), 3 + bar1 / 2, 3);
    std::vector<int> left, right;
    for (int x : drawn) (x < 300 ? left : right).push_back(x);
    EXPECT_NEAR(left.back(), 3 + Width(c.left) - bar1 / 2, 3);
    if (c.right.empty()) {
      EXPECT_TRUE(right.empty());
    } else {
      ASSERT_FALSE(right.empty());
      EXPECT_NEAR(right.front(), 600 - 3 - Width(c.right) + bar1 / 2, 3);
      EXPECT_NEAR(right.back(), 600 - 3 - bar1 / 2, 3);
    }
    EXPECT_EQ(At(300, 0), bar->BorderColor);
    EXPECT_EQ(At(300, bar->Height() - 1), bar->BorderColor);
  }
}

TEST_F(StatusBarTest, LongMalformedOrTagFullTextsAreDrawn) {
  std::string tags;
  for (int i = 0; i < 2000; ++i) tags += "<b><color value=#" + std::string(i % 12, 'A') + "><space";
  for (const std::string& text :
       {std::string(20000, 'w'), std::string(5000, '<'), std::string(5000, '>'), tags,
        std::string("<color value=\"#") + std::string(10000, 'F'), std::string(tagSplitMarker)}) {
    bar->setText(text);
    EXPECT_EQ(At(0, 0), bar->BorderColor);
  }
}

TEST_F(StatusBarTest, ThemeHasFixedDefaultsAndTheBackgroundKeyAsSpelled) {
  TempDir dir;
  TempDir::Write(dir / "Theme.ini",
                 "[Empty]\r\n[Spelled]\r\nBackrgound=#102030\r\n[Corrected]\r\n"
                 "Background=#102030\r\n");
  TIniOptions theme(dir / "Theme.ini", false);
  bar->setColor(0x123456);
  bar->BorderColor = 0x654321;
  bar->LoadTheme(&theme, "Empty");
  EXPECT_EQ(bar->Font()->Color(), TColor(0xC0C0C0));
  EXPECT_EQ(bar->BorderColor, TColor(0x000000));
  EXPECT_EQ(bar->Color(), TColor(0x000000));
  bar->LoadTheme(&theme, "Spelled");
  EXPECT_EQ(bar->Color(), TColor(0x302010));
  bar->LoadTheme(&theme, "Corrected");
  EXPECT_EQ(bar->Color(), TColor(0x000000));
}

TEST_F(StatusBarTest, TheFontFitsTheWidthForTheLetterCount) {
  bar->setWidth(1920);
  bar->AdjustOptimalSize(50, 117);
  const int height = bar->Font()->Height();
  EXPECT_LE(height, 50);
  EXPECT_EQ(bar->Height(), height + 2);
  TBitmap measure;
  measure.Canvas()->Font()->Assign(*bar->Font());
  EXPECT_LE(measure.Canvas()->TextWidth(std::string(117, 'w')), 1920);
  measure.Canvas()->Font()->setHeight(height + 1);
  EXPECT_GT(measure.Canvas()->TextWidth(std::string(117, 'w')), 1920);
  bar->setWidth(5);
  bar->AdjustOptimalSize(50, 117);
  EXPECT_EQ(bar->Font()->Height(), 1);
}

TEST_F(StatusBarTest, GoldenLines) {
  bar->setWidth(800);
  bar->AdjustOptimalSize(50, 117);
  bar->BorderColor = 0x404040;
  bar->setPlaceholder("USERNAME", "Anna");
  bar->setPlaceholder("TIME", "12:34");
  struct Case {
    const char* name;
    std::string text;
  } cases[] = {
      {"help",
       "<color value=#EEEEEE>F1:</color>Help <color value=#EEEEEE>F2:</color>Metronome "
       "<color value=#EEEEEE>Esc:</color><b>Quit</b>"},
      {"user",
       "<color value=#EEEEEE>[USERNAME]</color><space/><i>Time:</i> [TIME] "
       "<u>Errors</u> <s>0</s>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bar->setText(c.text);
    EXPECT_TRUE(MatchesGolden(*bar->Canvas()->Surface(), "statusbar", c.name, 64));
  }
}

}  // namespace
