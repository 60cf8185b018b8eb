#include "toolkit/gui/listview.h"

#include <gtest/gtest.h>

#include <QListView>
#include <QTest>

#include <string>
#include <vector>

#include "support/guiapplication.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/imagelist.h"

namespace {

const char* const kPyotr = "\xCF\xB8\xF2\xF0";  // a Russian name in Windows-1251

class ListViewTest : public testing::Test {
protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 200, 200);
    view = new TListView(form);
    view->setParent(form);
    view->SetBounds(0, 0, 200, 200);
    view->setSortByCaption(true);
    for (const char* name : {kPyotr, "anna", "Boris", "Anna"}) view->Add(name, 3);
  }
  void TearDown() override { Free(form); }
  std::vector<std::string> Captions() {
    std::vector<std::string> captions;
    for (int i = 0; i < view->Count(); ++i) captions.push_back(view->Items(i)->Caption());
    return captions;
  }
  TForm* form;
  TListView* view;
};

TEST_F(ListViewTest, RowsStandSortedByCaption) {
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Anna", "anna", "Boris", kPyotr}));
  EXPECT_EQ(view->Items(2)->ImageIndex(), 3);
  EXPECT_EQ(view->Items(2)->Index(), 2);
}

TEST_F(ListViewTest, SelectionIsReportedAndMouseDownComesAfterIt) {
  std::vector<std::string> events;
  view->OnSelectItem = [&](TObject*, TListItem* item, bool selected) {
    events.push_back((selected ? "+" : "-") + item->Caption());
  };
  view->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int, int) {
    TListItem* selected = view->Selected();
    events.push_back(std::string(button == mbLeft ? "left on " : "other on ") +
                     (selected ? selected->Caption() : "nothing"));
  };
  form->Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Handle()));
  auto* qview = static_cast<QListView*>(view->Handle());
  QRect row = qview->visualRect(qview->model()->index(2, 0));
  QTest::mouseClick(qview->viewport(), Qt::LeftButton, {}, row.center());
  row = qview->visualRect(qview->model()->index(0, 0));
  QTest::mouseClick(qview->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_EQ(events, (std::vector<std::string>{"+Boris", "left on Boris", "-Boris", "+Anna",
                                              "left on Anna"}));
  view->ClearSelection();
  EXPECT_EQ(view->Selected(), nullptr);
  view->Clear();
  EXPECT_EQ(view->Count(), 0);
}

}  // namespace
