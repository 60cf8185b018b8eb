#include "views/viewplacement.h"

#include "toolkit/gui/wincontrol.h"

void PlaceHidden(TControl* view) {
  view->Hide();
  if (auto* owner = dynamic_cast<TWinControl*>(view->Owner())) view->setParent(owner);
}
