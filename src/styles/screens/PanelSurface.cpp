#include "styles/screens/PanelSurface.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

using panelstyle::Point;

PanelSurface::PanelSurface(QWidget* parent, bool interactive) : QWidget(parent), m_interactive(interactive)
{
    setObjectName(QStringLiteral("Panels"));
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(interactive ? Qt::StrongFocus : Qt::NoFocus);
    setAccessibleName(QStringLiteral("パネル"));
    setAccessibleDescription(
        QStringLiteral("Tab でパネルを選び、矢印キーで次のターゲットへ動かします。Alt+矢印キーで少しずつ動かし、Enter "
                       "で置きます。Delete で元に戻します。"));
}

void PanelSurface::setBoard(panelstyle::PanelBoard* board, const QImage& picture)
{
    m_board = board;
    m_pieces.clear();
    m_pieces.reserve(size_t(board->panelCount()));
    for (const panelstyle::Item& panel : board->panels()) {
        const panelstyle::Box& box = panel.box;
        m_pieces.push_back(picture.copy(box.x1, box.y1, box.width(), box.height()));
    }
    m_chosen = board->panelCount() > 0 ? 0 : -1;
    update();
}

void PanelSurface::releaseImages()
{
    m_pieces.clear();
    m_pieces.shrink_to_fit();
    m_board = nullptr;
    m_chosen = -1;
}

void PanelSurface::paintEvent(QPaintEvent*)
{
    if (!m_board)
        return;
    QPainter painter(this);
    // Each panel was lifted off the picture: where it came from is white.
    for (const panelstyle::Item& panel : m_board->panels())
        painter.fillRect(panel.box.x1, panel.box.y1, panel.box.width(), panel.box.height(), Qt::white);
    for (int k = 0; k < int(m_pieces.size()); ++k) {
        const Point at = m_board->position(k);
        painter.drawImage(at.x, at.y, m_pieces[size_t(k)]);
    }
    if (hasFocus() && m_chosen >= 0 && m_chosen < int(m_pieces.size())) {
        const Point at = m_board->position(m_chosen);
        const QSize size = m_pieces[size_t(m_chosen)].size();
        painter.setPen(QPen(Qt::blue, 2, Qt::DotLine));
        painter.drawRect(QRect(QPoint(at.x, at.y), size).adjusted(-2, -2, 1, 1));
    }
}

void PanelSurface::changed()
{
    update();
    Q_EMIT boardChanged();
}

void PanelSurface::mousePressEvent(QMouseEvent* event)
{
    if (!m_interactive || !m_board || m_board->lifted() >= 0)
        return;
    const QPoint p = event->position().toPoint();
    const int k = m_board->panelAt({p.x(), p.y()});
    if (k < 0)
        return;
    const Point at = m_board->position(k);
    m_board->pickUp(k, {p.x() - at.x, p.y() - at.y});
    m_chosen = k;
    changed();
}

void PanelSurface::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_interactive || !m_board || m_board->lifted() < 0)
        return;
    const QPoint p = event->position().toPoint();
    const Point before = m_board->position(m_board->lifted());
    m_board->dragTo({p.x(), p.y()});
    // Repaint only where the panel was and where it is now.
    const QSize size = m_pieces[size_t(m_board->lifted())].size();
    const Point after = m_board->position(m_board->lifted());
    update(QRect(QPoint(before.x, before.y), size).adjusted(-3, -3, 3, 3));
    update(QRect(QPoint(after.x, after.y), size).adjusted(-3, -3, 3, 3));
}

void PanelSurface::mouseReleaseEvent(QMouseEvent*)
{
    if (!m_interactive || !m_board || m_board->lifted() < 0)
        return;
    m_board->drop();
    changed();
}

void PanelSurface::choose(int panel)
{
    // A panel moved by the keys and left for another is dropped as the mouse would drop it.
    if (m_board->lifted() >= 0 && m_board->lifted() != panel)
        m_board->drop();
    m_chosen = panel;
    changed();
}

void PanelSurface::keyPressEvent(QKeyEvent* event)
{
    if (!m_interactive || !m_board || m_chosen < 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int key = event->key();
    const bool arrow = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (arrow && (event->modifiers() & Qt::AltModifier)) {
        // Alt with the arrows: pixel steps (10 with Shift), dropped by Enter as the mouse drops.
        const int step = (event->modifiers() & Qt::ShiftModifier) ? 10 : 1;
        const int dx = key == Qt::Key_Left ? -step : key == Qt::Key_Right ? step : 0;
        const int dy = key == Qt::Key_Up ? -step : key == Qt::Key_Down ? step : 0;
        m_board->nudge(m_chosen, dx, dy);
        changed();
        return;
    }
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down: {
        // One press, one target: on to the next free one in reading order, or back.
        const int target = m_board->targetStep(m_chosen, key == Qt::Key_Right || key == Qt::Key_Down);
        if (target < 0)
            return;
        m_board->placeOn(m_chosen, target);
        break;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_board->lifted() != m_chosen) {
            QWidget::keyPressEvent(event);
            return;
        }
        m_board->drop();
        break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        m_board->sendHome(m_chosen);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    changed();
}

void PanelSurface::focusInEvent(QFocusEvent* event)
{
    if (m_board && m_board->panelCount() > 0) {
        if (event->reason() == Qt::TabFocusReason)
            m_chosen = 0;
        else if (event->reason() == Qt::BacktabFocusReason)
            m_chosen = m_board->panelCount() - 1;
    }
    QWidget::focusInEvent(event);
    update();
}

bool PanelSurface::focusNextPrevChild(bool next)
{
    // Tab reaches this only while the surface holds the focus.
    if (m_interactive && m_board) {
        const int to = m_chosen + (next ? 1 : -1);
        if (to >= 0 && to < m_board->panelCount()) {
            choose(to);
            return true;
        }
        if (m_board->lifted() >= 0)
            m_board->drop();
        update();
    }
    return QWidget::focusNextPrevChild(next);
}
