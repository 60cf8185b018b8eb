#pragma once
// The status line of the training screen: one line of text in a small markup of style tags
// (<b> <i> <u> <s> and their closing tags), colour tags (<color value=#BBGGRR>, </color>) and a
// "<space" tag after which the rest of the line stands at the right edge. Bracketed names
// ("[USERNAME]") are filled from the placeholder values before the markup is read. Any text is
// drawn: what is not understood is skipped. Owns its placeholder list. User-interface thread
// only.

#include <string>
#include <utility>
#include <vector>

#include "toolkit/gui/paintbox.h"
#include "toolkit/stringlist.h"

class TIniOptions;

// Cuts every "<" and ">" out of the text with this marker; no status text contains it.
inline constexpr char tagSplitMarker[] = "zQ4xT8vL1mK7pW3nR9cY2bH6dJ5gF0";

// The text cut into tags and text runs: a tag runs from a "<" to the next ">" inclusive, or up
// to the next "<" or the end when that comes first; empty runs are kept.
std::vector<std::string> CutMarkup(const std::string& text);

class TLTStatusBar : public TPaintBox {
public:
  explicit TLTStatusBar(TComponent* Owner);
  ~TLTStatusBar() override;

  // Stores the value under the name (letter case ignored) and repaints; an empty value removes
  // the entry.
  void setPlaceholder(const std::string& name, const std::string& value);
  std::string getPlaceholder(const std::string& name) const;
  // Stores those of the values that differ from the ones stored, in their order, as
  // setPlaceholder does; then one repaint, none when nothing differed.
  void setPlaceholders(const std::vector<std::pair<std::string, std::string>>& values);
  // The largest font height up to `start` at which `count` letters "w" fit the width (1 when
  // none does), then Refresh.
  void AdjustOptimalSize(int start, int count);
  // The height for the font, then a paint.
  void Refresh();
  void Paint() override;
  // Font colour, frame and background from a theme section (fixed defaults), then Refresh.
  void LoadTheme(TIniOptions* options, const std::string& section);

  TColor BorderColor = 0x000000;

protected:
  // Text is published; setting it repaints at once.
  void TextChanged() override { Paint(); }
  void Publish(TPropList& properties) override;

private:
  int FittingHeight();
  // Text with every placeholder's bracketed name replaced, in list order.
  std::string FilledText() const;

  TStringList placeholders_;
  int horizontalMargin_ = 3;
  int verticalMargin_ = 1;
};
