#include "toolkit/gui/form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "toolkit/gui/application.h"
#include "toolkit/gui/qtbridge.h"

namespace {

// The window through which the program was last activated; none while another program has
// the focus. Going from one window of the program to another (a modal window closing gives the
// focus back to the one beneath) is no activation: only the first window to get the focus
// after the program was inactive raises OnActivate, and a modal run raises it itself.
TForm* activeForm = nullptr;

void WatchApplicationState() {
  static QCoreApplication* watched = nullptr;
  if (watched == QCoreApplication::instance()) return;
  watched = QCoreApplication::instance();
  QObject::connect(qApp, &QGuiApplication::applicationStateChanged, [](Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive) activeForm = nullptr;
  });
}

}  // namespace

TForm::TForm(TComponent* Owner) : TWinControl(Owner, new QWidget(nullptr, Qt::Window), true) {
  WatchApplicationState();
  ColorChanged();
  QTimer::singleShot(0, Handle(), [this] { AfterConstruction(); });
}

TForm::~TForm() {
  if (activeForm == this) activeForm = nullptr;
  if (modalLoop_) modalLoop_->quit();
}

void TForm::AfterConstruction() {
  if (created_) return;
  created_ = true;
  Fire(OnCreate);
}

void TForm::BeforeDestruction() {
  if (destroyed_) return;
  destroyed_ = true;
  Fire(OnDestroy);
}

void TForm::setBorderStyle(TFormBorderStyle style) {
  borderStyle_ = style;
  ApplyWindowFlags();
}

void TForm::setFormStyle(TFormStyle style) {
  formStyle_ = style;
  ApplyWindowFlags();
}

void TForm::ApplyWindowFlags() {
  Qt::WindowFlags flags = Qt::Window;
  if (borderStyle_ == bsNone) flags |= Qt::FramelessWindowHint;
  if (formStyle_ == fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
  bool shown = Handle()->isVisible();
  Handle()->setWindowFlags(flags);
  // New flags hide a shown window.
  if (shown) Handle()->show();
}

void TForm::Center() {
  QScreen* screen = QGuiApplication::primaryScreen();
  TForm* main = Application ? Application->MainForm() : nullptr;
  if (main && main != this) {
    if (QScreen* mainScreen = QGuiApplication::screenAt(main->Handle()->geometry().center()))
      screen = mainScreen;
  }
  if (!screen) return;
  QRect area = screen->geometry();
  Handle()->move(area.x() + (area.width() - Width()) / 2,
                 area.y() + (area.height() - Height()) / 2);
}

void TForm::setVisible(bool visible) {
  if (visible == Visible() && visible == Handle()->isVisible()) return;
  if (visible) {
    AfterConstruction();
    if (!shownOnce_ && position_ == poScreenCenter) Center();
    shownOnce_ = true;
    if (!icon_.Empty()) Handle()->setWindowIcon(ToQIcon(icon_));
    Fire(OnShow);
    TWinControl::setVisible(true);
    // The window system may have kept the focus on the window while it was hidden (no window
    // manager, or a quick return): then no activation comes, though the application let go of
    // the window as it hid.
    if (QGuiApplication::focusWindow() == Handle()->windowHandle() &&
        QApplication::activeWindow() != Handle()) {
      QApplication::setActiveWindow(Handle());
    }
  } else {
    TWinControl::setVisible(false);
    Fire(OnHide);
  }
}

TModalResult TForm::ShowModal() {
  if (Handle()->isVisible()) throw Exception("Cannot make a visible window modal");
  modalResult_ = mrNone;
  Handle()->setWindowModality(Qt::ApplicationModal);
  Show();
  Handle()->raise();
  Handle()->activateWindow();
  activeForm = this;
  QEventLoop loop;
  modalLoop_ = &loop;
  // A handler may destroy the window while it runs; its widget goes with it.
  QPointer<QWidget> alive(Handle());
  // The activation is part of the run: a Close there (Esc while it lets messages through)
  // ends the run instead of leaving a hidden window to wait.
  Fire(OnActivate);
  if (!alive) return mrCancel;
  if (modalResult_ == mrNone && !(Application && Application->Terminated()))
    loop.exec(QEventLoop::DialogExec);
  if (!alive) return mrCancel;
  modalLoop_ = nullptr;
  if (modalResult_ == mrNone) modalResult_ = mrCancel;
  Hide();
  Handle()->setWindowModality(Qt::NonModal);
  return modalResult_;
}

void TForm::setModalResult(TModalResult result) {
  modalResult_ = result;
  if (result != mrNone && modalLoop_) modalLoop_->quit();
}

void TForm::Close() {
  if (modalLoop_) {
    setModalResult(mrCancel);
    return;
  }
  Hide();
  if (Application && Application->MainForm() == this) Application->Terminate();
}

bool TForm::Active() const { return QApplication::activeWindow() == Handle(); }

bool TForm::WidgetEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::Close:
      // The window system's close button closes the way Close does.
      event->ignore();
      if (Application) Application->Dispatch(this, [this] { Close(); });
      return true;
    case QEvent::WindowActivate:
      if (!activeForm) {
        activeForm = this;
        Fire(OnActivate);
      }
      activeForm = this;
      return false;
    case QEvent::WindowDeactivate: Fire(OnDeactivate); return false;
    default: return TWinControl::WidgetEvent(event);
  }
}

void TForm::TextChanged() { Handle()->setWindowTitle(ToQString(Text())); }

void TForm::ColorChanged() { SetBackground(QPalette::Window); }

void TForm::Publish(TPropList& properties) {
  TWinControl::Publish(properties);
  properties.push_back(TextProperty("Caption", "TCaption"));
}

TForm* OwnerForm(TComponent* component) {
  for (; component; component = component->Owner())
    if (auto* form = dynamic_cast<TForm*>(component)) return form;
  return nullptr;
}
