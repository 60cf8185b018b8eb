#include "toolkit/gui/combobox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QStandardItemModel>

#include "toolkit/codepage.h"

namespace {

// While the list is open, Enter and Esc are the list's own. They come to the window with the
// list as its focus, but as shortcuts first, and the window's confirming and closing actions
// would take them before the list hears them: the list takes them here, at that first step.
class TOpenListKeys final : public QObject {
public:
  explicit TOpenListKeys(QComboBox* box) : QObject(box), Box(box) {}

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride || !Box->view()->isVisible()) return false;
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter: {
        const int chosen = Box->view()->currentIndex().row();
        Box->hidePopup();
        if (chosen >= 0) {
          Box->setCurrentIndex(chosen);
          emit Box->activated(chosen);
        }
        break;
      }
      case Qt::Key_Escape: Box->hidePopup(); break;
      default: return false;
    }
    event->accept();
    return true;
  }

private:
  QComboBox* Box;
};

}  // namespace

TComboBox::TComboBox(TComponent* Owner) : TWinControl(Owner, new QComboBox) {
  auto* openListKeys = new TOpenListKeys(box());
  box()->installEventFilter(openListKeys);
  box()->view()->installEventFilter(openListKeys);
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
