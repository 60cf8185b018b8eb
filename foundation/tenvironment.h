#pragma once
// Every folder and file path of the system, and the two stores that live for the whole run:
// the main INI file (writable) and the localization file (read-only), both owned. The program
// folder holds what the installation ships; the data folder, where the system writes, is the
// program folder when it is writable and lies outside /usr (a portable installation), else
// "Lomtak" in the user's application-data folder.
// Paths are computed on every call; nothing raises. User-interface thread only.

#include <memory>
#include <string>

class TIniOptions;

class TEnvironment {
public:
  // Fixes the program and application-data folders and opens both stores; choosing the main
  // INI file's place may create the data folder.
  TEnvironment();
  ~TEnvironment();

  TIniOptions* getOptions() const { return Options.get(); }
  TIniOptions* getLocalization() const { return Localization.get(); }

  std::string getProgramDir() const { return ProgramDir; }
  std::string getOptionsFileName() const;
  std::string getLocalizationFileName() const;
  std::string getManualFileName() const;
  std::string getCoursesDir() const;
  std::string getWallpapersDir() const;
  std::string getSoundsDir() const;
  std::string getThemesDir() const;
  // Probes the program folder again on every call; one whose real path, links resolved, lies
  // in /usr is never the data folder, even where root may write there.
  std::string getDataDir() const;
  // "UsersDirectory" of section "Environment" when that folder is usable, else the data
  // folder's "Users".
  std::string getUsersDir() const;

  // Makes the folder (with its parents) when missing; true when it exists and is writable.
  bool isUsableDir(const std::string& folder) const;

private:
  std::string ProgramDir;
  std::string AppDataDir;
  std::unique_ptr<TIniOptions> Options;
  std::unique_ptr<TIniOptions> Localization;
};
