#include "toolkit/gui/messageboxdialog.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <utility>

#include "toolkit/gui/application.h"
#include "toolkit/gui/qtbridge.h"

namespace {

struct TButtonTexts {
  const char* Yes;
  const char* No;
  const char* Ok;
};

// The buttons in the language of the texts' code page: Russian for Cyrillic, the language of
// the system's own texts; English for any other. Yes and No keep a mnemonic, so that their
// first letter answers.
TButtonTexts ButtonTexts(int codePage) {
  if (codePage == 1251) return {"&Да", "&Нет", "ОК"};
  return {"&Yes", "&No", "OK"};
}

}  // namespace

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
  const TButtonTexts texts = ButtonTexts(MessageDlgCodePage());
  for (auto [button, text] :
       {std::pair{QMessageBox::Yes, texts.Yes}, std::pair{QMessageBox::No, texts.No},
        std::pair{QMessageBox::Ok, texts.Ok}})
    if (QAbstractButton* shown = box.button(button)) shown->setText(QString::fromUtf8(text));
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  switch (box.exec()) {
    case QMessageBox::Yes: return mrYes;
    case QMessageBox::No: return mrNo;
    case QMessageBox::Ok: return mrOk;
    default: return type == mtConfirmation ? mrNo : mrOk;
  }
}
