#include "toolkit/gui/windowdrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <utility>

#include "toolkit/gui/application.h"
#include "toolkit/gui/control.h"
#include "toolkit/gui/form.h"

namespace {

// Found by name: a class without its own meta-object cannot be told apart by type.
constexpr char kName[] = "lomtak-window-drag";

// Lives on the window's widget: reports its moves, and moves it itself while it follows the
// mouse.
class TWindowDrag final : public QObject {
public:
  TWindowDrag(QWidget* window, TForm* form, std::function<void()> moved)
      : QObject(window), Window(window), Form(form), Moved(std::move(moved)) {
    setObjectName(kName);
    window->installEventFilter(this);
  }

  // From the press at that point of the screen.
  void FollowMouse(QPoint pressed) {
    Grip = pressed - Window->pos();
    qApp->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Move:
        if (watched == Window && Moved) Application->Dispatch(Form, Moved);
        return false;
      case QEvent::MouseMove:
        if (watched->isWidgetType()) {
          auto* mouse = static_cast<QMouseEvent*>(event);
          if (mouse->buttons() & Qt::LeftButton) {
            Window->move(mouse->globalPosition().toPoint() - Grip);
            return true;
          }
          qApp->removeEventFilter(this);
        }
        return false;
      case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
          qApp->removeEventFilter(this);
        return false;
      default: return false;
    }
  }

private:
  QWidget* Window;
  TForm* Form;
  std::function<void()> Moved;
  QPoint Grip;
};

TWindowSystemMove& SystemMove() {
  static TWindowSystemMove move;
  return move;
}

}  // namespace

TWindowSystemMove SetWindowSystemMove(TWindowSystemMove move) {
  return std::exchange(SystemMove(), std::move(move));
}

void DragWindow(TForm* form, TControl* pressed, int x, int y, std::function<void()> moved) {
  QWidget* window = form->Handle();
  for (QObject* before : window->findChildren<QObject*>(kName, Qt::FindDirectChildrenOnly))
    delete before;
  auto* drag = new TWindowDrag(window, form, std::move(moved));
  // The pointer may have moved on since the press: the grip is where the press was.
  const QPoint grip = pressed->Handle()->mapToGlobal(QPoint(x, y));
  QWindow* handle = window->windowHandle();
  if (!handle || !SystemMove() || !SystemMove()(handle, grip)) drag->FollowMouse(grip);
}
