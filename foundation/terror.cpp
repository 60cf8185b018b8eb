#include "foundation/terror.h"

#include "toolkit/messagebox.h"

namespace {

constexpr size_t kCodeLength = 8;
constexpr size_t kTextStart = 10;
constexpr size_t kMaxTextLength = 1000;

uint8_t SeverityOfLetter(char letter) {
  switch (letter) {
    case 'S': return 1;
    case 'H': return 2;
    case 'C': return 3;
    case 'F': return 4;
    default: return 0;
  }
}

}  // namespace

TError::TError(const std::exception& error) {
  const std::string message = error.what();
  if (message.size() <= kCodeLength || message[kCodeLength] != '/') return;
  Code = message.substr(0, kCodeLength);
  if (message.size() > kTextStart) Text = message.substr(kTextStart, kMaxTextLength);
  if (message.size() > kCodeLength + 1) Severity = SeverityOfLetter(message[kCodeLength + 1]);
}

void TError::Show() const { MessageDlg("#" + Code, mtError); }
