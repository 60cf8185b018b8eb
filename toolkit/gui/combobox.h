#pragma once
// A drop-down list over QComboBox: texts in the system code page, one chosen. OnChange comes
// when the user picks an item, not when the program sets ItemIndex. User-interface thread only.

#include <memory>

#include "toolkit/gui/strings.h"
#include "toolkit/gui/wincontrol.h"

class QComboBox;
class QStandardItemModel;

class TComboBox : public TWinControl {
public:
  explicit TComboBox(TComponent* Owner);
  ~TComboBox() override;

  TStrings* Items() { return items_.get(); }
  // -1 for none.
  int ItemIndex() const;
  void setItemIndex(int index);

  TNotifyEvent OnChange;

protected:
  QComboBox* box() const;
  void Publish(TPropList& properties) override;

private:
  std::unique_ptr<TStrings> items_;
};
