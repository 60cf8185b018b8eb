#pragma once
// The event types of the toolkit. An event is a callable that may be empty; the toolkit raises
// it only when set, always through the application's dispatch (application.h).

#include <functional>

class TObject;

using TNotifyEvent = std::function<void(TObject* Sender)>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Bits of the keys and buttons held during a mouse event.
using TShiftState = int;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32,
                      ssDouble = 64;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
