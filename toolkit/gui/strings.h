#pragma once
// The texts a control lists (the items of a list box or combo box), read and changed through
// the control. A sorted list puts each new text in its place (letter case only breaking ties).
// User-interface thread only.

#include <memory>
#include <string>

#include "toolkit/gui/object.h"

class QStandardItemModel;

class TStrings : public TObject {
public:
  // Shows the texts of the Qt model, which the control owns; texts are in the code page.
  explicit TStrings(QStandardItemModel* model, int codePage);

  int Count() const;
  std::string Strings(int index) const;
  std::string operator[](int index) const { return Strings(index); }
  // Appends, or inserts in order when sorted; answers the index.
  int Add(const std::string& text);
  void Delete(int index);
  void Clear();
  // The first text equal without regard to letter case, or -1.
  int IndexOf(const std::string& text) const;

  // Every text followed by CR LF; setting splits at CR LF, LF or CR.
  std::string Text() const;
  void setText(const std::string& text);

  bool Sorted() const { return sorted_; }
  // Turning sorting on sorts what is there.
  void setSorted(bool sorted);

private:
  QStandardItemModel* model_;
  int codePage_;
  bool sorted_ = false;
};
