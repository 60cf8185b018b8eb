#pragma once
// File search and folder tools. User-interface thread only (IsFolderWritable draws from the
// program's one random sequence).

#include <string>

class TStringList;

// True when a new folder can be made inside `folder`: a probe folder "~N~" is made and removed.
// A folder on a full disk (or over its quota) counts as writable.
bool IsFolderWritable(const std::string& folder);

// Empties `list` and fills it with folder + "/" + name of every entry of the folder that matches
// `pattern` ("*" and "?", letter case ignored; a trailing ".*" also matches names without an
// extension) and is not a folder, in name order regardless of letter case. With `recursive` the
// matches of every subfolder come first, depth first in name order, each folder visited once
// even through links. An empty folder text searches the current folder and gives bare names.
// False, with the list empty, when the folder does not exist, or it or a folder below it cannot
// be listed.
bool FindFiles(const std::string& folder, const std::string& pattern, bool recursive,
               TStringList& list);

// Deletes the folder with everything in it, silently; true on success.
bool DeleteFolder(const std::string& path);
