#include "views/tlttaskvisualizer.h"

#include <algorithm>

#include "engine/ttask.h"
#include "foundation/tcolorlib.h"
#include "foundation/tinioptions.h"
#include "toolkit/gui/wincontrol.h"
#include "views/viewplacement.h"

namespace {

// 40 letters of average width: a line of narrow letters gets the font of an ordinary line.
constexpr char kSample[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN";
constexpr int kSampleLength = sizeof(kSample) - 1;

void Fill(TBitmap& bitmap, int width, int height, TColor color, const TFont& font) {
  bitmap.setSize(width, height);
  bitmap.Canvas()->Font()->Assign(font);
  bitmap.Canvas()->Brush()->setColor(color);
  bitmap.Canvas()->FillRect(Rect(0, 0, width, height));
  bitmap.Canvas()->Brush()->setStyle(bsClear);
}

void DrawGlyphs(TBitmap& strip, const std::vector<int>& xs, const std::string& text, TColor color) {
  strip.Canvas()->Font()->setColor(color);
  strip.Canvas()->TextOutEach(xs, 0, text);
}

}  // namespace

TLTTaskVisualizer::TLTTaskVisualizer(TComponent* Owner)
    : TPaintBox(Owner),
      PureTaskColor(0xC0C0C0),
      DistortedTaskColor(DarkerColor(0x00FFFF, 20)),
      UserStringColor(0xC0C0C0),
      ErrorCharColor(0x0000FF),
      BackgroundColor(0x000000),
      FillerColor(DarkerColor(0x800000, 10)),
      SightBackgroundColor(DarkerColor(0x800000, 40)),
      SightBorderColor(LighterColor(0x800000, 40)),
      BorderColor(0x3C2C2B),
      DelimiterColor(0x3C2C2B),
      CursorColor(0xFFFFFF),
      widths_(kSample) {
  setOpaque(true);
  PlaceHidden(this);
  Font()->setName("Tahoma");
  Font()->setHeight(24);
  Font()->setStyle(0);
  cursorTimer_.reset(new TTimer(nullptr));
  cursorTimer_->OnTimer = [this](TObject* sender) { OnCursorUpdateTimer(sender); };
  cursorTimer_->setInterval(1000);
}

TLTTaskVisualizer::~TLTTaskVisualizer() = default;

void TLTTaskVisualizer::AttachTask(TTask* task) {
  task_ = task;
  task_->OnChange = [this] { CALLBACK_TaskOnChange(); };
  if (Parent()) Parent()->Update();
}

void TLTTaskVisualizer::setMaxHeight(int maxHeight) {
  MaxHeight = maxHeight;
  UpdateSize();
}

int TLTTaskVisualizer::getOptimalFontHeight() {
  const int width = Width();
  const int limit = (MaxHeight - 1) / 2;
  const std::string& text = task_ ? task_->Text : std::string();
  const int length = static_cast<int>(text.size());
  TFont measuring(*Font());
  int height = 1, measure = 0;
  while (measure < width && height <= limit) {
    measuring.setHeight(++height);
    measure = widths_.Sample(measuring) * length / kSampleLength;
    // An estimate as wide as the control ends the fitting whatever the line measures.
    if (measure < width) measure = std::max(measure, widths_.Text(measuring, text));
  }
  return height - 1;
}

void TLTTaskVisualizer::FillBand(int top, int bottom, TColor color) {
  frame_.Canvas()->Brush()->setColor(color);
  frame_.Canvas()->FillRect(Rect(0, top, Width(), bottom));
}

void TLTTaskVisualizer::UpdateSize() {
  const std::string& text = task_ ? task_->Text : std::string();
  Font()->setHeight(getOptimalFontHeight());
  const int h = Font()->Height(), b = borderHeight_, d = delimiterHeight_;
  setHeight(2 * h + d + 2 * b);
  const int w = Width();

  Canvas()->Font()->Assign(*Font());
  textWidth_ = widths_.Text(*Font(), text);
  textHeight_ = Canvas()->TextHeight(text);

  Fill(frame_, w, Height(), BackgroundColor, *Font());
  FillBand(0, b, BorderColor);
  FillBand(2 * h + d + b, Height(), BorderColor);
  FillBand(b + textHeight_, b + textHeight_ + d, DelimiterColor);
  composite_ = frame_;
  composite_.Canvas()->Font()->Assign(*Font());

  Fill(taskStrip_, w, h, BackgroundColor, *Font());
  Fill(sightStrip_, w, h, SightBackgroundColor, *Font());
  Fill(typedStrip_, w, h, FillerColor, *Font());

  const int length = static_cast<int>(text.size());
  spacing_ = static_cast<double>(w - textWidth_) / (length + 1);
  const TColor taskColor = task_ && task_->HadErrors ? DistortedTaskColor : PureTaskColor;

  cellX_.assign(length, 0);
  cellWidth_.assign(length, 0);
  totalWidth_ = 0;
  for (int i = 0; i < length; ++i) {
    cellWidth_[i] = static_cast<int>(widths_.Letter(*Font(), text[i]) + spacing_);
    cellX_[i] = totalWidth_;
    totalWidth_ += cellWidth_[i];
  }
  leftOffset_ = (w - totalWidth_) / 2;
  shownFrom_ = shownTo_ = 0;

  std::vector<int> glyphX(length);
  TCanvas* sight = sightStrip_.Canvas();
  sight->Pen()->setColor(SightBorderColor);
  sight->Font()->setColor(taskColor);
  for (int i = 0; i < length; ++i) {
    const int x = cellX_[i] + leftOffset_;
    glyphX[i] = static_cast<int>(x + spacing_ * 0.5);
    // Each box over its glyph, before the next glyph, whose ink may reach into it.
    sight->TextOut(glyphX[i], 0, text.substr(i, 1));
    sight->Rectangle(x, 0, x + cellWidth_[i], textHeight_);
  }
  DrawGlyphs(taskStrip_, glyphX, text, taskColor);
  DrawGlyphs(typedStrip_, glyphX, text, UserStringColor);
}

void TLTTaskVisualizer::setTask() {
  UpdateSize();
  Paint();
}

void TLTTaskVisualizer::Paint() {
  shownFrom_ = shownTo_ = 0;
  PaintCurrentPosition();
}

void TLTTaskVisualizer::Resized() {
  shownFrom_ = shownTo_ = 0;
  TPaintBox::Resized();
}

void TLTTaskVisualizer::PaintCurrentPosition() {
  if (!Visible() || !task_) return;
  const int h = taskStrip_.Height(), b = borderHeight_, d = delimiterHeight_,
            w = composite_.Width();
  // The cells are those of the last layout: a line changed since then is drawn as complete
  // beyond its laid-out characters rather than read past them.
  const int length = static_cast<int>(cellX_.size());
  const int position = std::clamp(task_->Position, 0, length);
  const bool typing = position < length;
  TCanvas* canvas = composite_.Canvas();

  canvas->CopyRect(Rect(0, 0, w, composite_.Height()), frame_.Canvas(),
                   Rect(0, 0, w, composite_.Height()));
  canvas->CopyRect(Rect(0, b, w, b + h), taskStrip_.Canvas(), Rect(0, 0, w, h));
  const int e = typing ? cellX_[position] + leftOffset_ : w;
  canvas->CopyRect(Rect(0, b, e, b + h), typedStrip_.Canvas(), Rect(0, 0, e, h));
  if (typing) {
    const int right = e + cellWidth_[position];
    canvas->CopyRect(Rect(e, b, right, b + h), sightStrip_.Canvas(), Rect(e, 0, right, h));
  }
  const int typedTop = b + h + d;
  canvas->CopyRect(Rect(0, typedTop, e, typedTop + h), typedStrip_.Canvas(), Rect(0, 0, e, h));

  const int glyphX = static_cast<int>(e + spacing_ * 0.5);
  int to = typing ? e + cellWidth_[position] : e;
  if (!task_->ErrorText.empty()) {
    canvas->Brush()->setStyle(bsClear);
    canvas->Font()->setColor(ErrorCharColor);
    canvas->TextOut(glyphX, typedTop, task_->ErrorText);
    to = std::max(to, glyphX + canvas->TextWidth(task_->ErrorText));
  }
  if (typing && cursorShown_) {
    canvas->Brush()->setColor(CursorColor);
    const int end = static_cast<int>(e + cellWidth_[position] - spacing_ * 0.5);
    canvas->FillRect(Rect(glyphX, typedTop + h - 3, end, typedTop + h - 1));
  }
  // Only what changed goes to the screen: the columns of the last composition's cell and of
  // this one's, and all between. A glyph's ink may reach a little beyond its cell.
  const int from = std::max(0, e - h);
  to = std::min(w, to + h);
  if (shownTo_ > shownFrom_) {
    const TRect changed =
        Rect(std::min(from, shownFrom_), 0, std::max(to, shownTo_), composite_.Height());
    Canvas()->CopyRect(changed, canvas, changed);
  } else {
    Canvas()->Draw(0, 0, &composite_);
  }
  shownFrom_ = from;
  shownTo_ = to;
}

void TLTTaskVisualizer::CALLBACK_TaskOnChange() {
  cursorShown_ = true;
  cursorTimer_->setInterval(2000);
  if (task_->Position == 0) {
    setTask();
  } else {
    PaintCurrentPosition();
  }
}

void TLTTaskVisualizer::OnCursorUpdateTimer(TObject*) {
  cursorShown_ = !cursorShown_;
  cursorTimer_->setInterval(1000);
  PaintCurrentPosition();
}

void TLTTaskVisualizer::LoadTheme(TIniOptions* options, const std::string& section) {
  struct Entry {
    const char* key;
    TColor* color;
  } entries[] = {
      {"BackgroundColor", &BackgroundColor},
      {"FillerColor", &FillerColor},
      {"BorderColor", &BorderColor},
      {"DelimiterColor", &DelimiterColor},
      {"TaskString.Pure.FontColor", &PureTaskColor},
      {"TaskString.Distorted.FontColor", &DistortedTaskColor},
      {"TaskString.Sight.BackgroundColor", &SightBackgroundColor},
      {"TaskString.Sight.BorderColor", &SightBorderColor},
      {"UserString.FontColor", &UserStringColor},
      {"UserString.ErrorCharColor", &ErrorCharColor},
      {"UserString.CursorColor", &CursorColor},
  };
  for (const Entry& entry : entries)
    *entry.color = options->ReadColor(section, entry.key, *entry.color);
}

void TLTTaskVisualizer::LoadState(TIniOptions* options, const std::string& section) {
  Font()->setName(options->ReadString(section, FontNameKey(), Font()->Name()));
}

void TLTTaskVisualizer::SaveState(TIniOptions* options, const std::string& section) {
  options->WriteString(section, FontNameKey(), Font()->Name());
}
