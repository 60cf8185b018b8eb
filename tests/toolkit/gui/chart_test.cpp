#include "toolkit/gui/chart.h"

#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <cmath>

#include "support/guiapplication.h"
#include "toolkit/gui/chartseries.h"
#include "toolkit/gui/description.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/strings.h"

namespace {

class ChartTest : public testing::Test {
protected:
  ChartTest() {
    form.reset(new TForm(nullptr));
    form->SetBounds(0, 0, 600, 400);
    chart = NewControl<TChart>(form.get(), form.get(), "Chart", 0, 0, 600, 400);
    chart->Title()->setText("Upper\r\nChart");
    chart->LeftAxis()->setAutomaticMinimum(false);
    chart->LeftAxis()->setMinimum(0);
  }

  // What the chart draws: every plottable's points as QCustomPlot holds them.
  std::vector<QCPGraph*> Graphs() {
    chart->Draw();
    std::vector<QCPGraph*> graphs;
    for (int i = 0; i < chart->Plot()->graphCount(); ++i) graphs.push_back(chart->Plot()->graph(i));
    return graphs;
  }

  TOwnedPtr<TForm> form;
  TChart* chart = nullptr;
};

TEST_F(ChartTest, TheTitleIsPublishedForTheLocalizationAndShown) {
  bool found = false;
  for (const TPropInfo& property : chart->Properties()) {
    if (property.Name != "Title") continue;
    found = true;
    EXPECT_EQ(property.TypeName, "TChartTitle");
    EXPECT_EQ(dynamic_cast<TStrings*>(property.GetObject()), chart->Title());
  }
  EXPECT_TRUE(found);
  chart->Draw();
  auto* title = dynamic_cast<QCPTextElement*>(chart->Plot()->plotLayout()->element(0, 0));
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->text(), "Upper\nChart");
}

TEST_F(ChartTest, SeriesDrawOnlyWhileAttachedInTheOrderTheyWereAttached) {
  auto* first = NewComponent<TLineSeries>(form.get(), "First");
  auto* second = NewComponent<TPointSeries>(form.get(), "Second");
  first->AddXY(1, 1, clRed);
  first->AddXY(2, 2, clRed);
  second->AddXY(1, 5, clLime);
  EXPECT_TRUE(Graphs().empty());
  second->setParentChart(chart);
  first->setParentChart(chart);
  std::vector<QCPGraph*> graphs = Graphs();
  ASSERT_EQ(graphs.size(), 2u);
  EXPECT_EQ(graphs[0]->lineStyle(), QCPGraph::lsNone) << "the point series, attached first";
  EXPECT_EQ(graphs[1]->lineStyle(), QCPGraph::lsLine);
  EXPECT_EQ(chart->SeriesCount(), 2);
  second->setParentChart(nullptr);
  EXPECT_EQ(Graphs().size(), 1u);
  EXPECT_EQ(second->Count(), 1) << "a detached series keeps its points";
  // A series destroyed while attached leaves the chart.
  Free(first);
  EXPECT_EQ(chart->SeriesCount(), 0);
  EXPECT_TRUE(Graphs().empty());
}

TEST_F(ChartTest, AColourPerPointAndNullPointsThatBreakTheLine) {
  auto* line = NewComponent<TLineSeries>(form.get(), "Line");
  line->setParentChart(chart);
  line->AddXY(1, 10, clRed);
  line->AddXY(2, 20, clRed);
  line->AddXY(3, 0, clNone);
  line->AddXY(4, 40, clRed);
  line->AddXY(5, 50, clLime);
  line->AddXY(6, 60, clRed);
  std::vector<QCPGraph*> graphs = Graphs();
  ASSERT_EQ(graphs.size(), 2u);
  EXPECT_EQ(graphs[0]->pen().color(), QColor(255, 0, 0));
  EXPECT_EQ(graphs[1]->pen().color(), QColor(0, 255, 0));
  const QSharedPointer<QCPGraphDataContainer> red = graphs[0]->data();
  ASSERT_EQ(red->size(), 5);
  EXPECT_EQ(red->at(1)->value, 20);
  EXPECT_TRUE(std::isnan(red->at(2)->value)) << "the gap where the null point was";
  EXPECT_EQ(red->at(4)->value, 60);
  EXPECT_EQ(graphs[1]->data()->size(), 2) << "the segment to the lime point, in its colour";
}

TEST_F(ChartTest, TheLegendListsTheSeriesMarkedForItInTheirSeriesColour) {
  auto* shown = NewComponent<TPointSeries>(form.get(), "Shown");
  auto* hidden = NewComponent<TLineSeries>(form.get(), "Hidden");
  shown->setTitle("Tempo");
  shown->setSeriesColor(clLime);
  hidden->setTitle("Trend");
  hidden->setShowInLegend(false);
  for (TChartSeries* series :
       {static_cast<TChartSeries*>(shown), static_cast<TChartSeries*>(hidden)}) {
    series->AddXY(1, 1, clYellow);
    series->AddXY(2, 2, clYellow);
    series->setParentChart(chart);
  }
  chart->Draw();
  QCPLegend* legend = chart->Plot()->legend;
  ASSERT_EQ(legend->itemCount(), 1);
  auto* item = dynamic_cast<QCPPlottableLegendItem*>(legend->item(0));
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->plottable()->name(), "Tempo");
  EXPECT_EQ(item->plottable()->pen().color(), QColor(0, 255, 0));

  // With nothing to list, no empty box is drawn; the legend shows again with an entry.
  chart->setLegendVisible(true);
  shown->setParentChart(nullptr);
  chart->Draw();
  EXPECT_FALSE(legend->visible());
  EXPECT_TRUE(chart->LegendVisible());
  shown->setParentChart(chart);
  chart->Draw();
  EXPECT_TRUE(legend->visible());
}

TEST_F(ChartTest, ShownValuesAreMultipliedAndStoredOnesKept) {
  auto* bars = NewComponent<TBarSeries>(form.get(), "Bars");
  bars->setYMultiplier(10);
  bars->AddXY(1, 1, clRed);
  bars->AddXY(2, 10, clRed);
  bars->setParentChart(chart);
  chart->Draw();
  ASSERT_EQ(chart->Plot()->plottableCount(), 1);
  auto* drawn = dynamic_cast<QCPBars*>(chart->Plot()->plottable(0));
  ASSERT_NE(drawn, nullptr);
  EXPECT_EQ(drawn->data()->at(0)->value, 10);
  EXPECT_EQ(drawn->data()->at(1)->value, 100);
  EXPECT_EQ(bars->Data()[0].Y, 1);
  EXPECT_NEAR(chart->LeftAxis()->Maximum(), 100, 5) << "the automatic maximum fits the shown bars";
}

TEST_F(ChartTest, AxesTakeFixedOrAutomaticEndsTheLogarithmicScaleAndDateTimes) {
  auto* series = NewComponent<TLineSeries>(form.get(), "Series");
  series->AddXY(40000, 5, clRed);
  series->AddXY(40010, 7, clRed);
  series->setParentChart(chart);
  TChartAxis* bottom = chart->BottomAxis();
  EXPECT_LE(bottom->Minimum(), 40000);
  EXPECT_GE(bottom->Maximum(), 40010);
  bottom->setAutomaticMinimum(false);
  bottom->setMinimum(0);
  chart->Draw();
  EXPECT_EQ(chart->Plot()->xAxis->range().lower, 0);
  EXPECT_EQ(chart->LeftAxis()->Minimum(), 0);

  bottom->setLogarithmic(true);
  chart->Draw();
  EXPECT_EQ(chart->Plot()->xAxis->scaleType(), QCPAxis::stLogarithmic);
  EXPECT_NEAR(chart->Plot()->xAxis->range().lower, 40000 / 1.5, 1)
      << "from 0 it begins a little before the first point";
  EXPECT_TRUE(chart->Plot()->xAxis->ticker().dynamicCast<QCPAxisTickerLog>());
  bottom->setLogarithmic(false);

  series->setXDateTime(true);
  bottom->setAutomatic(true);
  chart->Draw();
  // Day 40000 is 6 July 2009; its ticks are labelled as dates.
  QCPAxis* x = chart->Plot()->xAxis;
  ASSERT_FALSE(x->tickVectorLabels().isEmpty());
  EXPECT_TRUE(x->tickVectorLabels().join(" ").contains(".07.09"))
      << x->tickVectorLabels().join(" ").toStdString();
  EXPECT_GE(x->tickVector().first(), 40000 - 1);
}

TEST_F(ChartTest, ZoomScrollAndUndoMoveTheAxesAndRaiseTheirEvents) {
  auto* series = NewComponent<TLineSeries>(form.get(), "Series");
  for (int x = 0; x <= 100; ++x) series->AddXY(x, x, clRed);
  series->setParentChart(chart);
  chart->BottomAxis()->setAutomaticMinimum(false);
  chart->BottomAxis()->setMinimum(0);
  form->Show();
  std::string events;
  chart->OnZoom = [&](TObject*) { events += "zoom "; };
  chart->OnScroll = [&](TObject*) { events += "scroll "; };
  chart->OnUndoZoom = [&](TObject*) { events += "undo "; };

  chart->Draw();
  QCPAxis* x = chart->Plot()->xAxis;
  const int left = static_cast<int>(x->coordToPixel(20)),
            right = static_cast<int>(x->coordToPixel(40));
  chart->ZoomRect(left, 50, right, 300);
  EXPECT_TRUE(chart->Zoomed());
  EXPECT_FALSE(chart->BottomAxis()->AutomaticMaximum());
  EXPECT_NEAR(chart->BottomAxis()->Minimum(), 20, 0.5);
  EXPECT_NEAR(chart->BottomAxis()->Maximum(), 40, 0.5);

  chart->Draw();
  const double width = x->coordToPixel(40) - x->coordToPixel(20);
  chart->ScrollBy(static_cast<int>(width / 2), 0);
  EXPECT_NEAR(chart->BottomAxis()->Minimum(), 10, 0.5) << "dragging right shows what lay left";

  chart->UndoZoom();
  EXPECT_FALSE(chart->Zoomed());
  EXPECT_TRUE(chart->BottomAxis()->AutomaticMaximum());
  EXPECT_FALSE(chart->BottomAxis()->AutomaticMinimum());
  EXPECT_EQ(chart->BottomAxis()->Minimum(), 0);
  EXPECT_EQ(events, "zoom scroll undo ");
}

TEST_F(ChartTest, StairsAreaAndBarsDrawWithTheirOwnLook) {
  auto* area = NewComponent<TAreaSeries>(form.get(), "Area");
  area->setStairs(true, true);
  area->setAreaLineColor(0xA00000);
  area->AddXY(0, 0.5, clRed);
  area->AddXY(1, 0.5, clRed);
  area->setParentChart(chart);
  std::vector<QCPGraph*> graphs = Graphs();
  ASSERT_EQ(graphs.size(), 1u);
  EXPECT_EQ(graphs[0]->lineStyle(), QCPGraph::lsStepRight);
  EXPECT_EQ(graphs[0]->pen().color(), QColor(0, 0, 0xA0));
  EXPECT_EQ(graphs[0]->brush().color(), QColor(255, 0, 0));
}

}  // namespace
