#include "styles/screens/ConnectorSurface.h"

#include "ui/ArrowStep.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

using connectorstyle::Point;

ConnectorSurface::ConnectorSurface(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Connections"));
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("コネクト"));
    setAccessibleDescription(QStringLiteral(
        "Tab でオブジェクト、コネクタの種類、引いたコネクタを選びます。Space でオブジェクトを選択、Shift+Space で 2 "
        "つ目を選択し、数字キーか種類の上の Enter でつなぎます。矢印キーでオブジェクトを動かし、Delete "
        "でコネクタを消します。"));
}

void ConnectorSurface::releaseImages()
{
    m_pictures = {};
    m_focus = Focus::None;
    m_number = 0;
}

void ConnectorSurface::chooseFirstObject()
{
    const bool any = m_board && m_board->objectCount() > 0;
    m_focus = any ? Focus::Object : Focus::None;
    m_number = any ? 1 : 0;
}

void ConnectorSurface::connectionDeleted()
{
    if (m_focus != Focus::Connection)
        return;
    const int count = m_board->connectionCount();
    if (count > 0) {
        m_number = std::min(m_number, count);
        m_board->chooseConnection(m_number);
    } else {
        m_focus = m_board->kindCount() > 0 ? Focus::Kind : Focus::None;
        m_number = m_board->kindCount();
    }
}

void ConnectorSurface::paintEvent(QPaintEvent*)
{
    if (!m_board || m_pictures.canvas.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, m_pictures.canvas);
    painter.drawImage(0, 0, m_pictures.band);
    for (int c = 1; c <= m_board->kindCount() && c <= int(m_pictures.palette.size()); ++c) {
        const connectorstyle::Box& box = m_board->kinds()[size_t(c - 1)].box;
        painter.drawImage(box.x1, box.y1, m_pictures.palette[size_t(c - 1)]);
    }
    for (int i = 1; i <= m_board->objectCount() && i <= int(m_pictures.objects.size()); ++i) {
        const connectorstyle::StyleObject& o = m_board->object(i);
        if (o.selected) {
            QImage inverted = m_pictures.objects[size_t(i - 1)];
            inverted.invertPixels();
            painter.drawImage(o.position.x, o.position.y, inverted);
        } else {
            painter.drawImage(o.position.x, o.position.y, m_pictures.objects[size_t(i - 1)]);
        }
    }
    if (hasFocus() && m_focus != Focus::None) {
        painter.setPen(QPen(Qt::blue, 2, Qt::DotLine));
        painter.drawRect(focusRect());
    }
}

QRect ConnectorSurface::focusRect() const
{
    connectorstyle::Box box;
    switch (m_focus) {
    case Focus::Object: {
        const connectorstyle::StyleObject& o = m_board->object(m_number);
        box = {o.position.x, o.position.y, o.position.x + o.width(), o.position.y + o.height()};
        break;
    }
    case Focus::Kind:
        box = m_board->kinds()[size_t(m_number - 1)].box;
        break;
    case Focus::Connection:
        box = m_board->connections()[size_t(m_number - 1)].drawn;
        break;
    case Focus::None:
        return {};
    }
    return QRect(box.x1, box.y1, box.width(), box.height()).adjusted(-3, -3, 2, 2);
}

void ConnectorSurface::mousePressEvent(QMouseEvent* event)
{
    if (!m_board)
        return;
    const QPoint p = event->position().toPoint();
    m_pressButton = event->button();
    m_pressedKind = 0;
    m_pressedObject = false;
    if (const int i = m_board->objectAt({p.x(), p.y()})) {
        const Point at = m_board->object(i).position;
        m_board->objectMouseDown(i, {p.x() - at.x, p.y() - at.y}, event->modifiers() & Qt::ShiftModifier);
        m_pressedObject = true;
        return;
    }
    if (const int c = m_board->kindAt({p.x(), p.y()})) {
        m_pressedKind = c;
        return;
    }
    // The band lies above the drawing surface and takes no clicks of its own.
    if (p.y() < connectorstyle::kBandHeight && p.x() < m_pictures.band.width())
        return;
    if (p.x() < m_pictures.canvas.width() && p.y() < m_pictures.canvas.height())
        Q_EMIT surfacePressed(p.x(), p.y());
}

void ConnectorSurface::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_board || m_board->dragging() == 0)
        return;
    const QPoint p = event->position().toPoint();
    m_board->dragTo({p.x(), p.y()});
    update();
}

void ConnectorSurface::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_board)
        return;
    const QPoint p = event->position().toPoint();
    if (m_pressedObject) {
        m_pressedObject = false;
        const int i = m_board->dragging();
        m_board->objectMouseUp();
        Q_EMIT objectReleased();
        // The object followed the pointer, so the release is always a click on it.
        if (i != 0 && event->button() == Qt::LeftButton && m_pressButton == Qt::LeftButton) {
            m_board->objectClick(i);
            // The keyboard goes on from the object the mouse clicked.
            setEntry(i - 1);
        }
        return;
    }
    const int c = m_pressedKind;
    m_pressedKind = 0;
    if (c != 0 && event->button() == Qt::LeftButton && m_board->kindAt({p.x(), p.y()}) == c)
        Q_EMIT kindClicked(c);
}

int ConnectorSurface::entryCount() const
{
    return m_board ? m_board->objectCount() + m_board->kindCount() + m_board->connectionCount() : 0;
}

int ConnectorSurface::entry() const
{
    switch (m_focus) {
    case Focus::Object:
        return m_number - 1;
    case Focus::Kind:
        return m_board->objectCount() + m_number - 1;
    case Focus::Connection:
        return m_board->objectCount() + m_board->kindCount() + m_number - 1;
    case Focus::None:
        break;
    }
    return -1;
}

void ConnectorSurface::setEntry(int entry)
{
    const bool wasConnection = m_focus == Focus::Connection;
    const int objects = m_board ? m_board->objectCount() : 0;
    const int kinds = m_board ? m_board->kindCount() : 0;
    if (entry < 0 || entry >= entryCount()) {
        m_focus = Focus::None;
        m_number = 0;
    } else if (entry < objects) {
        m_focus = Focus::Object;
        m_number = entry + 1;
    } else if (entry < objects + kinds) {
        m_focus = Focus::Kind;
        m_number = entry - objects + 1;
    } else {
        m_focus = Focus::Connection;
        m_number = entry - objects - kinds + 1;
    }
    // The connector the keyboard rests on is the selected one, so Delete removes it.
    if (m_focus == Focus::Connection || wasConnection) {
        m_board->chooseConnection(m_focus == Focus::Connection ? m_number : 0);
        Q_EMIT connectionChosen();
    }
    update();
}

void ConnectorSurface::keyPressEvent(QKeyEvent* event)
{
    if (!m_board) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int key = event->key();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (key >= Qt::Key_1 && key <= Qt::Key_9) {
        Q_EMIT kindClicked(key - Qt::Key_0);
        return;
    }
    const int step = shift ? 10 : 1;
    if (m_focus == Focus::Object) {
        if (const auto move = ui::arrowStep(key, step)) {
            m_board->moveObject(m_number, move->x(), move->y());
            Q_EMIT objectReleased(); // connections follow at once
            return;
        }
        if (key == Qt::Key_Space) {
            m_board->selectObject(m_number, shift);
            update();
            return;
        }
    }
    if (m_focus == Focus::Kind && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        Q_EMIT kindClicked(m_number);
        return;
    }
    // Delete and the rest go on to the screen, which sees every key.
    event->ignore();
}

void ConnectorSurface::focusInEvent(QFocusEvent* event)
{
    if (event->reason() == Qt::TabFocusReason)
        setEntry(0);
    else if (event->reason() == Qt::BacktabFocusReason)
        setEntry(entryCount() - 1);
    QWidget::focusInEvent(event);
    update();
}

void ConnectorSurface::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

bool ConnectorSurface::focusNextPrevChild(bool next)
{
    // Tab reaches this only while the surface holds the focus.
    if (m_board) {
        const int to = entry() + (next ? 1 : -1);
        if (to >= 0 && to < entryCount()) {
            setEntry(to);
            return true;
        }
        setEntry(-1);
    }
    return QWidget::focusNextPrevChild(next);
}
