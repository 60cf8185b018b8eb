#pragma once
// Puts the C library's numbers under a locale whose decimal point is a comma while it lives, as
// a Qt application does on a German or Russian desktop. Where no such locale is installed one
// is compiled into a temporary folder with localedef. ok() is false where neither works.

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>

#include "support/scopedenv.h"
#include "support/tempdir.h"

class CommaLocale {
public:
  CommaLocale() : Saved(std::setlocale(LC_NUMERIC, nullptr)) {
    for (const char* name : {"de_DE.UTF-8", "ru_RU.UTF-8", "fr_FR.UTF-8"})
      if (Use(name)) return;
    Compiled.emplace();
    std::string command = "localedef -i de_DE -f UTF-8 '" + Compiled->path() +
                          "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return;
    Path.emplace("LOCPATH", Compiled->path().c_str());
    Use("de_DE.UTF-8");
  }
  ~CommaLocale() { std::setlocale(LC_NUMERIC, Saved.c_str()); }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;

  bool ok() const { return Active; }

private:
  bool Use(const char* name) {
    Active = std::setlocale(LC_NUMERIC, name) && std::localeconv()->decimal_point[0] == ',';
    if (!Active) std::setlocale(LC_NUMERIC, Saved.c_str());
    return Active;
  }

  std::string Saved;
  std::optional<TempDir> Compiled;
  std::optional<ScopedEnv> Path;
  bool Active = false;
};
