#include "toolkit/gui/sortorder.h"

#include <QCollator>
#include <QLocale>
#include <QStandardItemModel>

namespace {

// The collation of the user's locale; the C locale has none of its own (it would order by
// code, "Ё" before "А"), so it takes the common one of every language.
// Letter case is left to the tie-break.
const QCollator& Collation() {
  static const QCollator collator = [] {
    QCollator made(QLocale::system().language() == QLocale::C ? QLocale(QLocale::English)
                                                              : QLocale::system());
    made.setCaseSensitivity(Qt::CaseInsensitive);
    return made;
  }();
  return collator;
}

}  // namespace

bool SortsBefore(const QString& a, const QString& b) {
  int order = Collation().compare(a, b);
  return order != 0 ? order < 0 : a < b;
}

int SortedRow(const QStandardItemModel* model, const QString& text) {
  int row = 0;
  while (row < model->rowCount() && !SortsBefore(text, model->item(row)->text())) ++row;
  return row;
}

void SortRows(QStandardItemModel* model) {
  QList<QList<QStandardItem*>> rows;
  while (model->rowCount() > 0) rows.append(model->takeRow(0));
  std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
    return SortsBefore(a[0]->text(), b[0]->text());
  });
  for (const auto& row : rows) model->appendRow(row);
}
