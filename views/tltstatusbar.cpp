#include "views/tltstatusbar.h"

#include <cctype>
#include <cstdlib>
#include <optional>

#include "foundation/tinioptions.h"
#include "toolkit/gui/bitmap.h"
#include "views/viewplacement.h"

namespace {

constexpr struct {
  const char* open;
  const char* close;
  TFontStyles style;
} kStyleTags[] = {
    {"<b>", "</b>", fsBold},
    {"<i>", "</i>", fsItalic},
    {"<u>", "</u>", fsUnderline},
    {"<s>", "</s>", fsStrikeOut},
};

// The colour of `value = "#BBGGRR"` in a colour tag (blanks around "=", the quote optional,
// capital digits only); none without such a value or with more digits than a colour holds.
std::optional<TColor> ColorValue(const std::string& tag) {
  for (size_t at = tag.find("value"); at != std::string::npos; at = tag.find("value", at + 1)) {
    size_t i = at + 5;
    auto skipBlanks = [&] {
      while (i < tag.size() && std::isspace(static_cast<unsigned char>(tag[i]))) ++i;
    };
    skipBlanks();
    if (i >= tag.size() || tag[i] != '=') continue;
    ++i;
    skipBlanks();
    if (i < tag.size() && tag[i] == '"') ++i;
    if (i >= tag.size() || tag[i] != '#') continue;
    size_t first = ++i;
    while (i < tag.size() &&
           (std::isdigit(static_cast<unsigned char>(tag[i])) || (tag[i] >= 'A' && tag[i] <= 'F')))
      ++i;
    if (i == first) continue;
    if (i - first > 8) return std::nullopt;
    return static_cast<TColor>(std::strtoul(tag.substr(first, i - first).c_str(), nullptr, 16) &
                               0xFFFFFF);
  }
  return std::nullopt;
}

}  // namespace

std::vector<std::string> CutMarkup(const std::string& text) {
  std::string marked;
  marked.reserve(text.size() * 2);
  for (char c : text) {
    if (c == '<') marked += tagSplitMarker;
    marked += c;
    if (c == '>') marked += tagSplitMarker;
  }
  std::vector<std::string> pieces;
  const size_t markerLength = sizeof(tagSplitMarker) - 1;
  size_t start = 0;
  for (size_t at = marked.find(tagSplitMarker); at != std::string::npos;
       at = marked.find(tagSplitMarker, start)) {
    pieces.push_back(marked.substr(start, at - start));
    start = at + markerLength;
  }
  pieces.push_back(marked.substr(start));
  return pieces;
}

TLTStatusBar::TLTStatusBar(TComponent* Owner) : TPaintBox(Owner) {
  Font()->setName("Arial Narrow");
  Font()->setHeight(20);
  Canvas()->Font()->Assign(*Font());
  setHeight(FittingHeight());
  setOpaque(true);
  PlaceHidden(this);
}

TLTStatusBar::~TLTStatusBar() = default;

void TLTStatusBar::Publish(TPropList& properties) {
  TPaintBox::Publish(properties);
  properties.push_back(TextProperty("Text", "String"));
}

int TLTStatusBar::FittingHeight() { return std::abs(Font()->Height()) + 2 * verticalMargin_; }

void TLTStatusBar::setPlaceholder(const std::string& name, const std::string& value) {
  placeholders_.setValue(name, value);
  Paint();
}

std::string TLTStatusBar::getPlaceholder(const std::string& name) const {
  return placeholders_.Values(name);
}

void TLTStatusBar::setPlaceholders(const std::vector<std::pair<std::string, std::string>>& values) {
  bool changed = false;
  for (const auto& [name, value] : values) {
    if (getPlaceholder(name) == value) continue;
    placeholders_.setValue(name, value);
    changed = true;
  }
  if (changed) Paint();
}

std::string TLTStatusBar::FilledText() const {
  std::string text = Text();
  for (int i = 0; i < placeholders_.Count(); ++i) {
    const std::string name = "[" + placeholders_.Names(i) + "]";
    const std::string value = placeholders_.ValueFromIndex(i);
    // Scans on after each value, so a value that names its own placeholder ends the loop.
    for (size_t at = text.find(name); at != std::string::npos;
         at = text.find(name, at + value.size())) {
      text.replace(at, name.size(), value);
    }
  }
  return text;
}

void TLTStatusBar::AdjustOptimalSize(int start, int count) {
  TFont* font = Canvas()->Font();
  font->Assign(*Font());
  font->setHeight(start);
  const std::string sample(std::max(0, count), 'w');
  while (Canvas()->TextWidth(sample) > Width() && font->Height() > 1)
    font->setHeight(font->Height() - 1);
  Font()->Assign(*font);
  Refresh();
}

void TLTStatusBar::Refresh() {
  setHeight(FittingHeight());
  Paint();
}

void TLTStatusBar::Paint() {
  Canvas()->Font()->Assign(*Font());
  Canvas()->Brush()->setColor(Color());
  // One height for the font, here and in Refresh: a negative font height too.
  if (FittingHeight() != Height()) setHeight(FittingHeight());
  if (!Visible()) return;
  const int w = Width(), h = Height(), mx = horizontalMargin_, my = verticalMargin_;

  TBitmap bitmap;
  bitmap.setSize(w, h);
  TCanvas* canvas = bitmap.Canvas();
  canvas->Font()->Assign(*Font());
  canvas->Brush()->setColor(Color());
  canvas->Pen()->setColor(BorderColor);
  canvas->Rectangle(0, 0, w, h);
  canvas->Brush()->setStyle(bsClear);

  int sum = 0, x = mx;
  std::optional<int> right;
  for (const std::string& piece : CutMarkup(FilledText())) {
    if (piece.starts_with('<')) {
      TFont* font = canvas->Font();
      if (piece.starts_with("<space")) right = x;
      for (const auto& tag : kStyleTags) {
        if (piece == tag.open) font->setStyle(font->Style() | tag.style);
        if (piece == tag.close) font->setStyle(font->Style() & ~tag.style);
      }
      if (piece.starts_with("<color")) {
        if (auto color = ColorValue(piece)) font->setColor(*color);
      }
      if (piece == "</color>") font->setColor(Font()->Color());
      continue;
    }
    if (piece.empty()) continue;
    canvas->TextOut(x, my, piece);
    sum += canvas->TextWidth(piece);
    x = sum + mx;
  }

  if (right) {
    const int shift = w - 2 * mx - sum;
    canvas->CopyRect(Rect(*right + shift, 0, w - mx, h), canvas, Rect(*right, 0, sum + mx, h));
    canvas->Pen()->setColor(Color());
    canvas->Brush()->setColor(Color());
    canvas->Rectangle(*right, 1, *right + shift + 1, h - 1);
  }
  Canvas()->Draw(0, 0, &bitmap);
}

void TLTStatusBar::LoadTheme(TIniOptions* options, const std::string& section) {
  Font()->setColor(options->ReadColor(section, "Font.Color", 0xC0C0C0));
  BorderColor = options->ReadColor(section, "Border", 0x000000);
  // The key is spelled so in every theme file written for the program.
  setColor(options->ReadColor(section, "Backrgound", 0x000000));
  Refresh();
}
