#include "toolkit/gui/combobox.h"

#include <QComboBox>
#include <QStandardItemModel>

#include "toolkit/codepage.h"

TComboBox::TComboBox(TComponent* Owner) : TWinControl(Owner, new QComboBox) {
  auto* model = new QStandardItemModel(box());
  box()->setModel(model);
  items_ = std::make_unique<TStrings>(model, kSystemCodePage);
  QObject::connect(box(), &QComboBox::activated, [this] { Fire(OnChange); });
}

TComboBox::~TComboBox() = default;

QComboBox* TComboBox::box() const { return static_cast<QComboBox*>(Handle()); }

int TComboBox::ItemIndex() const { return box()->currentIndex(); }

void TComboBox::setItemIndex(int index) { box()->setCurrentIndex(index); }

void TComboBox::Publish(TPropList& properties) {
  TWinControl::Publish(properties);
  properties.push_back(ObjectProperty("Items", "TStrings", [this] { return items_.get(); }));
}
