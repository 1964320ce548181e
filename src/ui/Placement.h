#pragma once
// Where a window that serves another screen opens: centred over that screen, kept on the desktop.
// Without a window manager to place them, new windows would open at the desktop's corner.
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace ui {

// The top-left corner that centres a window of `size` over `over`, moved as little as needed to
// lie inside `available` (when it fits there at all).
QPoint centredPosition(const QRect& over, const QSize& size, const QRect& available);

// Moves `window` (a top-level widget, not yet shown or shown) centred over `over`.
void centreOver(QWidget* window, const QWidget* over);

} // namespace ui
