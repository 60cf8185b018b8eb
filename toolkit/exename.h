#pragma once
// The program file's full path (the application's ExeName). User-interface thread only.

#include <string>

// The target of /proc/self/exe, unless a test set another path; empty when the file system
// cannot follow that link.
std::string ExeName();
// Makes ExeName answer `path` (a test's stand-in program); the empty text restores the real one.
void SetExeName(const std::string& path);
