#include "toolkit/gui/action.h"

#include <QAction>
#include <QWidget>

#include "toolkit/gui/application.h"
#include "toolkit/gui/form.h"

namespace {

// The Qt keys of a virtual-key code; Enter also stands for the keypad's.
QList<QKeySequence> KeysOf(TShortCut shortCut) {
  int vk = shortCut & 0xFF;
  int key = 0;
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) {
    key = vk;
  } else if (vk >= 0x70 && vk <= 0x7B) {
    key = Qt::Key_F1 + (vk - 0x70);
  } else {
    switch (vk) {
      case 0x08: key = Qt::Key_Backspace; break;
      case 0x09: key = Qt::Key_Tab; break;
      case 0x0D: key = Qt::Key_Return; break;
      case 0x1B: key = Qt::Key_Escape; break;
      case 0x20: key = Qt::Key_Space; break;
      case 0x21: key = Qt::Key_PageUp; break;
      case 0x22: key = Qt::Key_PageDown; break;
      case 0x23: key = Qt::Key_End; break;
      case 0x24: key = Qt::Key_Home; break;
      case 0x25: key = Qt::Key_Left; break;
      case 0x26: key = Qt::Key_Up; break;
      case 0x27: key = Qt::Key_Right; break;
      case 0x28: key = Qt::Key_Down; break;
      case 0x2D: key = Qt::Key_Insert; break;
      case 0x2E: key = Qt::Key_Delete; break;
      default: return {};
    }
  }
  int modifiers = 0;
  if (shortCut & scShift) modifiers |= Qt::SHIFT;
  if (shortCut & scCtrl) modifiers |= Qt::CTRL;
  if (shortCut & scAlt) modifiers |= Qt::ALT;
  QList<QKeySequence> keys{QKeySequence(key | modifiers)};
  if (key == Qt::Key_Return) keys.append(QKeySequence(Qt::Key_Enter | modifiers));
  return keys;
}

}  // namespace

TAction::TAction(TComponent* Owner) : TComponent(Owner), action_(std::make_unique<QAction>()) {
  action_->setShortcutContext(Qt::WindowShortcut);
  if (TForm* form = OwnerForm(Owner)) form->Handle()->addAction(action_.get());
  QObject::connect(action_.get(), &QAction::triggered, [this] {
    if (Application) Application->Dispatch(this, [this] { Execute(); });
  });
}

TAction::~TAction() = default;

void TAction::setEnabled(bool enabled) {
  enabled_ = enabled;
  action_->setEnabled(enabled);
}

void TAction::setShortCut(TShortCut shortCut) {
  shortCut_ = shortCut;
  action_->setShortcuts(KeysOf(shortCut));
}

bool TAction::Execute() {
  if (!enabled_ || !OnExecute) return false;
  OnExecute(this);
  return true;
}

void TAction::Publish(TPropList& properties) {
  TComponent::Publish(properties);
  properties.push_back(StringProperty("Caption", "TCaption", &caption_));
  properties.push_back(StringProperty("Hint", "String", &hint_));
}
