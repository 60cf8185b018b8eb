#pragma once
// A report-style list view of one column without headers: rows with a caption (system code
// page) and a picture of the small-image list, whole rows selected, optionally sorted by
// caption. OnMouseDown comes after the view has moved its selection to the row pressed. No row
// looks chosen until one is; with none chosen, Up and Down choose the first.
// Owns its items; user-interface thread only.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/gui/wincontrol.h"

class QStandardItem;
class QStandardItemModel;
class TImageList;
class TListView;

class TListItem {
public:
  std::string Caption() const;
  int ImageIndex() const { return imageIndex_; }
  int Index() const;
  bool Selected() const;

private:
  friend class TListView;
  TListItem(TListView* view, QStandardItem* item) : view_(view), item_(item) {}
  TListView* view_;
  QStandardItem* item_;
  int imageIndex_ = -1;
};

using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;

class TListView : public TWinControl {
public:
  explicit TListView(TComponent* Owner);
  ~TListView() override;

  // Adds a row, in its sorted place when SortByCaption is on.
  TListItem* Add(const std::string& caption, int imageIndex);
  void Clear();
  int Count() const;
  // By row, from the top.
  TListItem* Items(int index) const;
  // The selected row, or none.
  TListItem* Selected() const;
  void ClearSelection();
  void setSmallImages(TImageList* images);
  void setSortByCaption(bool sorted) { sorted_ = sorted; }
  void setBorderless(bool borderless);

  TLVSelectItemEvent OnSelectItem;

protected:
  void ColorChanged() override;

private:
  friend class TListItem;
  class View;
  TListItem* ItemOf(const QStandardItem* item) const;
  View* view() const;

  QStandardItemModel* model_;
  std::vector<std::unique_ptr<TListItem>> items_;
  TImageList* images_ = nullptr;
  bool sorted_ = false;
};
