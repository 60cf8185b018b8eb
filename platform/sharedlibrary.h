#pragma once
// A shared library opened by the system's loader when it is first needed, for a dependency only
// some runs use: the program then starts without loading it and all that it pulls in. It stays
// loaded for the life of the process. Any thread.

class TSharedLibrary {
public:
  // Opens the library by its file name (a soname is looked up as the loader looks up others).
  explicit TSharedLibrary(const char* fileName);
  TSharedLibrary(const TSharedLibrary&) = delete;
  TSharedLibrary& operator=(const TSharedLibrary&) = delete;

  bool Loaded() const { return Handle != nullptr; }
  // The address of a function of the library or of a library it loads; null when missing.
  void* Symbol(const char* name) const;

private:
  void* Handle;
};
