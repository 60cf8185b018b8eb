#pragma once
// Brings a window above the others and gives it the focus. User-interface thread only.

class TForm;

void BringWindowToTop(TForm* form);
