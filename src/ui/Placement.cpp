#include "ui/Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace ui {

void placeInScreenCentre(QWidget* window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!window || !screen)
        return;
    // Before the first showing the frame is not known yet; the client size stands in for it.
    const QSize frame = window->frameGeometry().size().expandedTo(window->size());
    const QRect area = screen->availableGeometry();
    window->move(area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2);
}

} // namespace ui

namespace ui {

QSize pictureWindowClientSize(QSize picture, int heightMargin, int minimumWidth)
{
    return QSize(std::max(picture.width(), minimumWidth), picture.height() + std::max(0, heightMargin - kTitleBarAllowance));
}

} // namespace ui
