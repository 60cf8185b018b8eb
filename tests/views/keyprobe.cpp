// A small program for the X11 keyboard test: a window with a focused edit, an Esc action and
// the on-screen keyboard. Prints "ready" once its window is active, then one line per key event
// as the keyboard hands it on ("key <scan code> <virtual key> <character in hex> <down>"),
// after the release of Caps Lock what the keyboard's A key shows then ("shows <its text in
// hex>", the letter case before any other key tells the lock), and "action" when the Esc action
// runs. F11 has an action too, but the keyboard's handler swallows
// the key. Ends at the release of F12, or after 30 seconds, printing what the system's layout
// typed into the edit ("text <its bytes in hex>", in the window texts' code page). The argument,
// when given, is a layout file for the keyboard.

#include <QTimer>
#include <QWidget>

#include <cstdarg>
#include <cstdio>

#include "toolkit/gui/action.h"
#include "toolkit/gui/application.h"
#include "toolkit/gui/edit.h"
#include "toolkit/gui/form.h"
#include "views/tltkeyboard.h"

namespace {

constexpr int kA = 30, kCapsLock = 58, kF11 = 87, kF12 = 88;
constexpr int kEscCode = 27, kF11Code = 0x7A;
constexpr int kWaitForActiveMs = 20, kGiveUpMs = 30000;

[[gnu::format(printf, 1, 2)]] void Print(const char* format, ...) {
  va_list values;
  va_start(values, format);
  std::vprintf(format, values);
  va_end(values);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  TApplication application(argc, argv);
  auto* form = Application->CreateForm<TForm>();
  form->SetBounds(0, 0, 600, 200);
  auto* edit = new TEdit(form);
  edit->setParent(form);
  auto* escape = new TAction(form);
  escape->setShortCut(kEscCode);
  escape->OnExecute = [](TObject*) { Print("action\n"); };
  auto* swallowed = new TAction(form);
  swallowed->setShortCut(kF11Code);
  swallowed->OnExecute = [](TObject*) { Print("action F11\n"); };
  auto* keyboard = new TLTKeyboard(form, form);
  if (argc > 1) keyboard->LoadLayout(argv[1]);
  keyboard->setEnabled(true);
  keyboard->OnKeyboard = [edit, keyboard](uint32_t, int scanCode, int virtualKey, char character,
                                          bool down) {
    Print("key %d %d %02x %d\n", scanCode, virtualKey, static_cast<unsigned char>(character),
          down ? 1 : 0);
    if (scanCode == kCapsLock && !down) {
      Print("shows ");
      for (unsigned char shown : keyboard->getButtonBySC(kA)->getText()) Print("%02x", shown);
      Print("\n");
    }
    if (scanCode == kF12 && !down) {
      Print("text ");
      for (unsigned char typed : edit->Text()) Print("%02x", typed);
      Print("\n");
      Application->Terminate();
    }
    return scanCode != kF11;
  };
  form->Show();
  form->Handle()->activateWindow();
  edit->SetFocus();

  QTimer ready;
  QObject::connect(&ready, &QTimer::timeout, [&] {
    if (!form->Handle()->isActiveWindow()) return;
    ready.stop();
    Print("ready\n");
  });
  ready.start(kWaitForActiveMs);
  QTimer::singleShot(kGiveUpMs, [] { Application->Terminate(); });
  Application->Run();
  return 0;
}
