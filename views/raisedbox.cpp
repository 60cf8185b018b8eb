#include "views/raisedbox.h"

#include "foundation/tcolorlib.h"
#include "toolkit/gui/canvas.h"

void DrawRaisedBox(TCanvas* canvas, int w, int h, int r, TColor border, TColor fill) {
  canvas->Pen()->setColor(border);
  canvas->Brush()->setColor(MixColors(border, fill));
  canvas->RoundRect(0, 0, w, h, r, r);
  canvas->Pen()->setColor(LighterColor(fill, 50));
  canvas->Brush()->setStyle(bsClear);
  canvas->RoundRect(1, 1, w - 2, h - 2, r, r);
  canvas->Pen()->setColor(fill);
  canvas->Brush()->setColor(fill);
  canvas->RoundRect(2, 2, w - 2, h - 2, r - 2, r - 2);
}
