#include "toolkit/gui/imagecombobox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPixmap>

#include "toolkit/gui/imagelist.h"
#include "toolkit/gui/qtbridge.h"

TImageComboBox::TImageComboBox(TComponent* Owner) : TComboBox(Owner) {}

void TImageComboBox::setImages(TImageList* images) {
  images_ = images;
  if (images) box()->setIconSize(QSize(images->Width(), images->Height()));
}

void TImageComboBox::AddItem(const std::string& text, int imageIndex) {
  QImage image = images_ ? images_->Image(imageIndex) : QImage();
  box()->addItem(image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image)), ToQString(text));
}

void TImageComboBox::setDropDownWidth(int width) { box()->view()->setMinimumWidth(width); }

void TImageComboBox::Publish(TPropList& properties) { TWinControl::Publish(properties); }
