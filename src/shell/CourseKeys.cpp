#include "shell/CourseKeys.h"

#include "install/CourseListing.h"

#include <algorithm>

namespace
{
// Keypad arrows are the same arrows.
bool plain(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & ~Qt::KeypadModifier) == Qt::NoModifier;
}
} // namespace

int tabAfterKey(int key, Qt::KeyboardModifiers modifiers, int current, int count)
{
    if (count < 1 || current < 1 || current > count)
        return 0;
    int target = current;
    const Qt::KeyboardModifiers chord = modifiers & ~Qt::KeypadModifier;
    if (plain(modifiers) && key == Qt::Key_Left)
        target = std::max(1, current - 1);
    else if (plain(modifiers) && key == Qt::Key_Right)
        target = std::min(count, current + 1);
    else if (key == Qt::Key_Tab && chord == Qt::ControlModifier)
        target = current % count + 1;
    else if ((key == Qt::Key_Backtab || key == Qt::Key_Tab) && chord == (Qt::ControlModifier | Qt::ShiftModifier))
        target = (current + count - 2) % count + 1;
    return target == current ? 0 : target;
}

int rowAfterKey(int key, Qt::KeyboardModifiers modifiers, int current, int count)
{
    if (count < 1 || !plain(modifiers))
        return 0;
    int target = current;
    switch (key) {
    case Qt::Key_Up:
        target = current - 1;
        break;
    case Qt::Key_Down:
        target = current + 1;
        break;
    case Qt::Key_PageUp:
        target = current - kRowsWithoutScrolling;
        break;
    case Qt::Key_PageDown:
        target = current + kRowsWithoutScrolling;
        break;
    case Qt::Key_Home:
        target = 1;
        break;
    case Qt::Key_End:
        target = count;
        break;
    default:
        return 0;
    }
    target = std::clamp(target, 1, count);
    return target == current ? 0 : target;
}
