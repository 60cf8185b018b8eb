#pragma once
// Whole-file reads, and the atomic replacement of every file the program rewrites (INI files,
// lists, logs), so that a crash or a full disk never leaves half a file behind: the program's
// file system (platform/filesystem.h) with the system's error texts. Safe for concurrent use on
// different files.

#include <string>

// The bytes of a regular file. False, with `content` empty and `error` (when given) set to the
// system's text, when the file cannot be opened or read, and at once, without waiting, when the
// path names a folder, a FIFO or a device.
bool ReadFileBytes(const std::string& path, std::string& content, std::string* error = nullptr);

// Writes `content` to a new file beside `path`, flushes it to the disk and renames it over
// `path` (a symbolic link is followed and its target replaced). A reader sees the old content or
// the new one, never a mix. On failure the old file is untouched, the temporary file is removed,
// and the result is false with `error` set to the system's text. The first successful
// replacement in a folder in a process also removes the temporary files that earlier writers,
// killed in the middle, left there.
bool ReplaceFile(const std::string& path, const std::string& content, std::string& error);

// A file (anything but a folder) stands at the path; links are followed.
bool FileExists(const std::string& path);
// A folder stands at the path; links are followed.
bool DirectoryExists(const std::string& path);
