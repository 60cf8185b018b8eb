#pragma once
// A drop-down list whose items show a text and a picture of an image list (the avatar choice).
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
  void setDropDownWidth(int width);

protected:
  void Publish(TPropList& properties) override;

private:
  TImageList* images_ = nullptr;
};
