#include "toolkit/gui/edit.h"

#include <QLineEdit>

#include "toolkit/gui/application.h"
#include "toolkit/gui/qtbridge.h"

TEdit::TEdit(TComponent* Owner) : TWinControl(Owner, new QLineEdit) {
  setColor(clWindow);
  QObject::connect(edit(), &QLineEdit::textEdited, [this] { Fire(OnChange); });
}

QLineEdit* TEdit::edit() const { return static_cast<QLineEdit*>(Handle()); }

std::string TEdit::Text() const { return FromQString(edit()->text()); }

void TEdit::setText(const std::string& text) { edit()->setText(ToQString(text)); }

bool TEdit::KeepsText() const { return ToQString(Text()) == edit()->text(); }

void TEdit::setPasswordChar(char passwordChar) {
  passwordChar_ = passwordChar;
  edit()->setEchoMode(passwordChar ? QLineEdit::Password : QLineEdit::Normal);
}

void TEdit::setMaxLength(int length) { edit()->setMaxLength(length > 0 ? length : 32767); }

void TEdit::ColorChanged() { SetBackground(QPalette::Base); }

void TEdit::Publish(TPropList& properties) {
  TWinControl::Publish(properties);
  properties.push_back(TextProperty("Text", "TCaption"));
}
