#include "toolkit/gui/label.h"

#include <algorithm>

#include "toolkit/stringlist.h"

TLabel::TLabel(TComponent* Owner) : TGraphicControl(Owner) { FitToText(); }

void TLabel::setAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Invalidate();
}

void TLabel::setAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  FitToText();
}

void TLabel::setTransparent(bool transparent) {
  transparent_ = transparent;
  Invalidate();
}

void TLabel::setShadowColor(TColor color) {
  shadowColor_ = color;
  Invalidate();
}

void TLabel::setShadowSize(int size) {
  shadowSize_ = size;
  FitToText();
}

void TLabel::TextChanged() {
  FitToText();
  TGraphicControl::TextChanged();
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  FitToText();
}

void TLabel::FitToText() {
  if (!autoSize_) return;
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(*Font());
  TStringList lines;
  lines.setText(Text());
  int width = 0;
  for (const std::string& line : lines) width = std::max(width, canvas->TextWidth(line));
  int lineCount = std::max(1, lines.Count());
  int height = lineCount * canvas->TextHeight("W");
  // A right-aligned label keeps its right edge, as it grows to the left.
  int left = alignment_ == taRightJustify ? Left() + Width() - width - shadowSize_ : Left();
  SetBounds(left, Top(), width + shadowSize_, height + shadowSize_);
}

void TLabel::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(*Font());
  if (!transparent_) {
    canvas->Brush()->setColor(Color());
    canvas->FillRect(Rect(0, 0, Width(), Height()));
  }
  canvas->Brush()->setStyle(bsClear);
  TStringList lines;
  lines.setText(Text());
  int lineHeight = canvas->TextHeight("W");
  int textWidth = Width() - shadowSize_;
  auto drawLines = [&](int dx, int dy) {
    int y = dy;
    for (const std::string& line : lines) {
      int width = canvas->TextWidth(line);
      int x = alignment_ == taLeftJustify    ? 0
              : alignment_ == taRightJustify ? textWidth - width
                                             : (textWidth - width) / 2;
      canvas->TextOut(x + dx, y, line);
      y += lineHeight;
    }
  };
  if (shadowSize_ > 0) {
    canvas->Font()->setColor(shadowColor_);
    drawLines(shadowSize_, shadowSize_);
    canvas->Font()->setColor(Font()->Color());
  }
  drawLines(0, 0);
}

void TLabel::Publish(TPropList& properties) {
  TGraphicControl::Publish(properties);
  properties.push_back(TextProperty("Caption", "TCaption"));
}
