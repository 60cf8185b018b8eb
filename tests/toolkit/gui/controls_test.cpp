// The small controls: what each adds to the control it stands on.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QTabWidget>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/guiapplication.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/checkbox.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/image.h"
#include "toolkit/gui/imagelist.h"
#include "toolkit/gui/label.h"
#include "toolkit/gui/pagecontrol.h"
#include "toolkit/gui/panel.h"
#include "toolkit/gui/progressbar.h"
#include "toolkit/gui/shape.h"
#include "toolkit/gui/speedbutton.h"

namespace {

// A window for the controls of one test, shown and laid out.
class ControlsTest : public testing::Test {
protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 300, 200);
  }
  void TearDown() override { Free(form); }
  void ShowForm() {
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Handle()));
  }
  template <class T>
  T* Make() {
    auto* control = new T(form);
    control->setParent(form);
    return control;
  }
  // The control's own picture as its Paint draws it.
  TColor Painted(TGraphicControl* control, int x, int y) {
    control->Repaint();
    return control->Canvas()->Pixels(x, y);
  }

  TForm* form;
};

TEST_F(ControlsTest, LabelSizesItselfToItsLinesAndARightAlignedOneKeepsItsRightEdge) {
  auto* label = Make<TLabel>();
  label->Font()->setName("DejaVu Sans");
  label->Font()->setHeight(16);
  label->setCaption("one");
  int oneLine = label->Height();
  EXPECT_EQ(oneLine, 16);
  label->setCaption("one\r\ntwo");
  EXPECT_EQ(label->Height(), 32);
  label->setAlignment(taRightJustify);
  label->SetBounds(100, 0, label->Width(), label->Height());
  int right = label->Left() + label->Width();
  label->setCaption("a much longer text");
  EXPECT_EQ(label->Left() + label->Width(), right);
  label->setShadowSize(2);
  EXPECT_EQ(label->Height(), 18) << "room for the shadow";
}

TEST_F(ControlsTest, ShapeFillsTheWholeControl) {
  auto* shape = Make<TShape>();
  shape->SetBounds(0, 0, 20, 10);
  shape->Pen()->setColor(clRed);
  shape->Brush()->setColor(clBlue);
  ShowForm();
  EXPECT_EQ(Painted(shape, 0, 0), clRed);
  EXPECT_EQ(Painted(shape, 19, 9), clRed);
  EXPECT_EQ(Painted(shape, 10, 5), clBlue);
}

TEST_F(ControlsTest, GradientProgressBarFillsUpToItsPosition) {
  auto* bar = Make<TProgressBar>();
  bar->SetBounds(0, 0, 100, 6);
  bar->setColor(clWhite);
  bar->setBarColor(clYellow);
  bar->setEndColor(clRed);
  bar->setPosition(50);
  ShowForm();
  EXPECT_EQ(Painted(bar, 0, 3), clYellow);
  EXPECT_NE(Painted(bar, 49, 3), clYellow) << "the gradient moves toward the end colour";
  EXPECT_EQ(Painted(bar, 50, 3), clWhite);
  bar->setPosition(250);
  EXPECT_EQ(bar->Position(), 100);
}

TEST_F(ControlsTest, CheckBoxReportsEveryChangeOfItsState) {
  auto* box = Make<TCheckBox>();
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  box->setChecked(true);
  box->setChecked(true);
  box->setChecked(false);
  EXPECT_EQ(clicks, 2);
  ShowForm();
  QTest::mouseClick(box->Handle(), Qt::LeftButton, {}, QPoint(5, box->Height() / 2));
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, 3);
}

// A caption in its font's colour while the control can be used; grey, as the style draws
// disabled text, while it or the panel it stands on is disabled.
TEST_F(ControlsTest, ADisabledCheckBoxLooksDisabled) {
  auto* panel = Make<TPanel>();
  panel->SetBounds(0, 0, 200, 40);
  auto* box = new TCheckBox(form);
  box->setParent(panel);
  box->SetBounds(4, 4, 190, 24);
  box->setCaption("Display trends");
  box->Font()->setColor(clBlack);
  ShowForm();
  auto darkest = [&] {
    const QImage drawn = box->Handle()->grab().toImage();
    int value = 255;
    // The caption, right of the box itself.
    for (int y = 0; y < drawn.height(); ++y)
      for (int x = 24; x < drawn.width(); ++x) value = std::min(value, qGray(drawn.pixel(x, y)));
    return value;
  };
  EXPECT_LT(darkest(), 60);
  panel->setEnabled(false);
  EXPECT_GT(darkest(), 100) << "the panel is disabled";
  panel->setEnabled(true);
  box->setEnabled(false);
  EXPECT_GT(darkest(), 100) << "the box is disabled";
}

TEST_F(ControlsTest, PageControlHidesATabButKeepsItsPage) {
  auto* pages = Make<TPageControl>();
  auto* first = new TTabSheet(form);
  first->setParent(pages);
  first->setCaption("Dynamics of study");
  auto* hidden = new TTabSheet(form);
  hidden->setParent(pages);
  hidden->setTabVisible(false);
  auto* tabs = static_cast<QTabWidget*>(pages->Handle());
  ASSERT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(tabs->tabText(0).toStdString(), "Dynamics of study");
  EXPECT_FALSE(tabs->isTabVisible(1));
  pages->setActivePage(first);
  EXPECT_EQ(pages->ActivePage(), first);
  EXPECT_EQ(pages->Pages(1), hidden);
}

TEST_F(ControlsTest, ImageListCutsAStripIntoPictures) {
  TImageList images(form);
  images.setSize(2, 1);
  TBitmap strip;
  strip.setSize(6, 1);
  strip.Canvas()->setPixel(2, 0, clRed);
  strip.Canvas()->setPixel(5, 0, clLime);
  EXPECT_EQ(images.Add(strip), 0);
  ASSERT_EQ(images.Count(), 3);
  TBitmap second;
  images.GetBitmap(1, &second);
  EXPECT_EQ(second.Width(), 2);
  EXPECT_EQ(second.Canvas()->Pixels(0, 0), clRed);
  EXPECT_TRUE(images.Image(7).isNull());
}

TEST_F(ControlsTest, ImageSizesItselfToItsPictureOrStretchesIt) {
  auto* image = Make<TImage>();
  image->setAutoSize(true);
  TBitmap picture;
  picture.setSize(4, 2);
  picture.Canvas()->Brush()->setColor(clLime);
  picture.Canvas()->FillRect(Rect(0, 0, 4, 2));
  image->Picture()->Assign(&picture);
  EXPECT_EQ(image->Width(), 4);
  EXPECT_EQ(image->Height(), 2);
  image->setAutoSize(false);
  image->setStretch(true);
  image->SetBounds(0, 0, 40, 20);
  ShowForm();
  EXPECT_EQ(Painted(image, 39, 19), clLime);
}

TEST_F(ControlsTest, TransparentImageLeavesOutTheBottomLeftColourOfEveryPictureItGets) {
  auto* image = Make<TImage>();
  image->SetBounds(0, 0, 4, 2);
  image->setTransparent(true);
  TBitmap picture;
  picture.setSize(4, 2);
  picture.Canvas()->Brush()->setColor(clLime);
  picture.Canvas()->FillRect(Rect(0, 0, 4, 2));
  picture.Canvas()->setPixel(0, 1, clRed);
  picture.Canvas()->setPixel(3, 0, clRed);
  image->Picture()->Assign(&picture);
  ShowForm();
  auto alpha = [&](int x, int y) {
    image->Repaint();
    return image->Canvas()->Surface()->pixelColor(x, y).alpha();
  };
  EXPECT_EQ(alpha(3, 0), 0) << "the picture's own flag is off, the image's counts";
  EXPECT_EQ(alpha(1, 0), 255);
  image->setTransparent(false);
  EXPECT_EQ(alpha(3, 0), 255);
}

TEST_F(ControlsTest, SpeedButtonRunsItsActionWhileTheActionIsEnabled) {
  auto* button = Make<TSpeedButton>();
  button->SetBounds(0, 0, 60, 30);
  auto* action = new TAction(form);
  int runs = 0;
  action->OnExecute = [&](TObject*) { ++runs; };
  button->setAction(action);
  ShowForm();
  QTest::mouseClick(button->Handle(), Qt::LeftButton);
  action->setEnabled(false);
  QTest::mouseClick(button->Handle(), Qt::LeftButton);
  EXPECT_EQ(runs, 1);
}

TEST_F(ControlsTest, ClickAndMouseDownComeThroughTheDispatch) {
  auto* image = Make<TImage>();
  image->SetBounds(10, 10, 50, 50);
  std::vector<std::string> events;
  image->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int x, int y) {
    events.push_back((button == mbLeft ? "left " : "right ") + std::to_string(x) + "," +
                     std::to_string(y));
  };
  image->OnClick = [&](TObject*) {
    events.push_back("click");
    throw Exception("an error in a click");
  };
  Application->OnException = [&](TObject*, const Exception& error) {
    events.push_back(error.Message);
  };
  ShowForm();
  QTest::mouseClick(image->Handle(), Qt::LeftButton, {}, QPoint(3, 4));
  QTest::mouseClick(image->Handle(), Qt::RightButton, {}, QPoint(5, 6));
  Application->OnException = nullptr;
  EXPECT_EQ(events,
            (std::vector<std::string>{"left 3,4", "click", "an error in a click", "right 5,6"}));
}

TEST_F(ControlsTest, APressOnAGraphicControlIsThatControlsAlone) {
  auto* image = Make<TImage>();
  image->SetBounds(10, 10, 50, 50);
  auto* button = Make<TSpeedButton>();
  button->SetBounds(100, 10, 60, 30);
  auto* panel = Make<TPanel>();
  panel->SetBounds(200, 10, 60, 60);
  std::vector<std::string> events;
  form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
    events.push_back("form down");
  };
  form->OnClick = [&](TObject*) { events.push_back("form click"); };
  image->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
    events.push_back("image down");
  };
  button->OnClick = [&](TObject*) { events.push_back("button click"); };
  ShowForm();
  QTest::mouseClick(image->Handle(), Qt::LeftButton);
  QTest::mouseDClick(image->Handle(), Qt::LeftButton);
  QTest::mouseClick(button->Handle(), Qt::LeftButton);
  QTest::mouseClick(button->Handle(), Qt::RightButton);
  EXPECT_EQ(events, (std::vector<std::string>{"image down", "image down", "button click"}));
  // A windowed control still passes a press it does not take to the window beneath.
  events.clear();
  QTest::mouseClick(panel->Handle(), Qt::LeftButton);
  EXPECT_EQ(events, (std::vector<std::string>{"form down", "form click"}));
}

// A panel whose own event handling throws: on a user event, and on a resize while told to.
class TFaultyPanel : public TPanel {
public:
  using TPanel::TPanel;
  bool FailResize = false;

protected:
  bool WidgetEvent(QEvent* event) override {
    if (event->type() == QEvent::User) throw Exception("an error in an event");
    return TPanel::WidgetEvent(event);
  }
  void Resized() override {
    if (FailResize) throw std::runtime_error("an error in a resize");
    TPanel::Resized();
  }
};

TEST_F(ControlsTest, ErrorsOfAControlsOwnEventHandlingComeThroughTheDispatch) {
  auto* panel = Make<TFaultyPanel>();
  panel->SetBounds(10, 10, 50, 50);
  ShowForm();
  std::vector<std::string> errors;
  Application->OnException = [&](TObject* sender, const Exception& error) {
    EXPECT_EQ(sender, panel);
    errors.push_back(error.Message);
  };
  struct Case {
    const char* name;
    std::function<void()> cause;
    std::string error;
  };
  const Case cases[] = {
      {"its own event",
       [&] {
         QEvent event(QEvent::User);
         QCoreApplication::sendEvent(panel->Handle(), &event);
       },
       "an error in an event"},
      {"a resize by the window system", [&] { panel->Handle()->resize(60, 60); },
       "an error in a resize"},
      {"a resize by the program", [&] { panel->SetBounds(10, 10, 70, 70); },
       "an error in a resize"},
  };
  panel->FailResize = true;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    errors.clear();
    EXPECT_NO_THROW(c.cause());
    EXPECT_EQ(errors, std::vector<std::string>{c.error});
  }
  Application->OnException = nullptr;
}

}  // namespace
