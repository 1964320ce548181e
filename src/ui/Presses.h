#pragma once
// What counts as a mouse press where a screen watches raw presses. A quick second click reaches a
// widget as a double-click instead of a second press; taking it as a press keeps the second click.
#include <QEvent>

namespace ui
{

inline bool isPress(const QEvent* event)
{
    return event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
}

} // namespace ui
