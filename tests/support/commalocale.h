#pragma once
// Puts the C library's numbers under a locale whose decimal point is a comma while it lives, as
// a Qt application does on a German or Russian desktop. scripts/install-deps installs German;
// ok() is false where no such locale is installed.

#include <clocale>
#include <string>

class CommaLocale {
public:
  CommaLocale() : Saved(std::setlocale(LC_NUMERIC, nullptr)) {
    for (const char* name : {"de_DE.UTF-8", "ru_RU.UTF-8", "fr_FR.UTF-8"})
      if (Use(name)) return;
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
  bool Active = false;
};
