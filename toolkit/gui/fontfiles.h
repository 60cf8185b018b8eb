#pragma once
// The design's fonts on a machine that lacks them: Debian's metric-compatible Tahoma files
// (fonts-wine) are registered with Qt's font database, laid out by their Windows metrics, when no
// "Tahoma" family is installed, so text fits as designed; "Arial Narrow" reaches
// "Liberation Sans Narrow" through fontconfig.
// Called once by the application after Qt starts; user-interface thread.

// Answers whether the "Tahoma" family is available afterwards.
bool RegisterSubstituteFonts();
