#include "platform/gui/bringtotop.h"

#include <QWidget>

#include "toolkit/gui/form.h"

void BringWindowToTop(TForm* form) {
  if (!form) return;
  form->Handle()->raise();
  form->Handle()->activateWindow();
}
