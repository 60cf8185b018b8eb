#pragma once
// Pieces that several window descriptions share: the program's pictures shown in controls, the
// close picture of the frameless windows, and the frame, header and title of the small account
// windows, and the small components the descriptions make alike. Each piece is a component of
// the window it is made for, which deletes it.

#include <functional>
#include <string>

#include "toolkit/color.h"

class TAction;
class TBitmap;
class TEdit;
class TForm;
class TImage;
class TImageList;
class TLabel;
class TObject;
class TShape;
class TSpeedButton;

// The program's picture of that name (a PNG) in an image control or a bitmap.
void ShowPicture(TImage* image, const std::string& name);
void LoadGlyph(TBitmap* glyph, const std::string& name);
// The same as a JPEG.
void ShowPhoto(TImage* image, const std::string& name);

// The 108 avatars, 32 x 20, indexes 0 to 107: the same set in every window that shows them.
TImageList* NewAvatars(TForm* form, const std::string& name);

// The close picture, 19 x 19, 5 pixels from the top and right edges of a window that wide.
TImage* NewClosePicture(TForm* form, int windowWidth);

// A frameless account window of that client size and colour, centred, with its frame over the
// whole window, the header picture along its top and the title in "Arial Narrow".
void DescribeAccountWindow(TForm* form, int width, int height, TColor color, int titleTop,
                           const std::string& title, TShape*& frame, TImage*& header,
                           TLabel*& titleLabel);

// A button that is all picture (four states of the named strip, each as wide as the button),
// with its caption over it in "Arial Narrow"; clicks run the action.
TSpeedButton* NewPictureButton(TForm* form, const std::string& name, int left, int top, int width,
                               int height, const std::string& picture, const std::string& caption,
                               int fontHeight, TAction* action);
// The OK button of the account windows, 200 x 40, named "sbOk".
TSpeedButton* NewAccountButton(TForm* form, int left, int top, const std::string& caption,
                               TAction* action);

// An action of the window with its shortcut key (0: none) and handler.
TAction* NewAction(TForm* form, const std::string& name, int shortCut,
                   std::function<void(TObject*)> handler);
// A label sized to its caption.
TLabel* NewLabel(TForm* form, const std::string& name, int left, int top,
                 const std::string& caption);
// A label of that width whose text ends at its right edge (the user's name).
TLabel* NewRightLabel(TForm* form, const std::string& name, int left, int top, int width);
// An edit that shows "*" for every character.
TEdit* NewPasswordEdit(TForm* form, const std::string& name, int left, int top, int width,
                       int height);
