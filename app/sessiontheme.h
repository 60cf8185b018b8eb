#pragma once
// The training screen's theme files: how the user's profile names one, and which of them the
// screen may write its defaults into. A profile may come from another computer or another
// account, so its theme may name any file: only a regular file of the themes folder itself is
// ever written, anything else is only read. Plain code; keeps nothing.

#include <string>

// The file a profile's "Theme" names: a name relative to the themes folder (what this release
// stores, so that a moved installation keeps its theme), or a whole path (what earlier ones
// stored). The empty text for the empty name.
std::string ThemeFileOfName(const std::string& themesDir, const std::string& name);
// What a profile stores for the theme file: its name relative to the themes folder when it lies
// there, else the path as it stands.
std::string ThemeNameOfFile(const std::string& themesDir, const std::string& file);
// The file lies in the themes folder or a folder below, is a regular file, and neither it nor a
// folder between is a link: writing it writes nothing outside the themes folder.
bool IsThemeOfFolder(const std::string& themesDir, const std::string& file);
