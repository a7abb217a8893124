#pragma once
// How Qt's events reach the window's handlers: the mouse's button and shift
// state as the handlers take them, and the rule that an error a handler
// raises (a slider refusing a value, a file that cannot be read) ends that
// event only, instead of unwinding Qt's event loop.

#include <QMouseEvent>
#include <QtGlobal>
#include <cstdint>
#include <exception>
#include <utility>

#include "slider/ControlError.h"

namespace calvetta {

// Button 1 left, 2 right, 4 middle, added up when several are held.
std::int16_t ButtonValue(Qt::MouseButtons buttons);
// Shift 1 shift, 2 ctrl, 4 alt, added up.
std::int16_t ShiftValue(Qt::KeyboardModifiers modifiers);
// The Button of an event: the button pressed or released, or for a move the
// buttons held.
std::int16_t ButtonOf(const QMouseEvent* event);

// Runs a handler for one event; an error it raises ends that event with a
// warning naming `what`.
template <class F>
void DeliverEvent(const char* what, F&& handler) {
    try {
        std::forward<F>(handler)();
    } catch (const ControlError& e) {
        qWarning("%s: error %d: %s", what, e.number(), e.what());
    } catch (const std::exception& e) {
        qWarning("%s: %s", what, e.what());
    }
}

}  // namespace calvetta
