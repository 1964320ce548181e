#include "ui/Screen.h"

#include <QCloseEvent>
#include <QEventLoop>

namespace ui {

Screen::Screen(const QString& objectName, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(objectName);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void Screen::showModal()
{
    if (!FormCanShow())
        return;
    setWindowModality(Qt::ApplicationModal);
    m_modal = true;
    show();
    // Under test, screens are driven directly; a nested loop would wait for a person.
    if (qEnvironmentVariableIntValue("QUARVEL_TESTING") != 1) {
        QEventLoop loop;
        connect(this, &Screen::destroyed, &loop, &QEventLoop::quit);
        while (isVisible())
            loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void Screen::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void Screen::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return; // minimising is not hiding the screen
    if (m_modal) {
        m_modal = false;
        setWindowModality(Qt::NonModal);
    }
    FormHide();
}

void Screen::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    FormClose();
}

bool Screen::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(event);
}

} // namespace ui
