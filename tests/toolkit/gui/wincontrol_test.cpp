#include "toolkit/gui/wincontrol.h"

#include <gtest/gtest.h>

#include "support/guiapplication.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/label.h"
#include "toolkit/gui/panel.h"

namespace {

TEST(WinControlTest, AlignedChildrenShareTheClientAreaAndFollowItsSize) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* top = new TPanel(&form);
  top->setParent(&form);
  top->setHeight(20);
  top->setAlign(alTop);
  auto* bottom = new TPanel(&form);
  bottom->setParent(&form);
  bottom->setHeight(30);
  bottom->setAlign(alBottom);
  auto* hidden = new TPanel(&form);
  hidden->setParent(&form);
  hidden->setHeight(40);
  hidden->setVisible(false);
  hidden->setAlign(alTop);
  auto* client = new TPanel(&form);
  client->setParent(&form);
  client->setAlign(alClient);

  struct Case {
    const char* name;
    TControl* control;
    TRect bounds;
  };
  auto check = [&](int width, int height) {
    const Case cases[] = {
        {"top", top, Rect(0, 0, width, 20)},
        {"bottom", bottom, Rect(0, height - 30, width, height)},
        {"client", client, Rect(0, 20, width, height - 30)},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      TRect bounds = c.control->BoundsRect();
      EXPECT_EQ(bounds.Left, c.bounds.Left);
      EXPECT_EQ(bounds.Top, c.bounds.Top);
      EXPECT_EQ(bounds.Right, c.bounds.Right);
      EXPECT_EQ(bounds.Bottom, c.bounds.Bottom);
    }
  };
  check(300, 200);
  form.SetBounds(0, 0, 400, 100);
  check(400, 100);
  bottom->setHeight(10);
  EXPECT_EQ(bottom->Top(), 90) << "a child that changes its height is placed again";
  EXPECT_EQ(client->Height(), 70);
}

TEST(WinControlTest, ChildrenTakeTheParentsFontUntilTheyChangeTheirOwn) {
  TForm form(nullptr);
  form.Font()->setName("Arial Narrow");
  auto* follower = new TLabel(&form);
  follower->setParent(&form);
  auto* own = new TLabel(&form);
  own->setParent(&form);
  own->Font()->setCharset(204);
  EXPECT_EQ(follower->Font()->Name(), "Arial Narrow");
  form.Font()->setHeight(-20);
  EXPECT_EQ(follower->Font()->Height(), -20);
  EXPECT_NE(own->Font()->Height(), -20);
  EXPECT_EQ(own->Font()->Charset(), 204);
}

TEST(WinControlTest, ResizeEventsComeWhenTheSizeChanges) {
  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  panel->setParent(&form);
  int resizes = 0;
  panel->OnResize = [&](TObject*) { ++resizes; };
  panel->SetBounds(0, 0, 50, 50);
  panel->SetBounds(10, 10, 50, 50);
  panel->SetBounds(10, 10, 60, 50);
  EXPECT_EQ(resizes, 2);
}

}  // namespace
