#pragma once
// Where a training view starts: hidden, and shown inside its owner when the owner is a windowed
// control (the training screen's work area), so that showing it later is all that is left.
// User-interface thread only.

class TControl;

void PlaceHidden(TControl* view);
