#pragma once
// A drop-down list of pictures of an image list (the avatar choice): each item keeps a text,
// but the box draws the picture alone, in rows of 20 pixels, in a short list below the box.
// The items are no localized texts. User-interface thread only.

#include <string>

#include "toolkit/gui/combobox.h"

class TImageList;

class TImageComboBox : public TComboBox {
public:
  explicit TImageComboBox(TComponent* Owner);

  void setImages(TImageList* images);
  // Appends an item with the picture of that index of the image list.
  void AddItem(const std::string& text, int imageIndex);
  // The whole width of the open list, frame and scroll bar included.
  void setDropDownWidth(int width);

protected:
  void Publish(TPropList& properties) override;

private:
  TImageList* images_ = nullptr;
};
