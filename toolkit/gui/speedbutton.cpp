#include "toolkit/gui/speedbutton.h"

#include <QEvent>
#include <QMouseEvent>

#include <algorithm>

#include "toolkit/gui/action.h"

TSpeedButton::TSpeedButton(TComponent* Owner) : TGraphicControl(Owner) {
  glyph_.setTransparent(true);
}

void TSpeedButton::setNumGlyphs(int count) {
  numGlyphs_ = std::clamp(count, 1, 4);
  Invalidate();
}

void TSpeedButton::setFlat(bool flat) {
  flat_ = flat;
  Invalidate();
}

void TSpeedButton::setGlyphUnderCaption(bool under) {
  glyphUnderCaption_ = under;
  Invalidate();
}

void TSpeedButton::setAction(TAction* action) {
  action_ = action;
  OnClick = [action](TObject*) { action->Execute(); };
  Invalidate();
}

bool TSpeedButton::Usable() const { return Enabled() && (!action_ || action_->Enabled()); }

bool TSpeedButton::WidgetEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::Enter:
    case QEvent::Leave:
      hot_ = event->type() == QEvent::Enter;
      Invalidate();
      break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
      down_ = event->type() == QEvent::MouseButtonPress &&
              static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
      Invalidate();
      if (!Usable()) return true;
      break;
    default: break;
  }
  return TGraphicControl::WidgetEvent(event);
}

void TSpeedButton::Paint() {
  TCanvas* canvas = Canvas();
  int w = Width(), h = Height();
  bool usable = Usable(), down = down_ && usable;
  if (!flat_ && !glyphUnderCaption_) {
    canvas->Brush()->setColor(clBtnFace);
    canvas->FillRect(Rect(0, 0, w, h));
  }
  if (!glyphUnderCaption_ && (!flat_ || (hot_ && usable))) {
    canvas->Brush()->setColor(down ? clBtnShadow : clBtnHighlight);
    canvas->FillRect(Rect(0, 0, w, 1));
    canvas->FillRect(Rect(0, 0, 1, h));
    canvas->Brush()->setColor(down ? clBtnHighlight : clBtnShadow);
    canvas->FillRect(Rect(0, h - 1, w, h));
    canvas->FillRect(Rect(w - 1, 0, w, h));
  }

  // The glyph of the state: up, disabled, down, hot.
  int state = !usable ? 1 : down ? 2 : hot_ ? 3 : 0;
  if (state >= numGlyphs_) state = 0;
  int glyphWidth = glyph_.Empty() ? 0 : glyph_.Width() / numGlyphs_;
  canvas->Font()->Assign(*Font());
  if (!usable) canvas->Font()->setColor(clGrayText);
  std::string caption = Caption();
  int captionWidth = caption.empty() ? 0 : canvas->TextWidth(caption);
  int spacing = glyphWidth > 0 && captionWidth > 0 ? 4 : 0;
  int shift = down ? 1 : 0;
  int x = (w - glyphWidth - spacing - captionWidth) / 2 + shift;
  int captionX = x + glyphWidth + spacing;
  if (glyphUnderCaption_) {
    x = 0;
    captionX = (w - captionWidth) / 2 + shift;
  }
  if (glyphWidth > 0) {
    TBitmap part;
    part.Assign(glyph_, Bounds(state * glyphWidth, 0, glyphWidth, glyph_.Height()));
    canvas->Draw(x, glyphUnderCaption_ ? 0 : (h - part.Height()) / 2 + shift, &part);
  }
  if (captionWidth > 0) {
    canvas->Brush()->setStyle(bsClear);
    canvas->TextOut(captionX, (h - canvas->TextHeight(caption)) / 2 + shift, caption);
  }
}

void TSpeedButton::Publish(TPropList& properties) {
  TGraphicControl::Publish(properties);
  properties.push_back(TextProperty("Caption", "TCaption"));
}
