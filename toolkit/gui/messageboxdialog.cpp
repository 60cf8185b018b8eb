#include "toolkit/gui/messageboxdialog.h"

#include <QMessageBox>

#include "toolkit/gui/application.h"
#include "toolkit/gui/qtbridge.h"

TModalResult ShowMessageBoxDialog(const std::string& text, TMsgDlgType type) {
  QMessageBox box;
  box.setWindowTitle(ToQString(Application ? Application->Title : std::string()));
  box.setText(ToQString(text));
  switch (type) {
    case mtConfirmation:
      box.setIcon(QMessageBox::Question);
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case mtError:
      box.setIcon(QMessageBox::Critical);
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case mtInformation:
      box.setIcon(QMessageBox::Information);
      box.setStandardButtons(QMessageBox::Ok);
      break;
  }
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  switch (box.exec()) {
    case QMessageBox::Yes: return mrYes;
    case QMessageBox::No: return mrNo;
    case QMessageBox::Ok: return mrOk;
    default: return type == mtConfirmation ? mrNo : mrOk;
  }
}
