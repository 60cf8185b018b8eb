#include "views/tlttaskvisualizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/ttask.h"
#include "foundation/tinioptions.h"
#include "support/goldenimage.h"
#include "support/guiapplication.h"
#include "support/tempdir.h"

namespace {

constexpr int kBorder = 4, kDelimiter = 1;
constexpr char kLine[] = "the quick brown fox jumps over the lazy dog";

// A shown display of the given width on a task without course, laid out for its line.
class TaskVisualizerTest : public testing::Test {
protected:
  void SetUp() override {
    view.reset(new TLTTaskVisualizer(nullptr));
    view->AttachTask(&task);
    view->setWidth(800);
    view->Show();
  }
  void Begin(const std::string& text, int width = 800) {
    task.Text = text;
    task.Position = 0;
    task.ErrorText.clear();
    view->setWidth(width);
    view->setTask();
  }
  TColor At(int x, int y) { return view->Canvas()->Pixels(x, y); }
  // The display shows what a whole composition of the task as it stands shows.
  void ExpectTheWholePicture() {
    const QImage drawn = view->Canvas()->Surface()->copy();
    view->Paint();
    EXPECT_TRUE(drawn == *view->Canvas()->Surface());
  }
  int FontHeight() { return view->Font()->Height(); }
  int TypedTop() { return kBorder + FontHeight() + kDelimiter; }

  TTask task{nullptr};
  TOwnedPtr<TLTTaskVisualizer> view;
};

TEST_F(TaskVisualizerTest, FontFitsTheHeightLimitAndTheWidth) {
  struct Case {
    const char* name;
    int maxHeight, width;
    std::string text;
    int fontHeight;
  } cases[] = {
      {"MaxHeight 81 limits the font to 40", 81, 1920, "short", 40},
      {"an odd limit truncates", 20, 1920, "short", 9},
      {"no width gives 0", 81, 0, "short", 0},
      {"even height 2 too wide gives 1", 81, 10, std::string(60, 'W'), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    task.Text = c.text;
    view->setWidth(c.width);
    view->setMaxHeight(c.maxHeight);
    EXPECT_EQ(view->getOptimalFontHeight(), c.fontHeight);
    EXPECT_EQ(FontHeight(), c.fontHeight);
    EXPECT_EQ(view->Height(), 2 * c.fontHeight + kDelimiter + 2 * kBorder);
  }
}

TEST_F(TaskVisualizerTest, NarrowLettersGetTheFontOfAnOrdinaryLineAndWideOnesTheirOwn) {
  view->setWidth(600);
  auto fitted = [&](const std::string& text) {
    task.Text = text;
    return view->getOptimalFontHeight();
  };
  int ordinary = fitted("abcdefghijklmnopqrstuvwxyzabcdefghijklmn");
  EXPECT_EQ(fitted(std::string(40, 'i')), ordinary);
  int wide = fitted(std::string(40, 'W'));
  EXPECT_LT(wide, ordinary);
  view->Canvas()->Font()->Assign(*view->Font());
  view->Canvas()->Font()->setHeight(wide);
  EXPECT_LT(view->Canvas()->TextWidth(std::string(40, 'W')), 600);
  view->Canvas()->Font()->setHeight(wide + 1);
  EXPECT_GE(view->Canvas()->TextWidth(std::string(40, 'W')), 600);
}

TEST_F(TaskVisualizerTest, BandsFrameTheLinesAndTheDelimiterStaysUnderTheTaskLine) {
  for (const std::string& text : {std::string(kLine), std::string("a much shorter line")}) {
    SCOPED_TRACE(text);
    Begin(text);
    const int h = FontHeight(), right = view->Width() - 1;
    EXPECT_EQ(At(right, 0), view->BorderColor);
    EXPECT_EQ(At(right, kBorder - 1), view->BorderColor);
    EXPECT_EQ(At(right, kBorder + h), view->DelimiterColor);
    EXPECT_EQ(At(right, view->Height() - kBorder), view->BorderColor);
    EXPECT_EQ(At(right, view->Height() - 1), view->BorderColor);
  }
}

TEST_F(TaskVisualizerTest, TheTypedPartTakesTheTypedLookAndTheSightBoxMoves) {
  Begin(kLine);
  const int h = FontHeight();
  // The margin that the cells leave at the left counts as typed from the start.
  EXPECT_EQ(At(0, TypedTop() + 1), view->FillerColor);
  EXPECT_EQ(At(view->Width() / 2, TypedTop() + 1), view->BackgroundColor);
  task.Position = 10;
  view->PaintCurrentPosition();
  EXPECT_EQ(At(1, kBorder + 1), view->FillerColor);
  EXPECT_EQ(At(1, TypedTop() + 1), view->FillerColor);
  EXPECT_EQ(At(view->Width() - 2, TypedTop() + 1), view->BackgroundColor);
  // The sight box: framed, on its own background, at the expected character's cell.
  int x = 1;
  while (At(x, kBorder + h / 2) != view->SightBorderColor && x < view->Width()) ++x;
  EXPECT_EQ(At(x, kBorder + 1), view->SightBorderColor);
  EXPECT_EQ(At(x + 1, kBorder + 1), view->SightBackgroundColor);
}

TEST_F(TaskVisualizerTest, ACompleteOrEmptyLineShowsTheTypedLookAcrossTheWholeWidth) {
  for (const std::string& text : {std::string(kLine), std::string()}) {
    SCOPED_TRACE(text);
    Begin(text);
    task.Position = static_cast<int>(text.size());
    view->PaintCurrentPosition();
    for (int y : {kBorder, kBorder + FontHeight() - 1, TypedTop(), TypedTop() + FontHeight() - 1})
      for (int x : {0, view->Width() / 2, view->Width() - 1}) {
        SCOPED_TRACE(testing::Message() << x << "," << y);
        if (!text.empty() && x == view->Width() / 2) continue;  // a glyph may stand there
        EXPECT_EQ(At(x, y), view->FillerColor);
      }
  }
}

TEST_F(TaskVisualizerTest, ALineAfterErrorsIsDrawnInTheDistortedColour) {
  for (bool hadErrors : {false, true}) {
    SCOPED_TRACE(hadErrors);
    task.HadErrors = hadErrors;
    Begin(std::string(30, 'H'));
    const TColor expected = hadErrors ? view->DistortedTaskColor : view->PureTaskColor;
    bool found = false;
    for (int x = view->Width() / 2; x < view->Width() && !found; ++x)
      for (int y = kBorder; y < kBorder + FontHeight() && !found; ++y) found = At(x, y) == expected;
    EXPECT_TRUE(found);
  }
}

TEST_F(TaskVisualizerTest, AKeyShowsTheCursorForTwoSecondsThenItBlinksEverySecond) {
  Begin(kLine);
  EXPECT_FALSE(view->CursorShown());
  task.Position = 3;
  view->CALLBACK_TaskOnChange();
  EXPECT_TRUE(view->CursorShown());
  EXPECT_EQ(view->CursorTimer()->Interval(), 2000);
  const int underline = TypedTop() + FontHeight() - 3;
  auto cursorDrawn = [&] {
    for (int x = 0; x < view->Width(); ++x)
      if (At(x, underline) == view->CursorColor && At(x, underline + 1) == view->CursorColor)
        return true;
    return false;
  };
  EXPECT_TRUE(cursorDrawn());
  view->OnCursorUpdateTimer(nullptr);
  EXPECT_FALSE(view->CursorShown());
  EXPECT_EQ(view->CursorTimer()->Interval(), 1000);
  EXPECT_FALSE(cursorDrawn());
  view->OnCursorUpdateTimer(nullptr);
  EXPECT_TRUE(cursorDrawn());
}

TEST_F(TaskVisualizerTest, AChangeAtTheLinesStartLaysOutAgain) {
  Begin("short");
  const int before = FontHeight();
  task.Text = std::string(70, 'm');
  task.Position = 0;
  task.OnChange();
  EXPECT_LT(FontHeight(), before);
}

TEST_F(TaskVisualizerTest, ALineChangedWithoutLayoutIsNeverReadPastItsCells) {
  Begin("abc");
  task.Text = kLine;
  task.Position = 20;
  view->PaintCurrentPosition();
  EXPECT_EQ(At(view->Width() - 1, kBorder + 1), view->FillerColor);
}

// Key after key only the columns that change are drawn again, and the display then shows what
// a whole composition shows.
TEST_F(TaskVisualizerTest, EachKeyDrawsOnlyWhatChangedAndShowsTheWholePicture) {
  Begin(kLine);
  TRect changed;
  view->Canvas()->OnChange = [&](const TRect& rect) { changed = rect; };
  struct Step {
    const char* name;
    int position;
    const char* error;
    bool blink, narrow;
  } steps[] = {
      {"a right key", 1, "", false, true},
      {"another", 2, "", false, true},
      {"a wrong key", 2, "W", false, true},
      {"the cursor blinks", 2, "W", true, true},
      {"the right key after it", 3, "", false, true},
      {"a jump", 30, "", false, false},
      {"back to the start", 0, "", true, false},
      {"the line complete", 43, "", false, false},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    task.Position = step.position;
    task.ErrorText = step.error;
    changed = TRect();
    if (step.blink) {
      view->OnCursorUpdateTimer(nullptr);
    } else {
      view->CALLBACK_TaskOnChange();
    }
    if (step.narrow) {
      EXPECT_LT(changed.Width(), view->Width() / 4);
    }
    ExpectTheWholePicture();
  }
}

// A glyph's ink may reach past its cell: the hook of an italic j to the left, the top of an
// italic f to the right, most where the expected letter is narrow and its neighbours so wide
// that little spacing is left. The columns a key draws again take that ink in, so the screen
// neither keeps the ink of a wrong key that is gone nor lacks that of one just typed.
TEST_F(TaskVisualizerTest, InkBeyondACellIsDrawnAndClearedKeyAfterKey) {
  std::string text(40, 'W');
  text.replace(10, 3, "iii");
  view->Font()->setStyle(fsItalic);
  Begin(text);
  for (const char* error : {"j", "f"}) {
    for (int position : {10, 11, 12}) {
      SCOPED_TRACE(testing::Message() << error << " at " << position);
      for (const char* typed : {"", error, ""}) {
        task.Position = position;
        task.ErrorText = typed;
        view->CALLBACK_TaskOnChange();
        ExpectTheWholePicture();
      }
    }
  }
}

// Qt measures a line with kerned pairs narrower than its letters, but the display draws letter by
// letter: cells laid out by the whole line's measure add up to more than the width (here by 5
// and by 27 pixels), start left of the control, clip the first and last letters, and a copy of
// the typed part, then of negative width, showed the line as typed from its first key.
TEST_F(TaskVisualizerTest, ALineOfKernedPairsFitsTheWidthFromItsFirstKey) {
  auto repeated = [](const std::string& words, size_t length) {
    std::string line;
    while (line.size() < length) line += words;
    return line.substr(0, length);
  };
  struct Case {
    const char* name;
    std::string text;
  } cases[] = {
      {"weighted to a, v, w and y",
       repeated("apavazmau a alat rasalapakabalanda yaw wavy away vaya tawa wayava yava avaya "
                "way ayaw",
                72)},
      {"kerned pairs",
       repeated("AVAWAYAVATAVAWAYAVAT To Ty Vo Wa Ya AV AW AY Av Aw Ay LT LV LW LY ", 69)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Begin(c.text, 1920);
    for (int position = 0; position <= 3; ++position) {
      SCOPED_TRACE(position);
      task.Position = position;
      view->CALLBACK_TaskOnChange();
      ExpectTheWholePicture();
      EXPECT_EQ(At(view->Width() / 2, kBorder + 1), view->BackgroundColor);
      EXPECT_EQ(At(view->Width() / 2, TypedTop() + 1), view->BackgroundColor);
    }
    // The sight box over the first and over the last letter stands whole inside the control:
    // seen from the edge, its frame comes first.
    const int middle = kBorder + FontHeight() / 2, last = static_cast<int>(c.text.size()) - 1;
    int x = 0;
    task.Position = 0;
    view->CALLBACK_TaskOnChange();
    while (x < view->Width() && At(x, middle) == view->FillerColor) ++x;
    EXPECT_EQ(At(x, middle), view->SightBorderColor) << x;
    task.Position = last;
    view->CALLBACK_TaskOnChange();
    for (x = view->Width() - 1; x >= 0 && At(x, middle) == view->BackgroundColor;) --x;
    EXPECT_EQ(At(x, middle), view->SightBorderColor) << x;
  }
}

// Letters and the fitting's sample are measured once per font and height, whatever line they
// come in: a line measures only the letters that no line before it had at the heights it tries.
TEST_F(TaskVisualizerTest, ALineMeasuresOnlyLettersNotMeasuredBeforeAtItsHeight) {
  std::vector<std::pair<int, std::string>> measured;
  view->setMeasurer([&](const TFont& font, const std::string& text) {
    measured.emplace_back(font.Height(), text);
    TCanvas canvas(nullptr);
    canvas.Font()->Assign(font);
    return canvas.TextWidth(text);
  });
  const std::string sample = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN";
  auto measuredLaying = [&](const std::string& text) {
    measured.clear();
    Begin(text, 1920);
    return measured;
  };
  const auto first = measuredLaying(kLine);
  std::set<std::pair<int, std::string>> seen;
  for (const auto& [height, text] : first) {
    SCOPED_TRACE(testing::Message() << height << " " << text);
    EXPECT_TRUE(text.size() == 1 || text == sample);
    EXPECT_TRUE(seen.insert({height, text}).second) << "measured twice";
  }
  EXPECT_TRUE(seen.count({FontHeight(), "q"}));

  std::string shuffled = kLine;
  std::reverse(shuffled.begin(), shuffled.end());
  EXPECT_TRUE(measuredLaying(shuffled).empty()) << "the same letters in another order";
  EXPECT_TRUE(measuredLaying("dog fox").empty()) << "fewer letters, a larger font";

  const auto withNew = measuredLaying(shuffled + "Q");
  EXPECT_FALSE(withNew.empty());
  for (const auto& [height, text] : withNew) {
    SCOPED_TRACE(height);
    EXPECT_EQ(text, "Q");
    EXPECT_TRUE(seen.insert({height, text}).second) << "measured twice";
  }

  view->Font()->setName("Liberation Sans");
  EXPECT_FALSE(measuredLaying(kLine).empty()) << "another font is measured anew";
}

TEST_F(TaskVisualizerTest, GoldenPicturesOfALine) {
  Begin(kLine);
  view->setMaxHeight(81);
  struct Case {
    const char* name;
    int position;
    const char* error;
    bool cursor;
  } cases[] = {
      {"start", 0, "", false},
      {"middle-error-cursor", 16, "g", true},
      {"complete", static_cast<int>(sizeof(kLine) - 1), "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    task.Position = c.position;
    task.ErrorText = c.error;
    if (c.cursor != view->CursorShown()) view->OnCursorUpdateTimer(nullptr);
    view->PaintCurrentPosition();
    EXPECT_TRUE(MatchesGolden(*view->Canvas()->Surface(), "taskvisualizer", c.name, 64));
  }
}

TEST_F(TaskVisualizerTest, ThemeColoursAndTheFontNameComeFromTheirSections) {
  TempDir dir;
  const std::string file = dir / "Theme.ini";
  TempDir::Write(file,
                 "[Session.Task]\r\nBackgroundColor=#010203\r\nUserString.CursorColor=#FF0000\r\n"
                 "TaskString.Distorted.FontColor=#00FF00\r\n");
  TIniOptions theme(file, false);
  const TColor filler = view->FillerColor;
  view->LoadTheme(&theme, "Session.Task");
  EXPECT_EQ(view->BackgroundColor, TColor(0x030201));
  EXPECT_EQ(view->CursorColor, TColor(0x0000FF));
  EXPECT_EQ(view->DistortedTaskColor, TColor(0x00FF00));
  EXPECT_EQ(view->FillerColor, filler);

  TIniOptions profile(dir / "Profile.ini", true);
  view->setName("Task");
  view->Font()->setName("Liberation Sans");
  view->SaveState(&profile, "SessionForm.Task");
  EXPECT_EQ(profile.ReadString("SessionForm.Task", "Task.Font.Name", ""), "Liberation Sans");
  view->Font()->setName("Tahoma");
  view->LoadState(&profile, "SessionForm.Task");
  EXPECT_EQ(view->Font()->Name(), "Liberation Sans");
}

}  // namespace
