#include "ui/Screen.h"

#include "ui/Placement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>
#include <QWindow>
#include <QWindowStateChangeEvent>

namespace ui
{

namespace
{
// Screens in the order they were last shown, the latest at the end.
QList<QPointer<Screen>>& shownOrder()
{
    static QList<QPointer<Screen>> order;
    return order;
}

// F1 (or "?") on any screen, whatever control has the focus: the screen's key help.
class KeyHelpKey : public QObject
{
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        auto* screen = qobject_cast<Screen*>(static_cast<QWidget*>(watched)->window());
        if (!screen || !asksForKeyHelp(watched, static_cast<QKeyEvent*>(event)) || openKeyHelp(screen))
            return false;
        screen->showKeyHelp();
        return true;
    }
};

void watchForKeyHelp()
{
    static QPointer<QObject> watcher;
    if (!watcher && qApp) {
        watcher = new KeyHelpKey(qApp);
        qApp->installEventFilter(watcher);
    }
}

// What every screen's panel ends with.
const QList<KeyHelpEntry>& commonKeys()
{
    static const QList<KeyHelpEntry> keys{
        {QStringLiteral("Tab / Shift+Tab"), QStringLiteral("次の項目 / 前の項目へ")},
        {QStringLiteral("F1 / ?"), QStringLiteral("このキー一覧を表示")},
    };
    return keys;
}
} // namespace

QWidget* Screen::servedWindow(const QWidget* window)
{
    QWidget* active = QApplication::activeWindow();
    // A modeless window beside a screen (an exhibit, the explanation) asks nothing of its own:
    // what opens now serves the screen it belongs to. Bounded, so that no chain of owners loops.
    for (int depth = 0; depth < 8; ++depth) {
        const auto* screen = qobject_cast<const Screen*>(active);
        if (!screen || screen->isShownModally() || !screen->owner() || !screen->owner()->isVisible())
            break;
        active = screen->owner();
    }
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
    watchForKeyHelp();
}

void Screen::showKeyHelp()
{
    QList<KeyHelpEntry> entries = m_keyHelp;
    if (m_escapeCloses)
        entries << KeyHelpEntry{QStringLiteral("Esc"), QStringLiteral("このウィンドウを閉じる")};
    entries << commonKeys();
    ui::showKeyHelp(this, entries);
}

void Screen::setVisible(bool visible)
{
    QWidget::setVisible(visible);
    if (visible && isWindow())
        activateWindow();
}

void Screen::showModal(QWidget* over)
{
    if (!FormCanShow())
        return;
    // Over the screen it serves and owned by it; a screen with a place of its own moves itself
    // when shown.
    QWidget* served = over ? over->window() : Screen::servedWindow(this);
    setOwner(served);
    setWindowModality(Qt::ApplicationModal);
    m_modal = true;
    m_placeOver = served;
    show();
    m_placeOver = nullptr;
    // Under test, screens are driven directly; a nested loop would wait for a person.
    if (qEnvironmentVariableIntValue("QUARVEL_TESTING") != 1) {
        QEventLoop loop;
        connect(this, &Screen::destroyed, &loop, &QEventLoop::quit);
        while (isVisible())
            loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void Screen::showOver(QWidget* over)
{
    m_placeOver = over ? over->window() : nullptr;
    show();
    m_placeOver = nullptr;
}

void Screen::setOwner(QWidget* owner)
{
    QWidget* top = owner ? owner->window() : nullptr;
    if (top == this)
        top = nullptr;
    m_owner = top;
    if (!top && !windowHandle())
        return;
    // The transient parent is what keeps a window over its owner and takes it along when the
    // owner is minimised; both need native windows.
    if (top)
        top->winId();
    winId();
    windowHandle()->setTransientParent(top ? top->windowHandle() : nullptr);
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
        const QPoint before = pos();
        FormShow();
        // Still where the show handler left it: over the screen it serves, by the one rule.
        if (m_placeOver && pos() == before)
            centreOver(this, m_placeOver);
    }
    m_placeOver = nullptr;
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
    m_minimisedWithOwner = false;
    setOwner(nullptr);
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
    // Keys no control took end here.
    if (event->type() == QEvent::KeyPress && m_escapeCloses) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && !(key->modifiers() & ~Qt::KeypadModifier)) {
            close();
            return true;
        }
    }
    return QWidget::event(event);
}

void Screen::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const bool wasMinimised = static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized;
    const bool minimised = isMinimized();
    if (minimised == wasMinimised)
        return;
    // The whole program goes to the taskbar with the screen that shows, and comes back with it:
    // the windows it owns follow (and theirs follow them).
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* owned = qobject_cast<Screen*>(widget);
        if (!owned || owned == this || owned->owner() != this)
            continue;
        if (minimised && owned->isVisible() && !owned->isMinimized()) {
            owned->m_minimisedWithOwner = true;
            owned->setWindowState(owned->windowState() | Qt::WindowMinimized);
        } else if (!minimised && owned->m_minimisedWithOwner) {
            owned->m_minimisedWithOwner = false;
            owned->setWindowState(owned->windowState() & ~Qt::WindowMinimized);
        }
    }
}

} // namespace ui
