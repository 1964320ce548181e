#include "ui/Screen.h"

#include "ui/Placement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QPointer>

namespace ui {

namespace {
// Screens in the order they were last shown, the latest at the end.
QList<QPointer<Screen>>& shownOrder()
{
    static QList<QPointer<Screen>> order;
    return order;
}
} // namespace

QWidget* Screen::servedWindow(const QWidget* window)
{
    QWidget* active = QApplication::activeWindow();
    if (active && active != window && active->isVisible())
        return active;
    const auto& order = shownOrder();
    for (auto it = order.crbegin(); it != order.crend(); ++it)
        if (*it && it->data() != window && (*it)->isVisible())
            return it->data();
    return nullptr;
}

Screen::Screen(const QString& objectName, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(objectName);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void Screen::showModal()
{
    if (!FormCanShow())
        return;
    // Over the screen it serves; a screen with a place of its own moves itself when shown.
    centreOver(this, Screen::servedWindow(this));
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

void Screen::prepare()
{
    if (m_prepared)
        return;
    m_prepared = true;
    FormPrepare();
}

void Screen::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    auto& order = shownOrder();
    order.removeAll(QPointer<Screen>(this));
    order.removeAll(QPointer<Screen>());
    order.append(this);
    if (!event->spontaneous()) {
        prepare();
        FormShow();
    }
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
