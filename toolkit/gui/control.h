#pragma once
// A control: a component that shows on the screen over a Qt widget of its own, which it owns.
// It shows inside its Parent, a windowed control (wincontrol.h) that need not be its owner.
// Its Qt events reach it through one event filter, and every handler it raises runs in the
// application's dispatch. User-interface thread only.

#include <memory>
#include <string>

#include "toolkit/colors.h"
#include "toolkit/gui/component.h"
#include "toolkit/gui/events.h"
#include "toolkit/gui/font.h"
#include "toolkit/rect.h"

class QEvent;
class QWidget;
class TPopupMenu;
class TWinControl;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crHourGlass = -11, crHandPoint = -21;

class TControl : public TComponent {
public:
  ~TControl() override;

  QWidget* Handle() const { return widget_; }
  TWinControl* Parent() const { return parent_; }
  // Shows the control inside the parent (none: shown nowhere), above the parent's others.
  void setParent(TWinControl* parent);

  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void setLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
  void setTop(int top) { SetBounds(Left(), top, Width(), Height()); }
  void setWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
  void setHeight(int height) { SetBounds(Left(), Top(), Width(), height); }
  void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(Left(), Top(), Width(), Height()); }
  int ClientWidth() const { return Width(); }
  int ClientHeight() const { return Height(); }

  // The control's own flag; it is seen when its parents are seen too.
  bool Visible() const { return visible_; }
  virtual void setVisible(bool visible);
  void Show() { setVisible(true); }
  void Hide() { setVisible(false); }
  bool Enabled() const;
  void setEnabled(bool enabled);
  TAlign Align() const { return align_; }
  void setAlign(TAlign align);
  TColor Color() const { return color_; }
  void setColor(TColor color);
  TFont* Font() { return &font_; }
  // While set, the control takes its parent's font (set by default; any own change of the
  // font clears it).
  bool ParentFont() const { return parentFont_; }
  void setParentFont(bool parentFont);
  TCursor Cursor() const { return cursor_; }
  void setCursor(TCursor cursor);
  const std::string& Hint() const { return hint_; }
  void setHint(const std::string& hint) { hint_ = hint; }
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void setPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }

  // The window text: Caption for some controls, Text for others.
  virtual std::string Text() const { return text_; }
  virtual void setText(const std::string& text);
  std::string Caption() const { return Text(); }
  void setCaption(const std::string& caption) { setText(caption); }

  // A repaint later; Repaint and Refresh repaint now; Update paints what is pending, except in
  // a window whose drawing is frozen (the window update lock), where it stays pending.
  void Invalidate();
  void Repaint();
  void Refresh() { Repaint(); }
  void Update();
  void BringToFront();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;

protected:
  // Takes the widget, which must have no parent yet; a window's widget shows without a parent.
  TControl(TComponent* Owner, QWidget* widget, bool window = false);

  // Every Qt event of the widget first comes here; true swallows it. An override passes on
  // what it does not take.
  virtual bool WidgetEvent(QEvent* event);
  virtual void TextChanged() { Invalidate(); }
  virtual void FontChanged();
  virtual void ColorChanged() { Invalidate(); }
  // The program asked for the control to be drawn anew (Invalidate, Repaint).
  virtual void RepaintAsked() {}
  // The size changed, by the program or by the window system.
  virtual void Resized();
  void Publish(TPropList& properties) override;
  // The window text published under a name: ("Caption", "TCaption") or ("Text", "TCaption").
  TPropInfo TextProperty(const char* name, const char* typeName);

  // Shows Color in a role of the widget's palette (a QPalette::ColorRole, such as the text
  // area's) and as the widget's own background.
  void SetBackground(int role);

  // Raises the event with this control as the sender, through the dispatch.
  void Fire(const TNotifyEvent& event);

private:
  friend class TWinControl;
  class Bridge;
  void SizeMaybeChanged();
  void ApplyParentFont();

  QWidget* widget_;
  Bridge* bridge_;
  TWinControl* parent_ = nullptr;
  bool window_;
  bool visible_;
  TAlign align_ = alNone;
  TColor color_ = clBtnFace;
  TFont font_;
  bool parentFont_ = true;
  bool applyingParentFont_ = false;
  TCursor cursor_ = crDefault;
  std::string hint_;
  std::string text_;
  TPopupMenu* popupMenu_ = nullptr;
  int lastWidth_ = -1, lastHeight_ = -1;
};
