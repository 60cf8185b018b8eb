#include "toolkit/gui/splitter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "support/guiapplication.h"
#include "toolkit/gui/description.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/panel.h"

namespace {

// A left-button drag on the splitter from its top by `dy` pixels down, as the window system
// delivers it.
void Drag(TSplitter* splitter, int dy) {
  QWidget* widget = splitter->Handle();
  auto send = [widget](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, {});
    QApplication::sendEvent(widget, &event);
  };
  send(QEvent::MouseButtonPress, {5, 1}, Qt::LeftButton);
  send(QEvent::MouseMove, {5, 1 + dy}, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, {5, 1 + dy}, Qt::NoButton);
}

TEST(SplitterTest, DraggingResizesTheControlOnTheSameEdgeBeforeIt) {
  TOwnedPtr<TForm> form(new TForm(nullptr));
  form->SetBounds(0, 0, 400, 300);
  auto* lower = NewControl<TPanel>(form.get(), form.get(), "Lower", 0, 200, 400, 100);
  lower->setAlign(alBottom);
  auto* splitter = NewControl<TSplitter>(form.get(), form.get(), "Splitter", 0, 197, 400, 3);
  splitter->setAlign(alBottom);
  auto* upper = NewControl<TPanel>(form.get(), form.get(), "Upper", 0, 0, 400, 197);
  upper->setAlign(alClient);
  form->Show();

  Drag(splitter, -50);
  EXPECT_EQ(lower->Height(), 150) << "dragged up, the lower control grows";
  EXPECT_EQ(upper->Height(), 300 - 150 - 3);
  Drag(splitter, 400);
  EXPECT_EQ(lower->Height(), 30) << "it keeps its smallest size";
}

}  // namespace
