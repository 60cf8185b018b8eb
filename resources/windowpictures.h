#pragma once
// The program's pictures in the controls of the manual, about and online windows: pictures,
// the close picture of a frameless window, and buttons that are all picture. Each piece is a
// component of the window it is made for, which deletes it.

#include <string>

class TAction;
class TForm;
class TImage;
class TSpeedButton;

// The program's picture of that name (a PNG) in an image control.
void ShowPicture(TImage* image, const std::string& name);
// The close picture, 19 x 19, 5 pixels from the top and right edges of a window that wide.
TImage* NewClosePicture(TForm* form, int windowWidth);
// A button of four states of the named strip, each as wide as the button; clicks run the
// action (none: its OnClick).
TSpeedButton* NewPictureButton(TForm* form, const std::string& name, int left, int top,
                               int width, int height, const std::string& picture,
                               TAction* action);
