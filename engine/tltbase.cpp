#include "engine/tltbase.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "engine/tbasestructure.h"
#include "engine/tbinaryfile.h"

namespace {

// The file name without folders and without everything from its last dot on.
std::string BaseName(const std::string& path) {
  std::string name = path.substr(path.find_last_of('/') + 1);
  size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

TLTBase::TLTBase() : Header{}, Root(new TBaseStructure(nullptr, TDSStructure::ctNext)) {
  ToShortString("English", Header.LanguageName);
  Header.Order = 4;
}

TLTBase::~TLTBase() { delete Root; }

std::string TLTBase::getLanguageName() const { return FromShortString(Header.LanguageName); }

bool TLTBase::LoadFromFile(const std::string& path) {
  TBinaryFile file;
  if (!file.Open(path, TBinaryFile::ofRead)) {
    ErrorText = file.getErrorText();
    return false;
  }
  // One read of the whole file: the records are decoded from memory, and nothing changes
  // before the file has been read.
  const int64_t length = file.Length();
  std::unique_ptr<uint8_t[]> data(new uint8_t[length > 0 ? length : 1]);
  if (!file.Read(data.get(), length)) {
    ErrorText = file.getErrorText();
    return false;
  }
  const int64_t size = std::min(file.Position(), length);
  file.Close();
  if (size < static_cast<int64_t>(sizeof(TBaseFileHeader))) {
    ErrorText = "Read error - the file is shorter than a base header";
    return false;
  }

  if (OnProgress) OnProgress(0);
  delete Root;
  Root = new TBaseStructure(nullptr, TDSStructure::ctNext);
  std::memcpy(&Header, data.get(), sizeof Header);
  Build(data.get(), size, length);
  Root->ComputeTotals();
  if (OnProgress) OnProgress(100);
  Name = BaseName(path);
  return true;
}

void TLTBase::Build(const uint8_t* data, int64_t size, int64_t length) {
  const int64_t records = (size - static_cast<int64_t>(sizeof(TBaseFileHeader))) / kBaseRecordSize;
  const uint8_t* record = data + sizeof(TBaseFileHeader);
  const bool reporting = static_cast<bool>(OnProgress);
  TBaseStructure* current = Root;
  for (int64_t i = 0; i < records; ++i, record += kBaseRecordSize) {
    const TBaseRecord decoded = DecodeBaseRecord(record);
    const int level = decoded.Level;
    if (level == current->getLevel()) {
      current->AddNext();
      current = static_cast<TBaseStructure*>(current->getNext());
    } else if (level > current->getLevel()) {
      // One level down, whatever the record claims.
      current->AddSub();
      current = static_cast<TBaseStructure*>(current->getSub());
    } else {
      // Back through earlier siblings and parents; levels fall one by one on that way, so the
      // walk stops at the root at the latest.
      TDSStructure* node = current;
      while (node->getLevel() != level && node->getPrev()) node = node->getPrev();
      node->AddNext();
      current = static_cast<TBaseStructure*>(node->getNext());
    }
    current->setCount(decoded.Count);
    current->setLetter(decoded.Letter);
    const int64_t position = record + kBaseRecordSize - data;
    if (reporting && position % 1024 == 0)
      OnProgress(static_cast<int32_t>(position * 100 / length));
  }
}
