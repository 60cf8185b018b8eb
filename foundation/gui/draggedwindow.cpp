#include "foundation/gui/draggedwindow.h"

#include "toolkit/gui/application.h"
#include "toolkit/gui/control.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/windowdrag.h"

void DragWithMainWindow(TForm* form, TObject* pressed, TMouseButton button, int x, int y) {
  auto* control = dynamic_cast<TControl*>(pressed);
  if (button != mbLeft || !control) return;
  DragWindow(form, control, x, y, [form] {
    TForm* main = Application->MainForm();
    if (main && main != form)
      main->SetBounds(form->Left(), form->Top(), main->Width(), main->Height());
  });
}
