#include "toolkit/gui/control.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "toolkit/gui/application.h"
#include "toolkit/gui/popupmenu.h"
#include "toolkit/gui/qtbridge.h"
#include "toolkit/gui/wincontrol.h"

// Hands the widget's events to its control; lives as a child of the widget.
class TControl::Bridge : public QObject {
public:
  Bridge(TControl* control) : QObject(control->widget_), control_(control) {
    control->widget_->installEventFilter(this);
  }
  ~Bridge() override {
    if (control_) control_->widget_ = nullptr;
  }
  void Detach() { control_ = nullptr; }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!control_ || watched != parent() || !Application) return false;
    TControl* control = control_;
    // Nothing the control throws may unwind through Qt; a failed event is not swallowed.
    return Application->Dispatch(control, false, [&] { return control->WidgetEvent(event); });
  }

  bool pressed = false;

private:
  TControl* control_;
};

namespace {

TShiftState ShiftOf(const QMouseEvent* event) {
  TShiftState shift = 0;
  Qt::KeyboardModifiers keys = event->modifiers();
  if (keys & Qt::ShiftModifier) shift |= ssShift;
  if (keys & Qt::AltModifier) shift |= ssAlt;
  if (keys & Qt::ControlModifier) shift |= ssCtrl;
  Qt::MouseButtons buttons = event->buttons();
  if (buttons & Qt::LeftButton) shift |= ssLeft;
  if (buttons & Qt::RightButton) shift |= ssRight;
  if (buttons & Qt::MiddleButton) shift |= ssMiddle;
  if (event->type() == QEvent::MouseButtonDblClick) shift |= ssDouble;
  return shift;
}

Qt::CursorShape ShapeOf(TCursor cursor) {
  switch (cursor) {
    case crNone: return Qt::BlankCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
  }
}

}  // namespace

TControl::TControl(TComponent* Owner, QWidget* widget, bool window)
    : TComponent(Owner), widget_(widget), window_(window), visible_(!window) {
  bridge_ = new Bridge(this);
  font_.OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
  if (parent_) parent_->RemoveChild(this);
  if (widget_) {
    bridge_->Detach();
    delete widget_;
  }
}

void TControl::setParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveChild(this);
  parent_ = parent;
  if (!widget_) return;
  if (parent_) {
    parent_->InsertChild(this);
    widget_->setVisible(visible_);
    ApplyParentFont();
    if (align_ != alNone) parent_->AlignControls();
  } else if (!window_) {
    widget_->setParent(nullptr);
  }
}

int TControl::Left() const { return widget_ ? widget_->x() : 0; }
int TControl::Top() const { return widget_ ? widget_->y() : 0; }
int TControl::Width() const { return widget_ ? widget_->width() : 0; }
int TControl::Height() const { return widget_ ? widget_->height() : 0; }

void TControl::SetBounds(int left, int top, int width, int height) {
  if (!widget_) return;
  widget_->move(left, top);
  widget_->resize(std::max(0, width), std::max(0, height));
  SizeMaybeChanged();
  if (parent_ && align_ != alNone) parent_->AlignControls();
}

void TControl::SizeMaybeChanged() {
  if (!widget_ || (Width() == lastWidth_ && Height() == lastHeight_)) return;
  lastWidth_ = Width();
  lastHeight_ = Height();
  // Qt's resize events and the program's SetBounds alike: an error is reported, not left
  // to unwind through the alignment of the parent's other children.
  if (Application) {
    Application->Dispatch(this, [this] { Resized(); });
  } else {
    Resized();
  }
}

void TControl::Resized() { Fire(OnResize); }

void TControl::setVisible(bool visible) {
  visible_ = visible;
  if (widget_ && (parent_ || window_)) widget_->setVisible(visible);
  if (parent_ && align_ != alNone) parent_->AlignControls();
}

bool TControl::Enabled() const { return widget_ && !widget_->testAttribute(Qt::WA_ForceDisabled); }

void TControl::setEnabled(bool enabled) {
  if (widget_) widget_->setEnabled(enabled);
}

void TControl::setAlign(TAlign align) {
  align_ = align;
  if (parent_) parent_->AlignControls();
}

void TControl::setColor(TColor color) {
  color_ = color;
  ColorChanged();
}

void TControl::setParentFont(bool parentFont) {
  parentFont_ = parentFont;
  ApplyParentFont();
}

void TControl::ApplyParentFont() {
  if (!parentFont_ || !parent_) return;
  applyingParentFont_ = true;
  font_.Assign(*parent_->Font());
  applyingParentFont_ = false;
}

void TControl::FontChanged() {
  if (!applyingParentFont_) parentFont_ = false;
  if (!widget_) return;
  widget_->setFont(font_.ToQFont());
  // The font's colour while the control can be used; a disabled one keeps the style's colour,
  // so that it looks disabled.
  QPalette palette = widget_->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
      palette.setColor(group, role, ToQColor(font_.Color()));
  widget_->setPalette(palette);
  Invalidate();
}

void TControl::setCursor(TCursor cursor) {
  cursor_ = cursor;
  if (!widget_) return;
  if (cursor == crDefault) {
    widget_->unsetCursor();
  } else {
    widget_->setCursor(ShapeOf(cursor));
  }
}

void TControl::setText(const std::string& text) {
  text_ = text;
  TextChanged();
}

void TControl::Invalidate() {
  RepaintAsked();
  if (widget_) widget_->update();
}

void TControl::Repaint() {
  RepaintAsked();
  if (widget_) widget_->repaint();
}

void TControl::Update() {
  // A frozen window's repaint request, delivered now, would paint nothing, and Qt would forget
  // that it had asked while keeping what is to be painted: no later change would ask again, and
  // the window would never be drawn anew. The request waits for the loop, after the release.
  if (!widget_ || !widget_->window()->updatesEnabled()) return;
  QCoreApplication::sendPostedEvents(widget_->window(), QEvent::UpdateRequest);
}

void TControl::BringToFront() {
  if (widget_) widget_->raise();
}

void TControl::Fire(const TNotifyEvent& event) { FireEvent(event, this); }

bool TControl::WidgetEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton) bridge_->pressed = true;
      if (OnMouseDown && Application) {
        QPoint at = mouse->position().toPoint();
        Application->Dispatch(this, [&] {
          OnMouseDown(this, ToMouseButton(mouse->button()), ShiftOf(mouse), at.x(), at.y());
        });
      }
      if (event->type() == QEvent::MouseButtonDblClick) Fire(OnDblClick);
      return false;
    }
    case QEvent::MouseButtonRelease: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      bool click = mouse->button() == Qt::LeftButton && bridge_->pressed &&
                   widget_->rect().contains(mouse->position().toPoint());
      if (mouse->button() == Qt::LeftButton) bridge_->pressed = false;
      if (click) Fire(OnClick);
      return false;
    }
    case QEvent::KeyPress: {
      // Shift+F10 asks for the menu as the menu key does, but no window system makes it a
      // request for the menu on its own.
      auto* key = static_cast<QKeyEvent*>(event);
      if (!popupMenu_ || key->key() != Qt::Key_F10 || key->modifiers() != Qt::ShiftModifier)
        return false;
      const QPoint at = widget_->mapToGlobal(widget_->rect().center());
      popupMenu_->Popup(at.x(), at.y());
      return true;
    }
    case QEvent::ContextMenu:
      if (!popupMenu_) return false;
      popupMenu_->Popup(static_cast<QContextMenuEvent*>(event)->globalPos().x(),
                        static_cast<QContextMenuEvent*>(event)->globalPos().y());
      return true;
    case QEvent::Resize: SizeMaybeChanged(); return false;
    default: return false;
  }
}

void TControl::Publish(TPropList& properties) {
  TComponent::Publish(properties);
  properties.push_back(StringProperty("Hint", "String", &hint_));
  properties.push_back(ObjectProperty("Font", "TFont", [this] { return &font_; }));
}

TPropInfo TControl::TextProperty(const char* name, const char* typeName) {
  return StringProperty(
      name, typeName, [this] { return Text(); },
      [this](const std::string& text) { setText(text); });
}

void TControl::SetBackground(int role) {
  if (!widget_) return;
  QPalette palette = widget_->palette();
  palette.setColor(static_cast<QPalette::ColorRole>(role), ToQColor(color_));
  // The widget's own background too: a check box fills with the button colour, say.
  palette.setColor(widget_->backgroundRole(), ToQColor(color_));
  widget_->setPalette(palette);
  widget_->setAutoFillBackground(true);
}
