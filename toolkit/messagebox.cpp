#include "toolkit/messagebox.h"

#include <utility>

namespace {

TMessageDlgHandler& Handler() {
  static TMessageDlgHandler handler;
  return handler;
}

}  // namespace

TModalResult MessageDlg(const std::string& text, TMsgDlgType type) {
  if (Handler()) return Handler()(text, type);
  return type == mtConfirmation ? mrNo : mrOk;
}

TMessageDlgHandler SetMessageDlgHandler(TMessageDlgHandler handler) {
  return std::exchange(Handler(), std::move(handler));
}
