#include "toolkit/gui/popupmenu.h"

#include <QMenu>
#include <QPixmap>

#include "toolkit/gui/application.h"
#include "toolkit/gui/qtbridge.h"

void TMenuItem::Publish(TPropList& properties) {
  TComponent::Publish(properties);
  properties.push_back(StringProperty("Caption", "TCaption", &caption_));
}

void TPopupMenu::Popup(int x, int y) {
  QMenu menu;
  for (TMenuItem* item : items_) {
    QAction* action = menu.addAction(ToQString(item->Caption()));
    action->setEnabled(item->Enabled());
    if (!item->Bitmap()->Empty()) action->setIcon(QPixmap::fromImage(item->Bitmap()->DrawnImage()));
    QObject::connect(action, &QAction::triggered, [item] { FireEvent(item->OnClick, item); });
  }
  menu.exec(QPoint(x, y));
}
