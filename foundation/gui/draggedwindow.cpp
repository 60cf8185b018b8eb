#include "foundation/gui/draggedwindow.h"

#include "toolkit/gui/application.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/windowdrag.h"

void DragWithMainWindow(TForm* form, TMouseButton button) {
  if (button != mbLeft) return;
  DragWindow(form, [form] {
    TForm* main = Application->MainForm();
    if (main && main != form) main->SetBounds(form->Left(), form->Top(), main->Width(), main->Height());
  });
}
