#pragma once
// Shell folder services. Safe on any thread.

#include <string>

// Deletes the folder (or file) at `path` with everything in it, asking nothing and showing
// nothing; a symbolic link is removed, not followed. False when nothing stands at the path or
// anything could not be deleted.
bool DeleteFolderTree(const std::string& path);

// The user's application-data folder: $XDG_DATA_HOME when it is an absolute path, else
// ~/.local/share; empty when no home folder is known.
std::string AppDataFolder();
