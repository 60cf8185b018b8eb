#include "app/gui/tuserstatisticform.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "engine/tcourse.h"
#include "engine/tcourses.h"
#include "engine/tstatreplay.h"
#include "support/guiapplication.h"
#include "support/installation.h"
#include "support/messageboxes.h"
#include "support/person.h"
#include "support/watchedfifo.h"
#include "toolkit/codepage.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/chart.h"
#include "toolkit/gui/chartseries.h"
#include "toolkit/gui/checkbox.h"
#include "toolkit/gui/combobox.h"
#include "toolkit/gui/edit.h"
#include "toolkit/gui/listbox.h"
#include "toolkit/gui/pagecontrol.h"
#include "toolkit/gui/panel.h"
#include "toolkit/gui/progressbar.h"
#include "toolkit/gui/strings.h"
#include "users/tuser.h"
#include "users/tusers.h"

namespace {

enum TAxisChoice { ByKeystrokes = 0, ByMinutes = 1, ByDateTime = 2 };

// `count` keystroke lines of the expected letter "a", typed as `typed`, `interval` ms apart.
std::vector<std::string> Keys(int count, int interval = 200, char typed = 'a') {
  return std::vector<std::string>(
      count, std::to_string(interval) + "\ta\t" + std::string(1, typed) + "\t");
}

// One exercise: its "*" line, a first keystroke and then the lines given.
std::vector<std::string> Exercise(const std::vector<std::vector<std::string>>& parts) {
  std::vector<std::string> lines{"*", "500\ta\ta\t"};
  for (const auto& part : parts) lines.insert(lines.end(), part.begin(), part.end());
  return lines;
}

class UserStatisticFormTest : public testing::Test {
protected:
  UserStatisticFormTest() {
    TempDir::Write(Program.getCoursesDir() + "/English.Base", "");
    user = Program.root().getUsers()->Add("Anna");
    Program.root().getCourses()->Load();
    course = Program.root().getCourses()->getCourse("English");
    folder = user->getStatisticFolder(course->getName());
    std::filesystem::create_directories(folder);
    form.reset(new TUserStatisticForm(nullptr, user, course));
  }

  // A statistics file of these exercises, every line closed by CR LF.
  void Write(const std::string& name, const std::vector<std::vector<std::string>>& exercises) {
    std::string text;
    for (const auto& exercise : exercises)
      for (const std::string& line : exercise) text += line + "\r\n";
    TempDir::Write(folder + "/" + name, text);
  }

  void Load(int axis, int range = 1) {
    form->cbAxisX->setItemIndex(axis);
    form->cbRange->setItemIndex(range);
    form->acLoadDataExecute(nullptr);
  }

  // A load as the window's events run it: what it raises reaches the error box.
  void LoadThroughTheLoop() {
    Application->Dispatch(form.get(), [this] { form->acLoadDataExecute(nullptr); });
  }

  static std::vector<double> Xs(const TChartSeries* series) {
    std::vector<double> xs;
    for (int i = 0; i < series->Count(); ++i) xs.push_back(series->Data()[i].X);
    return xs;
  }
  static std::vector<double> Ys(const TChartSeries* series) {
    std::vector<double> ys;
    for (int i = 0; i < series->Count(); ++i) ys.push_back(series->Data()[i].Y);
    return ys;
  }

  std::vector<TChartSeries*> OnChart(const TChart* chart) {
    std::vector<TChartSeries*> series;
    for (int i = 0; i < chart->SeriesCount(); ++i) series.push_back(chart->Series(i));
    return series;
  }

  void ExpectUsable() {
    EXPECT_FALSE(form->pgLoad->Visible());
    EXPECT_TRUE(form->pnProgressChardControl->Enabled());
    EXPECT_TRUE(form->acLoadData->Enabled());
    EXPECT_EQ(form->srProQ->ParentChart(), form->Chart);
  }

  Installation Program;
  // Without the main window an error box shows the whole message.
  MessageBoxes Boxes;
  TUser* user = nullptr;
  TCourse* course = nullptr;
  std::string folder;
  TOwnedPtr<TUserStatisticForm> form;
};

TEST_F(UserStatisticFormTest, ABuiltWindowChoosesAllRunsByMinutesAndNamesUserAndCourse) {
  EXPECT_EQ(form->Name(), "UserStatisticForm");
  EXPECT_EQ(form->cbRange->ItemIndex(), 1);
  EXPECT_EQ(form->cbAxisX->ItemIndex(), 1);
  EXPECT_TRUE(form->cbFactSeries->Checked());
  EXPECT_TRUE(form->cbTradeSeries->Checked());
  EXPECT_FALSE(form->tsStability->TabVisible());
  form->AfterConstruction();
  EXPECT_EQ(form->Caption(), "Anna: English");
}

TEST_F(UserStatisticFormTest, TheLocalizationFileReplacesChartTitlesSeriesTitlesAndItems) {
  Program.Localize(
      FromUtf8("[UserStatisticForm]\r\n"
               "Chart.Title=Мастерство\\nи темп\r\n"
               "srProQ.Title=Мастерство\r\n"
               "cbAxisX.Items=Keys\\nMinutes\\nDate\\nMore\r\n"));
  form.reset(new TUserStatisticForm(nullptr, user, course));
  EXPECT_EQ(form->Chart->Title()->Text(), FromUtf8("Мастерство\r\nи темп\r\n"));
  EXPECT_EQ(form->srProQ->Title(), FromUtf8("Мастерство"));
  EXPECT_EQ(form->cbAxisX->Items()->Count(), 4);
  EXPECT_EQ(form->cbAxisX->ItemIndex(), 1) << "chosen after the texts were replaced";
  EXPECT_EQ(form->Chart2->Title()->Text(), "Stability (%) / Errors (% x 10)\r\n");
}

TEST_F(UserStatisticFormTest, NoStatisticsFileLeavesListAndChartsEmpty) {
  std::filesystem::remove_all(folder);
  Load(ByMinutes);
  EXPECT_EQ(form->lbFilesList->Items()->Count(), 0);
  for (TChart* chart : {form->Chart, form->Chart2})
    for (TChartSeries* series : OnChart(chart)) EXPECT_EQ(series->Count(), 0);
  EXPECT_TRUE(Boxes.Shown.empty());
  ExpectUsable();
}

TEST_F(UserStatisticFormTest, EachExerciseGivesItsPointsAndTrends) {
  Write("2010-05-17-14-03-59.stat", {Exercise({Keys(3)}),
                                     Exercise({Keys(12, 200, 'b')}),
                                     Exercise({Keys(3)}),
                                     Exercise({Keys(1, 200, 'b'), Keys(2)}),
                                     {"*"}});
  Load(ByKeystrokes);
  // Keystrokes 4, 13, 4, 4 and a last exercise without any.
  EXPECT_EQ(Xs(form->srErrors), (std::vector<double>{4, 17, 21, 25, 25}));
  // The exercise after 12 errors has no proficiency point.
  EXPECT_EQ(Xs(form->srProQ), (std::vector<double>{4, 17, 25, 25}));
  EXPECT_EQ(Ys(form->srProQ), (std::vector<double>{300, 0, 133, 0}));
  // The exercise with 12 errors has no tempo point; a last one without intervals keeps the
  // tempo measured before.
  EXPECT_EQ(Xs(form->srTempo), (std::vector<double>{4, 21, 25, 25}));
  EXPECT_EQ(Ys(form->srTempo), (std::vector<double>{299, 299, 299, 299}));
  EXPECT_EQ(form->srTempoTrend->Count(), 6) << "a null point and every exercise";
  EXPECT_EQ(Ys(form->srStability), (std::vector<double>{100, 100, 100, 100, 0}));
  // 12 errors give 15; one error gives 1, shown as 10.
  EXPECT_EQ(Ys(form->srErrors), (std::vector<double>{0, 15, 0, 1, 0}));
  EXPECT_EQ(form->srErrors->Data().ShownY(3), 10);
  EXPECT_EQ(form->srErrorsClone->Count(), 5);
  EXPECT_TRUE(form->srErrorsClone->Data().IsNull(1));

  const TChartSeriesData& trend = form->srProQTrend->Data();
  ASSERT_EQ(trend.Count(), 5);
  EXPECT_TRUE(trend.IsNull(0));
  EXPECT_DOUBLE_EQ(trend[1].Y, 300);
  EXPECT_DOUBLE_EQ(trend[2].Y, 240);
  EXPECT_DOUBLE_EQ(trend[3].Y, 133 * 0.2 + 240 * 0.8) << "unchanged by the skipped exercise";
  EXPECT_DOUBLE_EQ(trend[4].Y, (133 * 0.2 + 240 * 0.8) * 0.8);
  EXPECT_DOUBLE_EQ(form->srErrorsTrend->Data()[2].Y, (12 * 0.2) * 100 / 79);

  // Colours: proficiency darker by 10 per error of the exercise before; tempo lime without an
  // error, yellow with one.
  EXPECT_EQ(form->srProQ->Data()[3].Color, 0xE6E6E6);
  EXPECT_EQ(form->srTempo->Data()[0].Color, 0x00FF00);
  EXPECT_EQ(form->srTempo->Data()[2].Color, 0x00FFFF);
  // The separator's stroke at the first exercise: from the proficiency down, cut off before.
  ASSERT_EQ(form->srSeparator->Count(), 3);
  EXPECT_TRUE(form->srSeparator->Data().IsNull(0));
  EXPECT_EQ(Ys(form->srSeparator), (std::vector<double>{0, 300, 0}));
}

TEST_F(UserStatisticFormTest, IntervalsCountUpTo180000AndUnreadableOnesAreInterrupted) {
  Write("2010-05-17-14-03-59.stat",
        {Exercise({Keys(1, 180000)}), Exercise({Keys(1, 180001), Keys(1, 200)}),
         Exercise({{"x\ta\ta\t"}, Keys(1, 300)}), Exercise({{"100\ta\ta"}})});
  Load(ByMinutes);
  const double minute = 60000;
  EXPECT_EQ(Xs(form->srStability), (std::vector<double>{180000 / minute, 180200 / minute,
                                                        180500 / minute, 180600 / minute}));
}

// The window plots, file by file, what the log checker prints for the same file.
TEST_F(UserStatisticFormTest, PlotsTheFiguresTheLogCheckerPrints) {
  struct Case {
    const char* run;
    const char* printed;
  } cases[] = {{"run.stat", "expected.txt"}, {"pause.stat", "pause.txt"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.run);
    const std::string data = LOMTAK_TEST_DATA_DIR "/statreplay/";
    std::filesystem::copy_file(data + c.run, folder + "/2010-05-17-14-03-59.stat",
                               std::filesystem::copy_options::overwrite_existing);
    std::istringstream printed(TempDir::Read(data + c.printed));
    std::vector<double> byKeys, byMinutes, speeds, tempos, stabilities, errorValues;
    int64_t keys = 0, time = 0;
    int previousErrors = 0;
    int keystrokes, errors, speed, tempo;
    double rhythm;
    int64_t totalTime;
    while (printed >> keystrokes >> errors >> speed >> tempo >> rhythm >> totalTime) {
      byKeys.push_back(static_cast<double>(keys += keystrokes));
      byMinutes.push_back((time += totalTime) / 60000.0);
      if (previousErrors < 10) speeds.push_back(speed);
      if (errors < 10) tempos.push_back(tempo);
      stabilities.push_back(static_cast<int>(rhythm * 100));
      errorValues.push_back(errors * 100 / 79);
      previousErrors = errors;
    }
    ASSERT_GE(byKeys.size(), 2u);
    Load(ByKeystrokes);
    EXPECT_EQ(Xs(form->srErrors), byKeys);
    EXPECT_EQ(Ys(form->srErrors), errorValues);
    EXPECT_EQ(Ys(form->srProQ), speeds);
    EXPECT_EQ(Ys(form->srTempo), tempos);
    EXPECT_EQ(Ys(form->srStability), stabilities);
    Load(ByMinutes);
    EXPECT_EQ(Xs(form->srErrors), byMinutes);
  }
}

TEST_F(UserStatisticFormTest, TheFileNameGivesTheDateAndTimeOfTheFirstExercise) {
  Write("2010-05-17-14-03-59.stat", {Exercise({Keys(3)})});
  Load(ByDateTime);
  ASSERT_EQ(form->srProQ->Count(), 1);
  const TDateTime start = EncodeDateTime({2010, 5, 17, 14, 3, 59, 0});
  EXPECT_NEAR(form->srProQ->Data()[0].X, start + 600 / 86400000.0, 1e-9);
  EXPECT_TRUE(form->srProQ->XDateTime());
  EXPECT_FALSE(form->cbAxisXLogarithmic->Enabled());
  EXPECT_FALSE(form->cbAxisXLogarithmic->Checked());
  EXPECT_TRUE(form->Chart->BottomAxis()->AutomaticMinimum());
  Load(ByMinutes);
  EXPECT_TRUE(form->cbAxisXLogarithmic->Enabled());
  EXPECT_FALSE(form->cbAxisXLogarithmic->Checked());
  EXPECT_FALSE(form->srProQ->XDateTime());
  EXPECT_FALSE(form->Chart->BottomAxis()->AutomaticMinimum());
  EXPECT_EQ(form->Chart->BottomAxis()->Minimum(), 0);
}

TEST_F(UserStatisticFormTest, TotalsRunOnAcrossFilesAndNoTrendJoinsTwoFiles) {
  Write("2010-05-17-14-03-59.stat", {Exercise({Keys(3)}), Exercise({Keys(3)})});
  Write("2010-05-18-09-00-00.stat", {Exercise({Keys(3)})});
  Load(ByKeystrokes);
  EXPECT_EQ(form->lbFilesList->Items()->Count(), 2);
  EXPECT_EQ(form->lbFilesList->Items()->Strings(0), folder + "/2010-05-17-14-03-59.stat");
  EXPECT_EQ(Xs(form->srProQ), (std::vector<double>{4, 8, 12}));
  for (TChartSeries* trend : {static_cast<TChartSeries*>(form->srProQTrend),
                              static_cast<TChartSeries*>(form->srTempoTrend),
                              static_cast<TChartSeries*>(form->srStabilityTrend),
                              static_cast<TChartSeries*>(form->srErrorsTrend)}) {
    SCOPED_TRACE(trend->Name());
    ASSERT_EQ(trend->Count(), 5);
    EXPECT_TRUE(trend->Data().IsNull(0));
    EXPECT_TRUE(trend->Data().IsNull(3)) << "the second file starts its trends afresh";
    EXPECT_EQ(trend->Data()[3].X, 8);
  }
  EXPECT_EQ(form->srSeparator->Count(), 6) << "a stroke for each file";

  Load(ByKeystrokes, 0);
  EXPECT_EQ(Xs(form->srProQ), (std::vector<double>{4})) << "the last file alone, from 0";
}

TEST_F(UserStatisticFormTest, ABrokenFileStopsTheLoadAndLeavesTheWindowUsable) {
  struct Case {
    const char* name;
    std::string file;
    std::vector<std::string> lines;
    std::string box;
  };
  const Case cases[] = {
      {"too few pieces in the name", "2010-05-17.stat", {"*"}, "List index out of bounds (3)"},
      {"a piece that is no number",
       "2010-05-xx-14-03-59.stat",
       {"*"},
       "'xx' is not a valid integer value"},
      {"no such date", "2011-02-29-14-03-59.stat", {"*"}, "Invalid argument to date encode"},
      {"no such time", "2011-05-17-24-00-00.stat", {"*"}, "Invalid argument to time encode"},
      {"a line with two fields",
       "2011-05-19-00-00-00.stat",
       {"*", "100\ta"},
       "List index out of bounds (2)"},
      {"an empty typed character",
       "2011-05-19-00-00-00.stat",
       {"*", "100\ta\t\t"},
       "Range check error"},
  };
  Write("2010-05-17-14-03-59.stat", {Exercise({Keys(3)})});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Write(c.file, {c.lines});
    Boxes.Shown.clear();
    LoadThroughTheLoop();
    ASSERT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_EQ(Boxes.Shown[0].Text, c.box);
    ExpectUsable();
    EXPECT_EQ(form->srProQ->Count(), 1) << "the points before the error are shown";
    std::filesystem::remove(folder + "/" + c.file);
    Boxes.Shown.clear();
    LoadThroughTheLoop();
    EXPECT_TRUE(Boxes.Shown.empty()) << "a later load runs normally";
  }
}

// What is no regular file is no statistics file: a FIFO (which would wait for a writer), a link
// that leads nowhere, a folder. The runs after them are shown.
TEST_F(UserStatisticFormTest, EntriesThatAreNoRegularFilesAreSkipped) {
  Write("2010-05-17-14-03-59.stat", {Exercise({Keys(3)})});
  WatchedFifo pipe(folder + "/2010-05-18-00-00-00.stat");
  ASSERT_TRUE(pipe.ok());
  std::filesystem::create_symlink(folder + "/none", folder + "/2010-05-19-00-00-00.stat");
  std::filesystem::create_directory(folder + "/2010-05-20-00-00-00.stat");
  Write("2010-05-21-00-00-00.stat", {Exercise({Keys(3)})});
  LoadThroughTheLoop();
  EXPECT_FALSE(pipe.Opened());
  EXPECT_TRUE(Boxes.Shown.empty());
  ExpectUsable();
  EXPECT_EQ(form->lbFilesList->Items()->Count(), 2);
  EXPECT_EQ(Xs(form->srProQ), (std::vector<double>{0.01, 0.02}));
}

// An interval that is negative takes no time back: the runs after it stay where they were
// typed on the "Total time" axis.
TEST_F(UserStatisticFormTest, ANegativeIntervalTakesNoTimeFromTheTotal) {
  Write("2010-05-17-14-03-59.stat",
        {Exercise({Keys(1), {"-2147483648\tb\tb\t", "-1\ta\ta\t"}, Keys(1)})});
  Write("2010-05-18-00-00-00.stat", {Exercise({Keys(3)})});
  Load(ByMinutes);
  EXPECT_EQ(Xs(form->srProQ), (std::vector<double>{400 / 60000.0, 1000 / 60000.0}));
  EXPECT_TRUE(Boxes.Shown.empty());
}

TEST_F(UserStatisticFormTest, FilesThatAreEmptyOrDoNotBeginAnExerciseAreSkipped) {
  Write("2010-05-17-14-03-59.stat", {Exercise({Keys(3)})});
  TempDir::Write(folder + "/2010-05-18-00-00-00.stat", "");
  TempDir::Write(folder + "/2010-05-19-00-00-00.stat", "junk\r\n");
  Load(ByKeystrokes);
  EXPECT_EQ(form->lbFilesList->Items()->Count(), 3);
  EXPECT_EQ(form->srProQ->Count(), 1);
  EXPECT_TRUE(Boxes.Shown.empty());
}

TEST_F(UserStatisticFormTest, AnXAxisChoiceBeyondTheThreeStopsTheLoadWithItsCode) {
  Write("2010-05-17-14-03-59.stat", {Exercise({Keys(3)})});
  form->cbAxisX->Items()->Add("More");
  form->cbAxisX->setItemIndex(3);
  LoadThroughTheLoop();
  ASSERT_EQ(Boxes.Shown.size(), 1u);
  EXPECT_EQ(Boxes.Shown[0].Text, "766A655C/F No such X axis");
  EXPECT_EQ(Boxes.Shown[0].Type, mtError);
  ExpectUsable();
}

TEST_F(UserStatisticFormTest, OneOfTheTwoCheckBoxesAlwaysStaysOn) {
  Write("2010-05-17-14-03-59.stat", {Exercise({Keys(3)})});
  Load(ByMinutes);
  using List = std::vector<TChartSeries*>;
  EXPECT_EQ(OnChart(form->Chart), (List{form->srErrorsClone, form->srSeparator, form->srTempo,
                                        form->srProQ, form->srTempoTrend, form->srProQTrend}));
  EXPECT_EQ(OnChart(form->Chart2),
            (List{form->srErrors, form->srStability, form->srErrorsTrend, form->srStabilityTrend}));
  form->cbFactSeries->setChecked(false);
  EXPECT_TRUE(form->cbTradeSeries->Checked());
  EXPECT_EQ(OnChart(form->Chart),
            (List{form->srErrorsClone, form->srSeparator, form->srTempoTrend, form->srProQTrend}));
  EXPECT_EQ(OnChart(form->Chart2), (List{form->srErrorsTrend, form->srStabilityTrend}));
  form->cbTradeSeries->setChecked(false);
  EXPECT_TRUE(form->cbFactSeries->Checked());
  EXPECT_EQ(OnChart(form->Chart),
            (List{form->srErrorsClone, form->srSeparator, form->srTempo, form->srProQ}));

  // Hidden series are refilled by the next load, so turning them on shows only its points.
  Write("2010-05-18-00-00-00.stat", {Exercise({Keys(3)})});
  Load(ByMinutes, 0);
  form->cbTradeSeries->setChecked(true);
  EXPECT_EQ(form->srProQTrend->Count(), 2);
}

TEST_F(UserStatisticFormTest, TheLogarithmicBoxSetsBothBottomAxes) {
  Write("2010-05-17-14-03-59.stat", {Exercise({Keys(3)})});
  Load(ByMinutes);
  form->cbAxisXLogarithmic->setChecked(true);
  EXPECT_TRUE(form->Chart->BottomAxis()->Logarithmic());
  EXPECT_TRUE(form->Chart2->BottomAxis()->Logarithmic());
  Load(ByKeystrokes);
  EXPECT_TRUE(form->cbAxisXLogarithmic->Checked()) << "kept through a reload";
  Load(ByDateTime);
  EXPECT_FALSE(form->Chart->BottomAxis()->Logarithmic());
  EXPECT_FALSE(form->Chart2->BottomAxis()->Logarithmic());
}

TEST_F(UserStatisticFormTest, TheLowerChartShowsTheXRangeOfTheUpperOne) {
  Write("2010-05-17-14-03-59.stat",
        {Exercise({Keys(30)}), Exercise({Keys(30)}), Exercise({Keys(30)})});
  form->Show();
  Load(ByKeystrokes);
  form->Chart->Draw();
  TChartAxis* upper = form->Chart->BottomAxis();
  TChartAxis* lower = form->Chart2->BottomAxis();
  form->Chart->ZoomRect(100, 20, 300, 200);
  EXPECT_LT(upper->Maximum() - upper->Minimum(), 93);
  EXPECT_DOUBLE_EQ(lower->Minimum(), upper->Minimum());
  EXPECT_DOUBLE_EQ(lower->Maximum(), upper->Maximum());
  form->Chart->ScrollBy(40, 0);
  EXPECT_DOUBLE_EQ(lower->Minimum(), upper->Minimum());
  EXPECT_DOUBLE_EQ(lower->Maximum(), upper->Maximum());
  form->Chart->UndoZoom();
  EXPECT_TRUE(upper->AutomaticMaximum());
  EXPECT_TRUE(lower->AutomaticMaximum());
  EXPECT_DOUBLE_EQ(lower->Minimum(), upper->Minimum());
  EXPECT_DOUBLE_EQ(lower->Maximum(), upper->Maximum());

  // By date and time both ends are automatic again after the undo, and stay in step when the
  // series shown change: without the trends the upper chart's data begin later.
  Load(ByDateTime);
  form->Chart->Draw();
  form->Chart->ZoomRect(100, 20, 300, 200);
  form->Chart->UndoZoom();
  EXPECT_TRUE(upper->Automatic());
  EXPECT_TRUE(lower->Automatic());
  form->cbTradeSeries->setChecked(false);
  EXPECT_DOUBLE_EQ(lower->Minimum(), upper->Minimum());
  EXPECT_DOUBLE_EQ(lower->Maximum(), upper->Maximum());
}

// A zoom or a scroll belongs to the load it was made on: the next load, by any X axis, shows
// all its points on both charts, from the axis's own start.
TEST_F(UserStatisticFormTest, AZoomOrScrollEndsWithTheLoad) {
  Write("2010-05-17-14-03-59.stat",
        {Exercise({Keys(30)}), Exercise({Keys(30)}), Exercise({Keys(30)})});
  form->Show();
  struct Case {
    const char* name;
    int axis;
  } cases[] = {
      {"ByKeystrokes", ByKeystrokes}, {"ByDateTime", ByDateTime}, {"ByMinutes", ByMinutes}};
  for (bool scroll : {false, true})
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (scroll ? " after a scroll" : " after a zoom"));
      Load(ByMinutes);
      form->Chart->Draw();
      if (scroll)
        form->Chart->ScrollBy(120, 30);
      else
        form->Chart->ZoomRect(100, 20, 300, 200);
      Load(c.axis);
      const std::vector<double> xs = Xs(form->srProQ);
      ASSERT_EQ(xs.size(), 3u);
      for (TChart* chart : {form->Chart, form->Chart2}) {
        EXPECT_FALSE(chart->Zoomed());
        EXPECT_TRUE(chart->BottomAxis()->AutomaticMaximum());
        EXPECT_LT(chart->BottomAxis()->Minimum(), xs.front());
        EXPECT_GT(chart->BottomAxis()->Maximum(), xs.back());
      }
      EXPECT_TRUE(form->Chart->LeftAxis()->AutomaticMaximum());
      EXPECT_EQ(form->Chart->LeftAxis()->Minimum(), 0);
    }
}

TEST_F(UserStatisticFormTest, TotalsBeyondTwentyFourDaysOfTypingRunOn) {
  // Two files of 600 hours' counted typing each: more milliseconds than 32 bits hold.
  const std::vector<std::vector<std::string>> hours(60, Exercise({Keys(200, 180000)}));
  Write("2010-05-17-14-03-59.stat", hours);
  std::vector<std::vector<std::string>> second = hours;
  second.push_back(Exercise({Keys(3)}));
  Write("2010-05-18-09-00-00.stat", second);
  Load(ByMinutes);
  ASSERT_EQ(form->srProQ->Count(), 121);
  const double minutes = 2 * 60 * 200 * 180000.0 / 60000;
  EXPECT_DOUBLE_EQ(form->srProQ->Data()[119].X, minutes);
  EXPECT_DOUBLE_EQ(form->srProQ->Data()[120].X, minutes + 0.01);
  EXPECT_EQ(form->srProQ->Data()[120].Y, 300) << "measured from the keystrokes' own intervals";
}

// A run of more exercises than any training run stops the load with the file error, after
// the most that are shown: the points a load keeps are bounded.
TEST_F(UserStatisticFormTest, ARunOfTooManyExercisesIsRefused) {
  std::string stars;
  for (int64_t star = 0; star <= TStatReplay::kMostExercises; ++star) stars += "*\r\n";
  TempDir::Write(folder + "/2010-05-17-14-03-59.stat", stars);
  LoadThroughTheLoop();
  ASSERT_EQ(Boxes.Shown.size(), 1u);
  EXPECT_EQ(Boxes.Shown[0].Text, "Cannot open file \"" + folder +
                                     "/2010-05-17-14-03-59.stat\". A run of more than 100000 "
                                     "exercises");
  EXPECT_EQ(form->srErrors->Count(), TStatReplay::kMostExercises);
  ExpectUsable();
}

// Esc while a file loads ends the window's run there, not at the end of the file.
TEST_F(UserStatisticFormTest, EscStopsALoadInsideAFile) {
  constexpr int exercises = 40000;
  std::string text;
  const std::string keys = [] {
    std::string line = "*\r\n";
    for (int key = 0; key < 50; ++key) line += "200\ta\ta\t\r\n";
    return line;
  }();
  for (int exercise = 0; exercise < exercises; ++exercise) text += keys;
  TempDir::Write(folder + "/2010-05-17-14-03-59.stat", text);
  QTimer look;
  look.setInterval(0);
  QObject::connect(&look, &QTimer::timeout, [&] {
    if (form->srErrors->Count() == 0) return;
    look.stop();
    Press(Qt::Key_Escape);
  });
  look.start();
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_GT(form->srErrors->Count(), 0);
  EXPECT_LT(form->srErrors->Count(), exercises) << "the whole file was loaded";
  ExpectUsable();
  EXPECT_TRUE(Boxes.Shown.empty());
}

// A key in the X-axis or range box reloads the charts, and the box keeps the focus: the next
// key goes on from it.
TEST_F(UserStatisticFormTest, TheBoxThatAskedForTheLoadKeepsTheFocus) {
  Write("2010-05-17-14-03-59.stat", {Exercise({Keys(3)})});
  form->Show();
  ActiveWindow();
  for (TComboBox* box : {form->cbAxisX, form->cbRange}) {
    SCOPED_TRACE(box->Name());
    box->SetFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return box->Focused(); }, 2000));
    const int before = box->ItemIndex();
    Press(Qt::Key_Up);
    EXPECT_EQ(box->ItemIndex(), before - 1);
    EXPECT_TRUE(box->Focused());
    Press(Qt::Key_Down);
    EXPECT_EQ(box->ItemIndex(), before) << "the second key went elsewhere";
    EXPECT_TRUE(box->Focused());
  }
}

TEST_F(UserStatisticFormTest, ALoadAskedForWhileOneRunsIsRefused) {
  Write("2010-05-17-14-03-59.stat", {Exercise({Keys(3)})});
  Write("2010-05-18-00-00-00.stat", {Exercise({Keys(3)})});
  // Runs when the load first lets the window's messages through.
  bool asked = false;
  QTimer::singleShot(0, [&] {
    asked = true;
    form->acLoadDataExecute(nullptr);
  });
  Load(ByKeystrokes);
  EXPECT_TRUE(asked);
  EXPECT_EQ(form->srProQ->Count(), 2) << "one load's points, neither cleared nor doubled";
  ExpectUsable();
}

TEST_F(UserStatisticFormTest, TheOpenerRunsTheWindowUntilEscAndFreesIt) {
  Write("2010-05-17-14-03-59.stat", {Exercise({Keys(3)})});
  form.reset();
  const qsizetype windows = QApplication::topLevelWidgets().size();
  bool pressed = false;
  // Esc comes while the load, on the window's activation, lets messages through.
  Soon([&] {
    Press(Qt::Key_Escape);
    pressed = true;
  });
  // A key that does not end the run fails the test instead of hanging it.
  QElapsedTimer elapsed;
  elapsed.start();
  QTimer::singleShot(5000, [] {
    if (QWidget* window = QApplication::activeModalWidget()) window->close();
  });
  ShowUserStatistic(user, course);
  EXPECT_TRUE(pressed);
  EXPECT_LT(elapsed.elapsed(), 4000) << "Esc ended the run";
  EXPECT_EQ(QApplication::topLevelWidgets().size(), windows) << "the window is freed";
  EXPECT_TRUE(Boxes.Shown.empty());
}

TEST_F(UserStatisticFormTest, EscClosesTheWindowRunModally) {
  bool loaded = false;
  form->OnActivate = [&](TObject* sender) {
    form->acLoadDataExecute(sender);
    loaded = true;
    form->acClose->Execute();
  };
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_TRUE(loaded);
  EXPECT_EQ(form->acClose->ShortCut(), 27);
}

class HistogramTest : public UserStatisticFormTest {
protected:
  void Build(const std::vector<std::string>& lines, bool logarithmic = false,
             const std::string& filter = "") {
    std::vector<std::string> file{"*"};
    file.insert(file.end(), lines.begin(), lines.end());
    Write("2010-05-17-14-03-59.stat", {file});
    Load(ByMinutes);
    form->lbFilesList->setItemIndex(0);
    form->cbLogarithmic->setChecked(logarithmic);
    form->edFilter->setText(filter);
    form->bbRebuildClick(nullptr);
  }
  std::vector<double> Classes() { return Ys(form->srPeriodDistortion); }
};

TEST_F(HistogramTest, IntervalsFallInThirtyClassesBelow500) {
  Build({"0\ta\ta\t", "1\ta\ta\t", "250\ta\ta\t", "499\ta\ta\t", "500\ta\ta\t", "700\ta\ta\t",
         "250\tb\tb\t-", "*", "250\ta\ta\t"});
  std::vector<double> classes = Classes();
  ASSERT_EQ(classes.size(), 30u);
  EXPECT_DOUBLE_EQ(classes[0], 1 / 5.0);
  EXPECT_DOUBLE_EQ(classes[15], 3 / 5.0) << "250 and the marked one and the next exercise's";
  EXPECT_DOUBLE_EQ(classes[29], 1 / 5.0);
  EXPECT_DOUBLE_EQ(form->srPeriodDistortion->Data()[1].X, 500 / 30.0);
  EXPECT_EQ(form->srPeriodDistortion->Data()[0].Color, 0x0000FF);

  // The curve: 999 points of the normal density of the counted values, times a class width.
  const TChartSeriesData& curve = form->Series1->Data();
  ASSERT_EQ(curve.Count(), 999);
  EXPECT_DOUBLE_EQ(curve[0].X, 0.5);
  EXPECT_DOUBLE_EQ(curve[998].X, 499.5);
  const double mean = (1 + 250 * 3 + 499) / 5.0;
  double squares =
      (1 - mean) * (1 - mean) + 3 * (250 - mean) * (250 - mean) + (499 - mean) * (499 - mean);
  const double deviation = std::sqrt(squares / 5);
  const int top = static_cast<int>(mean / 0.5) - 1;
  EXPECT_NEAR(curve[top].Y, 500 / 30.0 / deviation / std::sqrt(2 * M_PI), 1e-6);
}

TEST_F(HistogramTest, TheFilterAndTheLogarithmicScaleChooseWhatCounts) {
  Build({"100\ta\ta\t", "100\tb\tb\t", "300\tA\tA\t"}, false, "a");
  std::vector<double> classes = Classes();
  EXPECT_DOUBLE_EQ(classes[6], 1.0) << "only the expected a, letter case counting";

  Build({"1\ta\ta\t", "498\ta\ta\t", "499\ta\ta\t"}, true);
  classes = Classes();
  ASSERT_EQ(classes.size(), 30u);
  EXPECT_DOUBLE_EQ(classes[static_cast<int>(std::log(2.0) * 30 / std::log(500.0))], 0.5);
  EXPECT_DOUBLE_EQ(classes[29], 0.5) << "498 counts, 499 is ln 500 and does not";
  EXPECT_DOUBLE_EQ(form->srPeriodDistortion->Data()[29].X, 29 * std::log(500.0) / 30);
}

TEST_F(HistogramTest, NothingCountedLeavesFlatClassesAndNoCurve) {
  Build({"700\ta\ta\t"});
  for (double value : Classes()) EXPECT_EQ(value, 0);
  EXPECT_EQ(form->Series1->Count(), 0);
}

TEST_F(HistogramTest, AFileWithoutExercisesChangesNothingAndErrorsReachTheBox) {
  Build({"100\ta\ta\t"});
  TempDir::Write(folder + "/2010-05-17-14-03-59.stat", "junk\r\n");
  form->bbRebuildClick(nullptr);
  EXPECT_EQ(form->Series1->Count(), 0) << "one value has no spread";
  EXPECT_EQ(Classes()[6], 1.0) << "the chart keeps what it showed";

  TempDir::Write(folder + "/2010-05-17-14-03-59.stat", "*\r\nx\ta\ta\t\r\n");
  Application->Dispatch(form.get(), [this] { form->bbRebuildClick(nullptr); });
  form->lbFilesList->setItemIndex(-1);
  Application->Dispatch(form.get(), [this] { form->bbRebuildClick(nullptr); });
  EXPECT_EQ(Boxes.Shown.size(), 2u);
}

}  // namespace
