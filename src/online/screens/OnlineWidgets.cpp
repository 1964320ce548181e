#include "online/screens/OnlineWidgets.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>

namespace onlinescreens
{

namespace
{

const char* const kPrompts = "quarvelPrompts";
int g_busy = 0;

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

bool stillPrompt(const QLineEdit* field)
{
    return field->property(kPrompts).toStringList().contains(field->text());
}

// Clears a field that still holds its prompt just before something would be written into it.
class PromptFilter : public QObject
{
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (!field || !stillPrompt(field))
            return false;
        switch (event->type()) {
        case QEvent::FocusIn:
            // After the click that gave the focus has placed the cursor.
            QMetaObject::invokeMethod(
                field,
                [field] {
                    if (stillPrompt(field))
                        field->selectAll();
                },
                Qt::QueuedConnection);
            break;
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            const bool writes = (!text.isEmpty() && text.at(0).isPrint()) || key->matches(QKeySequence::Paste) ||
                                key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete;
            if (writes && !field->isReadOnly())
                field->clear();
            break;
        }
        case QEvent::InputMethod:
            if (!static_cast<QInputMethodEvent*>(event)->commitString().isEmpty())
                field->clear();
            break;
        default:
            break;
        }
        return false;
    }
};

} // namespace

void setProxyFieldsEnabled(QLineEdit* server, QLineEdit* port, bool enabled)
{
    for (QLineEdit* field : {server, port}) {
        field->setEnabled(enabled);
        QPalette palette = field->palette();
        const QColor colour = enabled ? QColor(Qt::white) : QColor(0xC0, 0xC0, 0xC0);
        palette.setColor(QPalette::Active, QPalette::Base, colour);
        palette.setColor(QPalette::Inactive, QPalette::Base, colour);
        palette.setColor(QPalette::Disabled, QPalette::Base, colour);
        // The style's greyed text vanishes on silver; the prompt in the field must stay readable.
        palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x40, 0x40, 0x40));
        field->setPalette(palette);
    }
}

QLabel* label(QWidget* parent, const QString& name, const QString& text, const QRect& where)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(where);
    return l;
}

void holdsPrompt(QLineEdit* field, const QStringList& prompts)
{
    field->setProperty(kPrompts, prompts);
    field->installEventFilter(new PromptFilter(field));
}

QString fieldValue(const QLineEdit* field)
{
    return stillPrompt(field) ? QString() : field->text().trimmed();
}

TransferBusy::TransferBusy()
{
    ++g_busy;
    qApp->installEventFilter(this);
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

TransferBusy::~TransferBusy()
{
    // Input that arrived while the transfer blocked is still queued: take it now, while it is
    // thrown away, so that a key pressed meanwhile cannot close the message that follows.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
    --g_busy;
}

bool TransferBusy::active()
{
    return g_busy > 0;
}

bool TransferBusy::eventFilter(QObject*, QEvent* event)
{
    return isUserInput(event->type());
}

void keepPainting()
{
    QCoreApplication::processEvents(TransferBusy::active() ? QEventLoop::AllEvents
                                                           : QEventLoop::ExcludeUserInputEvents);
}

} // namespace onlinescreens
