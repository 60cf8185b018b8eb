#pragma once
// A list box over QListView: a column of texts (in the system code page), optionally sorted,
// with one selected item or several. User-interface thread only.

#include <memory>

#include "toolkit/gui/strings.h"
#include "toolkit/gui/wincontrol.h"

class QListView;
class QStandardItemModel;

class TListBox : public TWinControl {
public:
  explicit TListBox(TComponent* Owner);
  ~TListBox() override;

  TStrings* Items() { return items_.get(); }
  bool Sorted() const { return items_->Sorted(); }
  void setSorted(bool sorted) { items_->setSorted(sorted); }
  // The current item, -1 for none.
  int ItemIndex() const;
  void setItemIndex(int index);
  void setMultiSelect(bool multiSelect);
  bool Selected(int index) const;
  void setItemHeight(int height);
  void setBorderless(bool borderless);

protected:
  void ColorChanged() override;
  void Publish(TPropList& properties) override;

private:
  QListView* view() const;

  QStandardItemModel* model_;
  std::unique_ptr<TStrings> items_;
};
