#pragma once
// The browser control inside its panel: placed at (-2, -2) and 4 pixels wider and higher than
// the panel, so that its 2-pixel frame lies outside the panel on every side. User-interface
// thread only.

class TControl;

void FitBrowserToPanel(TControl* browser, const TControl* panel);
