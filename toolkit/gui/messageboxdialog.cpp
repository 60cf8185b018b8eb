#include "toolkit/gui/messageboxdialog.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <cstdint>
#include <utility>

#include "platform/clock.h"
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

// An error comes unasked, often under the hands of a typist, whose next Space or Enter would
// close it unread: for its first half second, by the platform's clock, the box takes neither.
class TKeysHeldBack final : public QObject {
public:
  explicit TKeysHeldBack(QMessageBox& box) : Box(box) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &Box && event->type() == QEvent::Show) Shown = Clock().TickCount();
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    return Clock().TickCount() - Shown < kHeldMs;
  }

private:
  static constexpr uint32_t kHeldMs = 500;
  QMessageBox& Box;
  uint32_t Shown = Clock().TickCount();
};

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
  // The buttons take the keys first: Space presses the focused one, Enter the default one.
  TKeysHeldBack heldBack(box);
  if (type == mtError) {
    box.installEventFilter(&heldBack);
    for (QAbstractButton* button : box.buttons()) button->installEventFilter(&heldBack);
  }
  switch (box.exec()) {
    case QMessageBox::Yes: return mrYes;
    case QMessageBox::No: return mrNo;
    case QMessageBox::Ok: return mrOk;
    default: return type == mtConfirmation ? mrNo : mrOk;
  }
}
