#pragma once
// The design's fonts on a machine that lacks them: Debian's metric-compatible Tahoma files
// (fonts-wine) are registered with Qt's font database, laid out by their Windows metrics, when no
// "Tahoma" family is installed, so text fits as designed; "Arial Narrow" reaches
// "Liberation Sans Narrow" through fontconfig.
// User-interface thread, once Qt has started.

// Registers them on the first call, before the first font is made (filling the font database
// takes milliseconds the start of the program need not wait for); answers whether the "Tahoma"
// family is available afterwards.
bool RegisterSubstituteFonts();
