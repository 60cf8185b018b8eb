#include "toolkit/gui/sortorder.h"

#include <QStandardItemModel>

bool SortsBefore(const QString& a, const QString& b) {
  int order = a.compare(b, Qt::CaseInsensitive);
  return order != 0 ? order < 0 : a.compare(b, Qt::CaseSensitive) < 0;
}

int SortedRow(const QStandardItemModel* model, const QString& text) {
  int row = 0;
  while (row < model->rowCount() && !SortsBefore(text, model->item(row)->text())) ++row;
  return row;
}

void SortRows(QStandardItemModel* model) {
  QList<QList<QStandardItem*>> rows;
  while (model->rowCount() > 0) rows.append(model->takeRow(0));
  std::stable_sort(rows.begin(), rows.end(),
                   [](const auto& a, const auto& b) { return SortsBefore(a[0]->text(), b[0]->text()); });
  for (const auto& row : rows) model->appendRow(row);
}
