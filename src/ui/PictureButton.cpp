#include "ui/PictureButton.h"

#include <QMouseEvent>

namespace ui {

PictureButton::PictureButton(QWidget* parent, const QString& objectName) : QLabel(parent)
{
    setObjectName(objectName);
    setCursor(Qt::PointingHandCursor);
    setScaledContents(false);
}

void PictureButton::setPicture(const QPixmap& picture)
{
    setPixmap(picture);
    if (!picture.isNull())
        resize(picture.size());
}

void PictureButton::mousePressEvent(QMouseEvent* event)
{
    Q_EMIT pressed(event->button(), event->position().toPoint());
    if (!isEnabled() || !reacts(event->button()) || m_down)
        return;
    m_down = true;
    move(x() + 2, y() + 2);
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_down || !reacts(event->button()))
        return;
    m_down = false;
    move(x() - 2, y() - 2);
    // The press moved the button; judge the release against where it stood when pressed.
    const QPoint at = event->position().toPoint() + QPoint(2, 2);
    if (event->button() == Qt::LeftButton && isEnabled() && QRect(QPoint(0, 0), size()).contains(at))
        Q_EMIT clicked();
}

} // namespace ui
