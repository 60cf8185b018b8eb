#include "toolkit/gui/listbox.h"

#include <QListView>
#include <QStandardItemModel>

#include "toolkit/codepage.h"

TListBox::TListBox(TComponent* Owner)
    : TWinControl(Owner, new QListView),
      model_(new QStandardItemModel(Handle())),
      items_(std::make_unique<TStrings>(model_, kSystemCodePage)) {
  view()->setModel(model_);
  view()->setEditTriggers(QAbstractItemView::NoEditTriggers);
  setColor(clWindow);
  // The list view takes the mouse on its viewport, so its clicks come from its signals.
  QObject::connect(view(), &QListView::clicked, [this] { Fire(OnClick); });
  QObject::connect(view(), &QListView::doubleClicked, [this] { Fire(OnDblClick); });
}

TListBox::~TListBox() = default;

QListView* TListBox::view() const { return static_cast<QListView*>(Handle()); }

int TListBox::ItemIndex() const {
  QModelIndex current = view()->currentIndex();
  return current.isValid() ? current.row() : -1;
}

void TListBox::setItemIndex(int index) { view()->setCurrentIndex(model_->index(index, 0)); }

void TListBox::setMultiSelect(bool multiSelect) {
  view()->setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection
                                       : QAbstractItemView::SingleSelection);
}

bool TListBox::Selected(int index) const {
  return view()->selectionModel()->isSelected(model_->index(index, 0));
}

void TListBox::setItemHeight(int height) {
  view()->setUniformItemSizes(true);
  view()->setStyleSheet(QString("QListView::item { height: %1px; }").arg(height));
}

void TListBox::setBorderless(bool borderless) {
  view()->setFrameShape(borderless ? QFrame::NoFrame : QFrame::StyledPanel);
}

void TListBox::ColorChanged() { SetBackground(QPalette::Base); }

void TListBox::Publish(TPropList& properties) {
  TWinControl::Publish(properties);
  properties.push_back(ObjectProperty("Items", "TStrings", [this] { return items_.get(); }));
}
