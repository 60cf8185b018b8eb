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

// The program's file system's ReplaceFile (a new file beside `path`, on the disk, renamed over
// it; what a failure leaves is said there), false with `error` set to the system's text.
bool ReplaceFile(const std::string& path, const std::string& content, std::string& error);

// A file (anything but a folder) stands at the path; links are followed.
bool FileExists(const std::string& path);
// A folder stands at the path; links are followed.
bool DirectoryExists(const std::string& path);
