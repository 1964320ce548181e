#pragma once
// The pixel step an arrow key asks for, shared by the surfaces that move things by keys.
#include <QPoint>
#include <Qt>
#include <optional>

namespace ui
{

// (±step, 0) or (0, ±step) for the four arrows; nothing for any other key.
inline std::optional<QPoint> arrowStep(int key, int step)
{
    switch (key) {
    case Qt::Key_Left:
        return QPoint(-step, 0);
    case Qt::Key_Right:
        return QPoint(step, 0);
    case Qt::Key_Up:
        return QPoint(0, -step);
    case Qt::Key_Down:
        return QPoint(0, step);
    default:
        return std::nullopt;
    }
}

} // namespace ui
