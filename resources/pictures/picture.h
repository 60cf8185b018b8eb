#pragma once
// The program's own pictures (resource type "IMAGE"), listed in this folder's CMakeLists.txt.
// Any thread, one picture per thread.

#include <string>

class TGraphic;

// Decodes the named picture into `picture`; raises Exception when the program has no picture
// of that name or it is not of the picture's format.
void LoadPicture(TGraphic* picture, const std::string& name);
