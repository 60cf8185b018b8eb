#include "toolkit/gui/wincontrol.h"

#include <QWidget>

#include <algorithm>

TWinControl::~TWinControl() {
  // Each child's destructor takes it out of the list.
  while (!children_.empty()) Free(children_.back());
}

void TWinControl::InsertChild(TControl* child) {
  children_.push_back(child);
  child->Handle()->setParent(Handle());
}

void TWinControl::RemoveChild(TControl* child) { std::erase(children_, child); }

void TWinControl::Resized() {
  AlignControls();
  TControl::Resized();
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  for (TControl* child : children_) child->ApplyParentFont();
}

void TWinControl::AlignControls() {
  if (aligning_) return;
  aligning_ = true;
  TRect free = Rect(0, 0, ClientWidth(), ClientHeight());
  for (TAlign side : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* child : children_) {
      if (child->Align() != side || !child->Visible()) continue;
      int width = child->Width(), height = child->Height();
      switch (side) {
        case alTop:
          child->SetBounds(free.Left, free.Top, free.Width(), height);
          free.Top += height;
          break;
        case alBottom:
          child->SetBounds(free.Left, free.Bottom - height, free.Width(), height);
          free.Bottom -= height;
          break;
        case alLeft:
          child->SetBounds(free.Left, free.Top, width, free.Height());
          free.Left += width;
          break;
        case alRight:
          child->SetBounds(free.Right - width, free.Top, width, free.Height());
          free.Right -= width;
          break;
        default: child->SetBounds(free.Left, free.Top, free.Width(), free.Height()); break;
      }
    }
  }
  aligning_ = false;
}

void TWinControl::SetFocus() { Handle()->setFocus(Qt::OtherFocusReason); }

bool TWinControl::Focused() const { return Handle()->hasFocus(); }
