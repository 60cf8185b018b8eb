#include "foundation/tplaylist.h"

#include "foundation/filetools.h"
#include "toolkit/fileio.h"
#include "toolkit/random.h"

bool TPlayList::LoadFolder(const std::string& folder, const std::string& pattern) {
  bool found = FindFiles(folder, pattern, true, Files);
  if (found) Current = 0;
  return found;
}

bool TPlayList::Select(const std::string& fileName) {
  if (!FileExists(fileName)) return false;
  // The entry of this very file first; one equal but for letter case only where none is.
  int index = -1;
  for (int i = 0; i < Files.Count() && index < 0; ++i)
    if (Files.Strings(i) == fileName) index = i;
  if (index < 0) index = Files.IndexOf(fileName);
  Current = index >= 0 ? index : Files.Add(fileName);
  return true;
}

std::string TPlayList::CurrentFile() {
  while (Files.Count() > 0 && !FileExists(Files.Strings(Current))) {
    Files.Delete(Current);
    if (Files.Count() > 0) Current %= Files.Count();
  }
  return Files.Count() > 0 ? Files.Strings(Current) : std::string();
}

std::string TPlayList::Next() {
  if (Files.Count() == 0) return "";
  Current = (Current + 1) % Files.Count();
  return Files.Strings(Current);
}

std::string TPlayList::Random() {
  Randomize();
  const int count = Files.Count();
  if (count == 0) return "";
  if (count == 1) {
    Current = 0;
  } else {
    // Draws from all but one place; the current entry's draw stands for the last entry.
    int pick = Random31() % (count - 1);
    Current = pick == Current ? count - 1 : pick;
  }
  return Files.Strings(Current);
}
