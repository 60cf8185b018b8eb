#pragma once
// An image control: shows its picture at the top-left corner, centred, or stretched over the
// control; sized to the picture while AutoSize is on. User-interface thread only.

#include "toolkit/gui/graphiccontrol.h"
#include "toolkit/gui/picture.h"

class TImage : public TGraphicControl {
public:
  explicit TImage(TComponent* Owner);

  TPicture* Picture() { return &picture_; }
  void setAutoSize(bool autoSize);
  void setStretch(bool stretch);
  void setCenter(bool center);
  // Leaves out the bottom-left colour of the picture, and of every picture it gets later.
  void setTransparent(bool transparent);

  void Paint() override;

protected:
  void Publish(TPropList& properties) override;

private:
  void PictureChanged();

  TPicture picture_;
  bool autoSize_ = false, stretch_ = false, center_ = false, transparent_ = false;
};
