#include "engine/tltbase.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "engine/tbasestructure.h"
#include "engine/tbinaryfile.h"

namespace {

// Records decoded per read of the file.
constexpr int64_t kRecordsPerRead = 8192;

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
  // What grows on after this look is not read: the bound holds for what is.
  const int64_t length = file.Length();
  if (length > kLargestBaseFile) {
    ErrorText = "Read error - the file is larger than a base may be (" +
                std::to_string(kLargestBaseFile >> 20) + " MB)";
    return false;
  }
  TBaseFileHeader header;
  if (!file.Read(&header, sizeof header)) {
    ErrorText = file.getErrorText();
    return false;
  }
  if (file.Position() < static_cast<int64_t>(sizeof header)) {
    ErrorText = "Read error - the file is shorter than a base header";
    return false;
  }

  if (OnProgress) OnProgress(0);
  // Built aside and read in pieces: the base stays as it was until the whole file has been
  // read, and no copy of the file is held beside the trie.
  std::unique_ptr<TBaseStructure> root(new TBaseStructure(nullptr, TDSStructure::ctNext));
  TBaseStructure* current = root.get();
  std::vector<uint8_t> piece(kRecordsPerRead * kBaseRecordSize);
  for (int64_t position = file.Position(); length - position >= kBaseRecordSize;) {
    const int64_t wanted =
        std::min<int64_t>(piece.size(), (length - position) / kBaseRecordSize * kBaseRecordSize);
    if (!file.Read(piece.data(), wanted)) {
      ErrorText = file.getErrorText();
      return false;
    }
    const int64_t got = file.Position() - position;
    Place(piece.data(), got / kBaseRecordSize, position, length, current);
    position += got;
    // A file cut short meanwhile ends here; a part of a record is left out.
    if (got < wanted) break;
  }
  file.Close();

  delete Root;
  Root = root.release();
  Header = header;
  Root->ComputeTotals();
  if (OnProgress) OnProgress(100);
  Name = BaseName(path);
  return true;
}

void TLTBase::Place(const uint8_t* record, int64_t count, int64_t position, int64_t length,
                    TBaseStructure*& current) {
  const bool reporting = static_cast<bool>(OnProgress);
  for (int64_t i = 0; i < count; ++i, record += kBaseRecordSize) {
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
    position += kBaseRecordSize;
    if (reporting && position % 1024 == 0)
      OnProgress(static_cast<int32_t>(position * 100 / length));
  }
}
