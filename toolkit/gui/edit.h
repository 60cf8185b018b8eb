#pragma once
// A one-line edit over QLineEdit; its text is in the system code page. A password character
// shows in place of every character typed. User-interface thread only.

#include "toolkit/gui/wincontrol.h"

class QLineEdit;

class TEdit : public TWinControl {
public:
  explicit TEdit(TComponent* Owner);

  std::string Text() const override;
  void setText(const std::string& text) override;
  // Whether Text is exactly what stands in the edit: the code page has every character typed.
  bool KeepsText() const;
  // 0 shows the text itself.
  char PasswordChar() const { return passwordChar_; }
  void setPasswordChar(char passwordChar);
  // 0: no limit.
  void setMaxLength(int length);

  TNotifyEvent OnChange;

protected:
  void ColorChanged() override;
  void Publish(TPropList& properties) override;

private:
  QLineEdit* edit() const;

  char passwordChar_ = 0;
};
