#include "platform/EventDelivery.h"

namespace calvetta {

std::int16_t ButtonValue(Qt::MouseButtons buttons) {
    std::int16_t v = 0;
    if (buttons & Qt::LeftButton) v |= 1;
    if (buttons & Qt::RightButton) v |= 2;
    if (buttons & Qt::MiddleButton) v |= 4;
    return v;
}

std::int16_t ShiftValue(Qt::KeyboardModifiers modifiers) {
    std::int16_t v = 0;
    if (modifiers & Qt::ShiftModifier) v |= 1;
    if (modifiers & Qt::ControlModifier) v |= 2;
    if (modifiers & Qt::AltModifier) v |= 4;
    return v;
}

std::int16_t ButtonOf(const QMouseEvent* event) {
    return ButtonValue(event->type() == QEvent::MouseMove ? event->buttons()
                                                          : Qt::MouseButtons(event->button()));
}

}  // namespace calvetta
