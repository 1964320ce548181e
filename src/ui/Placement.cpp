#include "ui/Placement.h"

#include <QPalette>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace ui
{

QPoint centredPosition(const QRect& over, const QSize& size, const QRect& available)
{
    QPoint at(over.x() + (over.width() - size.width()) / 2, over.y() + (over.height() - size.height()) / 2);
    if (available.isValid()) {
        at.setX(std::clamp(at.x(), available.left(), std::max(available.left(), available.right() + 1 - size.width())));
        at.setY(std::clamp(at.y(), available.top(), std::max(available.top(), available.bottom() + 1 - size.height())));
    }
    return at;
}

void centreOver(QWidget* window, const QWidget* over)
{
    if (!window || !over)
        return;
    const QScreen* screen = over->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    const QSize frame = window->frameGeometry().size().expandedTo(window->size());
    window->move(centredPosition(over->frameGeometry(), frame, available));
}

QSize pictureWindowClientSize(QSize picture, int heightMargin, int minimumWidth)
{
    return QSize(std::max(picture.width(), minimumWidth),
                 picture.height() + std::max(0, heightMargin - kTitleBarAllowance));
}

void setUpPictureWindow(QWidget* window)
{
    window->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    window->setAutoFillBackground(true);
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, Qt::white);
    window->setPalette(palette);
}

} // namespace ui
