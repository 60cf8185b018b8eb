#include "toolkit/messagebox.h"

#include <utility>

#include "toolkit/codepage.h"

namespace {

TMessageDlgHandler& Handler() {
  static TMessageDlgHandler handler;
  return handler;
}

int& CodePage() {
  static int codePage = kSystemCodePage;
  return codePage;
}

}  // namespace

TModalResult MessageDlg(const std::string& text, TMsgDlgType type) {
  if (Handler()) return Handler()(text, type);
  return type == mtConfirmation ? mrNo : mrOk;
}

TMessageDlgHandler SetMessageDlgHandler(TMessageDlgHandler handler) {
  return std::exchange(Handler(), std::move(handler));
}

void SetMessageDlgCodePage(int codePage) { CodePage() = codePage; }

int MessageDlgCodePage() { return CodePage(); }
