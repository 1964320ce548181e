#include "ui/PictureButton.h"

#include "ui/PictureButtonAccessible.h"
#include "ui/PlainText.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace ui
{

PictureButton::PictureButton(QWidget* parent, const QString& objectName) : QLabel(parent)
{
    setObjectName(objectName);
    setCursor(Qt::PointingHandCursor);
    setScaledContents(false);
    // Tab only, not click: a click must not pull the focus away from the screen or a text field,
    // which would change what the mouse user's next key does.
    setFocusPolicy(Qt::TabFocus);
    installPictureButtonAccessibility();
}

FocusRing focusRingColours(const QColor& face)
{
    const QColor hsl = face.toHsl();
    return {QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), 225).toRgb(),
            QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), 35).toRgb()};
}

void PictureButton::setPicture(const QPixmap& picture)
{
    setPixmap(picture);
    // The face's average colour, taken once here rather than on every paint.
    m_ring =
        picture.isNull()
            ? FocusRing{}
            : focusRingColours(
                  picture.toImage().scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixelColor(0, 0));
    if (!picture.isNull())
        resize(picture.size());
}

void PictureButton::setHint(const QString& hint)
{
    m_hint = hint;
    showHint();
    if (accessibleName().isEmpty() || m_nameFromHint) {
        setAccessibleName(hint);
        m_nameFromHint = true;
    }
}

void PictureButton::setShortcutKey(const QKeySequence& key)
{
    m_key = key;
    showHint();
}

void PictureButton::showHint()
{
    if (m_key.isEmpty()) {
        setToolTip(plainToolTip(m_hint)); // hints name links from question and settings files
        return;
    }
    const QString key = QLatin1Char('(') + m_key.toString(QKeySequence::NativeText) + QLatin1Char(')');
    setToolTip(plainToolTip(m_hint.isEmpty() ? key : m_hint + QLatin1Char(' ') + key));
}

void PictureButton::activate()
{
    if (isEnabled())
        Q_EMIT clicked();
}

void PictureButton::sink()
{
    m_down = true;
    move(x() + 2, y() + 2);
}

void PictureButton::rise()
{
    m_down = false;
    m_downByKey = false;
    move(x() - 2, y() - 2);
}

void PictureButton::mousePressEvent(QMouseEvent* event)
{
    Q_EMIT pressed(event->button(), event->position().toPoint());
    if (!isEnabled() || !reacts(event->button()) || m_down)
        return;
    sink();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_down || m_downByKey || !reacts(event->button()))
        return;
    rise();
    // The press moved the button; judge the release against where it stood when pressed.
    const QPoint at = event->position().toPoint() + QPoint(2, 2);
    if (event->button() == Qt::LeftButton && QRect(QPoint(0, 0), size()).contains(at))
        activate();
}

void PictureButton::keyPressEvent(QKeyEvent* event)
{
    if (!isPressKey(event->key()) || event->modifiers() & ~Qt::KeypadModifier) {
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!isEnabled() || event->isAutoRepeat() || m_down)
        return;
    sink();
    m_downByKey = true;
}

void PictureButton::keyReleaseEvent(QKeyEvent* event)
{
    if (!isPressKey(event->key()) || !m_downByKey) {
        QLabel::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat())
        return;
    rise();
    activate();
}

void PictureButton::focusOutEvent(QFocusEvent* event)
{
    // Losing the focus with the key still held is like sliding off with the mouse: no press.
    if (m_downByKey)
        rise();
    QLabel::focusOutEvent(event);
}

void PictureButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        // A disabled button is skipped by Tab; enabled again, it gets back the policy it had.
        if (!isEnabled()) {
            if (focusPolicy() != Qt::NoFocus)
                m_enabledFocus = focusPolicy();
            if (m_downByKey)
                rise();
            setFocusPolicy(Qt::NoFocus);
        } else if (focusPolicy() == Qt::NoFocus) {
            setFocusPolicy(m_enabledFocus);
        }
    }
    QLabel::changeEvent(event);
}

void PictureButton::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // Inside the button's own rectangle, so neither the geometry nor the neighbours change.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A button without a picture yet takes the palette's colours.
    const FocusRing ring = m_ring.outer.isValid() ? m_ring
                                                  : FocusRing{palette().color(QPalette::Highlight),
                                                              palette().color(QPalette::HighlightedText)};
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ring.outer, 2));
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
    painter.setPen(QPen(ring.inner, 1));
    painter.drawRoundedRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5), 2, 2);
}

} // namespace ui
