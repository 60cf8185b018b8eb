#include "toolkit/gui/strings.h"

#include <QStandardItemModel>

#include "toolkit/gui/qtbridge.h"
#include "toolkit/gui/sortorder.h"
#include "toolkit/stringlist.h"
#include "toolkit/sysutils.h"

TStrings::TStrings(QStandardItemModel* model, int codePage) : model_(model), codePage_(codePage) {}

int TStrings::Count() const { return model_->rowCount(); }

std::string TStrings::Strings(int index) const {
  QStandardItem* item = model_->item(index);
  return item ? FromQString(item->text(), codePage_) : std::string();
}

int TStrings::Add(const std::string& text) {
  QString string = ToQString(text, codePage_);
  int row = sorted_ ? SortedRow(model_, string) : model_->rowCount();
  model_->insertRow(row, new QStandardItem(string));
  return row;
}

void TStrings::Delete(int index) {
  if (index >= 0 && index < Count()) model_->removeRow(index);
}

void TStrings::Clear() { model_->setRowCount(0); }

int TStrings::IndexOf(const std::string& text) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Strings(i), text)) return i;
  return -1;
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0; i < Count(); ++i) text += Strings(i) + "\r\n";
  return text;
}

void TStrings::setText(const std::string& text) {
  TStringList lines;
  lines.setText(text);
  Clear();
  for (const std::string& line : lines) Add(line);
}

void TStrings::setSorted(bool sorted) {
  sorted_ = sorted;
  if (sorted) SortRows(model_);
}
