#pragma once
// A windowed control: one that other controls show inside (forms, panels, pages). It lists its
// child controls, destroys them with itself (whoever owns them), and lays out the aligned ones
// whenever its size or theirs changes. User-interface thread only.

#include <vector>

#include "toolkit/gui/control.h"

class TWinControl : public TControl {
public:
  // Destroys the child controls first, the last one first.
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(children_.size()); }
  TControl* Controls(int index) const { return children_.at(index); }

  // Places the aligned children: top, bottom, left and right ones along the edges in that order
  // and in the order they were parented, the client ones over what remains.
  void AlignControls();

  // Gives the control the keyboard focus (shown or not: it takes it when its window shows).
  void SetFocus();
  bool Focused() const;

protected:
  using TControl::TControl;
  void Resized() override;
  void FontChanged() override;
  // Shows a new child's widget inside this control; a page control makes a page of it.
  virtual void InsertChild(TControl* child);
  virtual void RemoveChild(TControl* child);

private:
  friend class TControl;
  std::vector<TControl*> children_;
  bool aligning_ = false;
};
