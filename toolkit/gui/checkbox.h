#pragma once
// A check box over QCheckBox, its caption in the system code page. OnClick comes when the user
// toggles it and, as in the class library, when the program changes Checked (then directly,
// so an error passes to the program). User-interface thread only.

#include "toolkit/gui/wincontrol.h"

class QCheckBox;

class TCheckBox : public TWinControl {
public:
  explicit TCheckBox(TComponent* Owner);

  bool Checked() const;
  void setChecked(bool checked);

protected:
  bool WidgetEvent(QEvent* event) override;
  void TextChanged() override;
  void ColorChanged() override;
  void Publish(TPropList& properties) override;

private:
  QCheckBox* box() const;
};
