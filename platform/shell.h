#pragma once
// Shell folder services. Safe on any thread. Deleting a folder tree is the file system's
// (platform/filesystem.h).

#include <string>

// The user's application-data folder: $XDG_DATA_HOME when it is an absolute path, else
// ~/.local/share; empty when no home folder is known.
std::string AppDataFolder();
