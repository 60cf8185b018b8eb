#pragma once
// The order of sorted lists: the linguistic order of the user's locale (letters alphabetically,
// "Ё" with "Е", letter case only breaking ties). For the toolkit's own sources.

#include <QString>

class QStandardItemModel;

bool SortsBefore(const QString& a, const QString& b);
// The row at which a new text keeps the model sorted (after equal ones).
int SortedRow(const QStandardItemModel* model, const QString& text);
void SortRows(QStandardItemModel* model);
