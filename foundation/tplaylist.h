#pragma once
// A list of file paths with a current entry, filled from a folder and a file mask: the wallpaper
// pictures and the theme files. Owns its list. User-interface thread only (Random reseeds the
// program's one random sequence).
//
// Invariant: when the list is not empty, the current index names one of its entries.

#include <string>

#include "toolkit/stringlist.h"

class TPlayList {
public:
  // Replaces the list with the folder's matches, subfolders included; on success the first
  // entry is current. False (and an empty list) when the folder does not exist.
  bool LoadFolder(const std::string& folder, const std::string& pattern);
  // An existing file becomes current: its own entry, else an entry equal but for letter case,
  // else a new entry appended. False, with nothing changed, when the file does not exist.
  bool Select(const std::string& fileName);
  // The current entry, after dropping entries whose file is gone; empty when none is left.
  std::string CurrentFile();
  // The entry after the current one, cyclically; empty for an empty list.
  std::string Next();
  // A random entry other than the current one (the only one of a one-entry list); empty for an
  // empty list. Reseeds the random sequence from the clock first.
  std::string Random();

  const TStringList& getFiles() const { return Files; }
  int getCurrent() const { return Current; }

private:
  TStringList Files;
  int Current = 0;
};
