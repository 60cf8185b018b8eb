#include "toolkit/gui/listview.h"

#include <QListView>
#include <QMouseEvent>
#include <QPixmap>
#include <QStandardItemModel>

#include "toolkit/gui/application.h"
#include "toolkit/gui/imagelist.h"
#include "toolkit/gui/qtbridge.h"
#include "toolkit/gui/sortorder.h"

// Raises OnMouseDown after the view has handled the press (and moved the selection).
class TListView::View : public QListView {
public:
  TListView* owner = nullptr;

protected:
  // A row becomes current only by being chosen: a current row that is not chosen would look
  // chosen (its focus frame), and the first Up or Down would go past it. With none current,
  // Up and Down choose the first row.
  void focusInEvent(QFocusEvent* event) override {
    QListView::focusInEvent(event);
    if (!selectionModel()->hasSelection())
      selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  }

  void mousePressEvent(QMouseEvent* event) override {
    QListView::mousePressEvent(event);
    TListView* view = owner;
    if (!view || !view->OnMouseDown || !Application) return;
    TMouseButton button = ToMouseButton(event->button());
    QPoint at = event->position().toPoint();
    Application->Dispatch(view, [&] { view->OnMouseDown(view, button, 0, at.x(), at.y()); });
  }
};

std::string TListItem::Caption() const { return FromQString(item_->text()); }

int TListItem::Index() const { return item_->row(); }

bool TListItem::Selected() const { return view_->Selected() == this; }

TListView::TListView(TComponent* Owner)
    : TWinControl(Owner, new View), model_(new QStandardItemModel(Handle())) {
  view()->owner = this;
  view()->setModel(model_);
  view()->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view()->setSelectionBehavior(QAbstractItemView::SelectRows);
  view()->setSelectionMode(QAbstractItemView::SingleSelection);
  setColor(clWindow);
  QObject::connect(view()->selectionModel(), &QItemSelectionModel::selectionChanged,
                   [this](const QItemSelection& selected, const QItemSelection& deselected) {
                     if (!view()->owner || !OnSelectItem || !Application) return;
                     auto raise = [this](const QItemSelection& rows, bool selectedNow) {
                       for (const QModelIndex& index : rows.indexes())
                         Application->Dispatch(this, [&] {
                           OnSelectItem(this, ItemOf(model_->itemFromIndex(index)), selectedNow);
                         });
                     };
                     raise(deselected, false);
                     raise(selected, true);
                   });
}

TListView::~TListView() {
  // No more events for a control that is going.
  view()->owner = nullptr;
}

TListView::View* TListView::view() const { return static_cast<View*>(Handle()); }

TListItem* TListView::Add(const std::string& caption, int imageIndex) {
  QString text = ToQString(caption);
  auto* item = new QStandardItem(text);
  if (images_ && imageIndex >= 0 && imageIndex < images_->Count())
    item->setIcon(QPixmap::fromImage(images_->Image(imageIndex)));
  model_->insertRow(sorted_ ? SortedRow(model_, text) : model_->rowCount(), item);
  items_.push_back(std::unique_ptr<TListItem>(new TListItem(this, item)));
  items_.back()->imageIndex_ = imageIndex;
  return items_.back().get();
}

void TListView::Clear() {
  ClearSelection();
  model_->setRowCount(0);
  items_.clear();
}

int TListView::Count() const { return model_->rowCount(); }

TListItem* TListView::Items(int index) const { return ItemOf(model_->item(index)); }

TListItem* TListView::ItemOf(const QStandardItem* item) const {
  for (const auto& listItem : items_)
    if (listItem->item_ == item) return listItem.get();
  return nullptr;
}

TListItem* TListView::Selected() const {
  QModelIndexList rows = view()->selectionModel()->selectedRows();
  return rows.isEmpty() ? nullptr : ItemOf(model_->itemFromIndex(rows.first()));
}

void TListView::ClearSelection() { view()->selectionModel()->clearSelection(); }

void TListView::setSmallImages(TImageList* images) {
  images_ = images;
  if (images) view()->setIconSize(QSize(images->Width(), images->Height()));
}

void TListView::setBorderless(bool borderless) {
  view()->setFrameShape(borderless ? QFrame::NoFrame : QFrame::StyledPanel);
}

void TListView::ColorChanged() { SetBackground(QPalette::Base); }
