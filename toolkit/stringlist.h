#pragma once
// The class library's string list: an ordered list of 8-bit texts, optionally kept sorted, with
// case-insensitive lookup and name=value entries. A value type; one thread at a time.

#include <string>
#include <vector>

#include "toolkit/exception.h"

// An index outside the list, or an operation a sorted list does not allow.
class EListError : public Exception {
public:
  using Exception::Exception;
};

class TStringList {
public:
  int Count() const { return static_cast<int>(Items.size()); }
  // Raise EListError "List index out of bounds (i)" for an index outside the list.
  const std::string& Strings(int index) const;
  void setStrings(int index, const std::string& text);

  // A sorted list inserts in order and ignores a text it already holds (returning its index).
  int Add(const std::string& text);
  void Insert(int index, const std::string& text);
  void Delete(int index);
  void Clear() { Items.clear(); }
  // Room for that many entries without allocating the list anew.
  int Capacity() const { return static_cast<int>(Items.capacity()); }
  void setCapacity(int capacity) { Items.reserve(capacity); }

  // Index of the first entry equal without regard to letter case, or -1.
  int IndexOf(const std::string& text) const;

  // Name=value entries: the name is the text before the first "=", compared without regard to
  // letter case; an entry without "=" has no name.
  int IndexOfName(const std::string& name) const;
  std::string Names(int index) const;
  std::string ValueFromIndex(int index) const;
  // The value of the first entry of that name; empty when there is none.
  std::string Values(const std::string& name) const;
  // Replaces the named entry's value or adds name=value; an empty value deletes the entry.
  void setValue(const std::string& name, const std::string& value);

  bool Sorted() const { return IsSorted; }
  // Turning sorting on sorts the list (without regard to letter case).
  void setSorted(bool sorted);

  // Every entry followed by CR LF.
  std::string Text() const;
  // Splits at CR LF, LF or CR; a last line without a break is an entry too.
  void setText(const std::string& text);

  // Raise Exception "Cannot open file ..." / "Cannot create file ..." on failure; the save
  // replaces the file atomically, so a failed save leaves the old file as it was.
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

  std::vector<std::string>::const_iterator begin() const { return Items.begin(); }
  std::vector<std::string>::const_iterator end() const { return Items.end(); }

private:
  void CheckIndex(int index, int limit) const;
  void CheckUnsorted() const;

  std::vector<std::string> Items;
  bool IsSorted = false;
};
