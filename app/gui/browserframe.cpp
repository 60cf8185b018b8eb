#include "app/gui/browserframe.h"

#include "toolkit/gui/control.h"

void FitBrowserToPanel(TControl* browser, const TControl* panel) {
  browser->setWidth(panel->Width() + 4);
  browser->setHeight(panel->Height() + 4);
}
