#include "views/tlttaskstatisticvisualizer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "engine/ttask.h"
#include "engine/ttaskstatistic.h"
#include "foundation/tinioptions.h"
#include "support/goldenimage.h"
#include "support/guiapplication.h"
#include "support/tempdir.h"

namespace {

class TaskStatisticVisualizerTest : public testing::Test {
protected:
  void SetUp() override { panel.reset(new TLTTaskStatisticVisualizer(nullptr)); }
  TOwnedPtr<TLTTaskStatisticVisualizer> panel;
};

TEST_F(TaskStatisticVisualizerTest, FiguresFillTheirTemplates) {
  struct Case {
    const char* name;
    TTaskFigures figures;
    double wordLength;
    int line;
    std::string text;
  } cases[] = {
      {"254 cpm at word length 5 is 50 wpm", {254, 0, 0, 0, 0}, 5.0, 1, "254cpm/50wpm"},
      {"a word length of 0 has no words", {254, 0, 0, 0, 0}, 0.0, 1, "254cpm/-wpm"},
      {"nor has one too small for a count", {254, 0, 0, 0, 0}, 1e-300, 1, "254cpm/-wpm"},
      {"tempo", {0, 312, 0, 0, 0}, 1.0, 2, "312bpm"},
      {"rhythm 0.876 is 87%", {0, 0, 0.876, 0, 0}, 1.0, 3, "87%"},
      {"3 errors of 27 net keystrokes", {0, 0, 0, 3, 27}, 1.0, 4, "3 (11%)"},
      {"no errors", {0, 0, 0, 0, 30}, 1.0, 4, "0 (0%)"},
      {"as many errors as right keys", {0, 0, 0, 5, 0}, 1.0, 4, "5 (-%)"},
      {"more errors than right keys", {0, 0, 0, 7, -2}, 1.0, 4, "7 (-%)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    panel->Figures = c.figures;
    panel->AverageWordLength = c.wordLength;
    EXPECT_EQ(panel->ValueText(c.line), c.text);
  }
}

TEST_F(TaskStatisticVisualizerTest, ATemplateTakesOnlyItsOwnPlaceholdersEveryTime) {
  panel->Figures = {100, 200, 0.5, 1, 10};
  panel->TempoUnit = "[TEMPO_BPM]/[TEMPO_BPM] [PROQ_CPM]";
  EXPECT_EQ(panel->ValueText(2), "200/200 [PROQ_CPM]");
  panel->StabilityUnit = "steady";
  EXPECT_EQ(panel->ValueText(3), "steady");
}

TEST_F(TaskStatisticVisualizerTest, WithoutATaskEveryFigureIsMinusOne) {
  panel->UpdateAndShow();
  EXPECT_TRUE(panel->Visible());
  EXPECT_EQ(panel->ValueText(1), "-1cpm/-1wpm");
  EXPECT_EQ(panel->ValueText(3), "-100%");
  EXPECT_EQ(panel->ValueText(4), "-1 (-%)");
}

TEST_F(TaskStatisticVisualizerTest, UpdateCopiesTheTasksFigures) {
  TTask task(nullptr);
  task.Statistic->Correct = 30;
  task.Statistic->Errors = 3;
  panel->AttachTask(&task);
  panel->UpdateAndShow();
  EXPECT_EQ(panel->Figures.Errors, 3);
  EXPECT_EQ(panel->Figures.ErrorBase, 27);
  EXPECT_EQ(panel->ValueText(4), "3 (11%)");
}

TEST_F(TaskStatisticVisualizerTest, TheCaptionsAndTemplatesArePublished) {
  auto properties = panel->Properties();
  for (const char* name : {"ErrorsCaption", "ErrorsUnit", "ProQUnit", "ProQuotientCaption",
                           "StabilityCaption", "StabilityUnit", "TempoCaption", "TempoUnit"}) {
    SCOPED_TRACE(name);
    auto found = std::find_if(properties.begin(), properties.end(),
                              [&](const TPropInfo& p) { return p.Name == name; });
    ASSERT_NE(found, properties.end());
    found->SetString("x");
  }
  EXPECT_EQ(panel->TempoCaption, "x");
  EXPECT_EQ(panel->Name(), "Stataistic");
}

TEST_F(TaskStatisticVisualizerTest, APanelTooLowForAnyFontIsDrawnWithHeightOne) {
  panel->SetBounds(0, 0, 200, 3);
  panel->Show();
  panel->Paint();
  EXPECT_EQ(panel->Canvas()->Font()->Height(), 1);
  EXPECT_EQ(panel->Font()->Height(), 100);
}

// The training screen sizes the panel anew with the screen: a panel made smaller or larger shows
// what a panel made at that size shows, and the corners outside its rounded box stay transparent
// whatever an earlier size drew there.
TEST_F(TaskStatisticVisualizerTest, AResizedPanelIsDrawnAsAFreshOneOfItsSize) {
  struct Case {
    const char* name;
    int width, height, newWidth, newHeight;
  } cases[] = {
      {"smaller", 420, 160, 300, 110},
      {"larger", 300, 110, 420, 160},
      {"lower only", 420, 160, 420, 120},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    panel->SetBounds(0, 0, c.width, c.height);
    panel->Show();
    panel->Paint();
    panel->SetBounds(0, 0, c.newWidth, c.newHeight);
    panel->Paint();
    TOwnedPtr<TLTTaskStatisticVisualizer> fresh(new TLTTaskStatisticVisualizer(nullptr));
    fresh->SetBounds(0, 0, c.newWidth, c.newHeight);
    fresh->Show();
    fresh->Paint();
    const QImage& shown = *panel->Canvas()->Surface();
    EXPECT_TRUE(shown == *fresh->Canvas()->Surface());
    for (auto [x, y] : {std::pair{0, 0},
                        {c.newWidth - 1, 0},
                        {0, c.newHeight - 1},
                        {c.newWidth - 1, c.newHeight - 1}}) {
      SCOPED_TRACE(testing::Message() << x << "," << y);
      EXPECT_EQ(qAlpha(shown.pixel(x, y)), 0);
    }
  }
}

TEST_F(TaskStatisticVisualizerTest, GoldenPanel) {
  TempDir dir;
  TempDir::Write(dir / "Theme.ini", "[Session.TaskStatistic]\r\nFont.Color=#202040\r\n");
  TIniOptions theme(dir / "Theme.ini", false);
  panel->LoadTheme(&theme, "Session.TaskStatistic");
  panel->SetBounds(0, 0, 420, 160);
  panel->Figures = {254, 268, 0.876, 3, 27};
  panel->AverageWordLength = 5.0;
  panel->Show();
  panel->Paint();
  EXPECT_EQ(panel->Canvas()->Pixels(panel->Width() / 2, 0), TColor(0x3C8080));
  EXPECT_TRUE(MatchesGolden(*panel->Canvas()->Surface(), "taskstatisticvisualizer", "panel", 64));
}

}  // namespace
