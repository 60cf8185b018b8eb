#include "toolkit/stringlist.h"

#include <algorithm>

#include "toolkit/fileio.h"
#include "toolkit/sysutils.h"

namespace {

bool LessText(const std::string& a, const std::string& b) { return CompareText(a, b) < 0; }

}  // namespace

void TStringList::CheckIndex(int index, int limit) const {
  if (index < 0 || index >= limit)
    throw EListError("List index out of bounds (" + IntToStr(index) + ")");
}

void TStringList::CheckUnsorted() const {
  if (IsSorted) throw EListError("Operation not allowed on sorted list");
}

const std::string& TStringList::Strings(int index) const {
  CheckIndex(index, Count());
  return Items[index];
}

void TStringList::setStrings(int index, const std::string& text) {
  CheckUnsorted();
  CheckIndex(index, Count());
  Items[index] = text;
}

int TStringList::Add(const std::string& text) {
  if (!IsSorted) {
    Items.push_back(text);
    return Count() - 1;
  }
  auto at = std::lower_bound(Items.begin(), Items.end(), text, LessText);
  if (at == Items.end() || !SameText(*at, text)) at = Items.insert(at, text);
  return static_cast<int>(at - Items.begin());
}

void TStringList::Insert(int index, const std::string& text) {
  CheckUnsorted();
  CheckIndex(index, Count() + 1);
  Items.insert(Items.begin() + index, text);
}

void TStringList::Delete(int index) {
  CheckIndex(index, Count());
  Items.erase(Items.begin() + index);
}

int TStringList::IndexOf(const std::string& text) const {
  if (IsSorted) {
    auto at = std::lower_bound(Items.begin(), Items.end(), text, LessText);
    return at != Items.end() && SameText(*at, text) ? static_cast<int>(at - Items.begin()) : -1;
  }
  for (int i = 0; i < Count(); ++i)
    if (SameText(Items[i], text)) return i;
  return -1;
}

int TStringList::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    size_t equals = Items[i].find('=');
    if (equals != std::string::npos && SameText(Items[i].substr(0, equals), name)) return i;
  }
  return -1;
}

std::string TStringList::Names(int index) const {
  const std::string& entry = Strings(index);
  size_t equals = entry.find('=');
  return equals == std::string::npos ? std::string() : entry.substr(0, equals);
}

std::string TStringList::ValueFromIndex(int index) const {
  const std::string& entry = Strings(index);
  size_t equals = entry.find('=');
  return equals == std::string::npos ? std::string() : entry.substr(equals + 1);
}

std::string TStringList::Values(const std::string& name) const {
  int index = IndexOfName(name);
  return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStringList::setValue(const std::string& name, const std::string& value) {
  int index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0) Delete(index);
  } else if (index < 0) {
    Add(name + "=" + value);
  } else if (IsSorted) {
    // The new entry may sort elsewhere.
    Delete(index);
    Add(name + "=" + value);
  } else {
    Items[index] = name + "=" + value;
  }
}

void TStringList::setSorted(bool sorted) {
  if (sorted && !IsSorted) std::stable_sort(Items.begin(), Items.end(), LessText);
  IsSorted = sorted;
}

std::string TStringList::Text() const {
  std::string text;
  for (const std::string& item : Items) text += item + "\r\n";
  return text;
}

void TStringList::setText(const std::string& text) {
  Items.clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    Add(text.substr(start, end - start));
    start = end + 1;
    if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n')
      ++start;
  }
}

void TStringList::LoadFromFile(const std::string& fileName) {
  std::string content, error;
  if (!ReadFileBytes(fileName, content, &error))
    throw Exception("Cannot open file \"" + fileName + "\". " + error);
  setText(content);
}

void TStringList::SaveToFile(const std::string& fileName) const {
  std::string error;
  if (!ReplaceFile(fileName, Text(), error))
    throw Exception("Cannot create file \"" + fileName + "\". " + error);
}
