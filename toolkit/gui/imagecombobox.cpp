#include "toolkit/gui/imagecombobox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyledItemDelegate>

#include "toolkit/gui/imagelist.h"
#include "toolkit/gui/qtbridge.h"

namespace {

constexpr int kItemHeight = 20;

// Draws a row of the list as the box's own: the picture alone, on the row's background.
class TPictureItems final : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const bool chosen = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect,
                      option.palette.brush(chosen ? QPalette::Highlight : QPalette::Base));
    const QIcon picture = index.data(Qt::DecorationRole).value<QIcon>();
    picture.paint(painter, QRect(option.rect.left() + 2, option.rect.top(),
                                 option.decorationSize.width(), option.rect.height()));
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return QSize(option.decorationSize.width() + 4, kItemHeight);
  }
};

}  // namespace

TImageComboBox::TImageComboBox(TComponent* Owner) : TComboBox(Owner) {
  // A list of its own size below the box, not the style's column over the whole screen.
  box()->setStyleSheet("QComboBox { combobox-popup: 0; }");
  // The list was made for the style's column, which scrolls without a bar.
  box()->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  box()->view()->setItemDelegate(new TPictureItems(box()->view()));
}

void TImageComboBox::setImages(TImageList* images) {
  images_ = images;
  if (images) box()->setIconSize(QSize(images->Width(), images->Height()));
}

void TImageComboBox::AddItem(const std::string& text, int imageIndex) {
  QImage image = images_ ? images_->Image(imageIndex) : QImage();
  box()->addItem(image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image)), ToQString(text));
}

void TImageComboBox::setDropDownWidth(int width) { box()->view()->window()->setFixedWidth(width); }

void TImageComboBox::Publish(TPropList& properties) { TWinControl::Publish(properties); }
