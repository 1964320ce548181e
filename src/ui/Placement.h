#pragma once
// Where a window that serves another screen opens: centred over that screen, kept on the desktop;
// and how big a window that shows a picture is.
// Without a window manager to place them, new windows would open at the desktop's corner.
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace ui
{

// The top-left corner that centres a window of `size` over `over`, moved as little as needed to
// lie inside `available` (when it fits there at all).
QPoint centredPosition(const QRect& over, const QSize& size, const QRect& available);

// Moves `window` (a top-level widget, not yet shown or shown) centred over `over`.
void centreOver(QWidget* window, const QWidget* over);

// Picture windows (exhibits, answer styles) are given an outer height of the picture's height
// plus a margin that counts a title bar of this height; the rest of the margin is client area.
inline constexpr int kTitleBarAllowance = 30;

// The client size of a window that shows `picture` at its top left: as wide as the picture (at
// least `minimumWidth`), as high as the picture plus `heightMargin` less the title bar.
QSize pictureWindowClientSize(QSize picture, int heightMargin, int minimumWidth);

// Gives a picture window its frame and ground: a single border with only the close box of the
// system menu (the window is sized by its picture, never by the person), on white.
void setUpPictureWindow(QWidget* window);

} // namespace ui
