#pragma once
// Helpers for window descriptions, the code that lists a window's components: each line makes
// one component, owned by the window, named, and for a control shown on its parent at its
// place. The owner deletes what they make.

#include <string>

#include "toolkit/gui/control.h"
#include "toolkit/gui/wincontrol.h"

template <class T>
T* NewComponent(TComponent* owner, const std::string& name) {
  T* component = new T(owner);
  component->setName(name);
  return component;
}

template <class T>
T* NewControl(TComponent* owner, TWinControl* parent, const std::string& name, int left, int top,
              int width, int height) {
  T* control = NewComponent<T>(owner, name);
  control->setParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}
