#include "ui/KeyHelp.h"

#include <QAbstractSpinBox>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>

namespace ui
{

namespace
{

constexpr auto kPanelName = "KeyHelpPanel";

class KeyHelpPanel : public QFrame
{
  public:
    KeyHelpPanel(QWidget* window, const QList<KeyHelpEntry>& entries) : QFrame(window), m_back(window->focusWidget())
    {
        setObjectName(QLatin1String(kPanelName));
        setFrameShape(QFrame::Box);
        setLineWidth(2);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xF0));
        p.setColor(QPalette::WindowText, Qt::black);
        setPalette(p);
        setFocusPolicy(Qt::StrongFocus);
        setAccessibleName(QStringLiteral("キー操作"));

        auto* grid = new QGridLayout(this);
        grid->setContentsMargins(10, 8, 10, 8);
        grid->setHorizontalSpacing(14);
        grid->setVerticalSpacing(3);
        auto* title = new QLabel(QStringLiteral("キー操作"), this);
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
        grid->addWidget(title, 0, 0, 1, 2);
        int row = 1;
        for (const KeyHelpEntry& entry : entries) {
            auto* keys = new QLabel(entry.keys, this);
            keys->setFont(bold);
            keys->setTextFormat(Qt::PlainText);
            auto* action = new QLabel(entry.action, this);
            action->setTextFormat(Qt::PlainText);
            action->setWordWrap(true);
            grid->addWidget(keys, row, 0, Qt::AlignTop);
            grid->addWidget(action, row, 1, Qt::AlignTop);
            ++row;
        }
        auto* footer = new QLabel(QStringLiteral("何かキーを押すと閉じます"), this);
        QPalette grey = footer->palette();
        grey.setColor(QPalette::WindowText, QColor(0x55, 0x55, 0x55));
        footer->setPalette(grey);
        grid->addWidget(footer, row, 0, 1, 2);

        // Within the window, however small the window is.
        const QSize room = window->size() - QSize(8, 8);
        setMaximumSize(room);
        resize(sizeHint().boundedTo(room));
        move((window->width() - width()) / 2, std::max(4, (window->height() - height()) / 2));
        raise();
        show();
        setFocus(Qt::OtherFocusReason);
    }

    void dismiss()
    {
        if (m_closing)
            return;
        m_closing = true;
        if (m_back && m_back->isVisible())
            m_back->setFocus(Qt::OtherFocusReason);
        else
            clearFocus();
        hide();
        deleteLater();
    }

  protected:
    bool event(QEvent* event) override
    {
        // Every key, Tab and Escape included, closes the panel and goes no further.
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
            event->accept();
            if (event->type() == QEvent::KeyPress)
                dismiss();
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            dismiss();
            return true;
        }
        if (event->type() == QEvent::FocusOut && !m_closing) {
            // The window lost the focus to another control or window: the panel goes too.
            if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
                dismiss();
        }
        return QFrame::event(event);
    }

  private:
    QPointer<QWidget> m_back;
    bool m_closing = false;
};

} // namespace

QWidget* openKeyHelp(const QWidget* window)
{
    for (QWidget* panel : window->findChildren<QWidget*>(QLatin1String(kPanelName), Qt::FindDirectChildrenOnly))
        if (panel->isVisible())
            return panel;
    return nullptr;
}

QWidget* showKeyHelp(QWidget* window, const QList<KeyHelpEntry>& entries)
{
    if (QWidget* open = openKeyHelp(window))
        return open;
    return new KeyHelpPanel(window, entries);
}

bool asksForKeyHelp(const QObject* receiver, const QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && !(event->modifiers() & ~Qt::KeypadModifier))
        return true;
    if (event->text() != QLatin1String("?"))
        return false;
    if (const auto* line = qobject_cast<const QLineEdit*>(receiver))
        return line->isReadOnly();
    if (qobject_cast<const QAbstractSpinBox*>(receiver))
        return false;
    // A text box takes the key through its viewport's parent.
    for (const QObject* o = receiver; o; o = o->parent()) {
        if (const auto* text = qobject_cast<const QPlainTextEdit*>(o))
            return text->isReadOnly();
        if (const auto* text = qobject_cast<const QTextEdit*>(o))
            return text->isReadOnly();
        if (o->isWidgetType() && static_cast<const QWidget*>(o)->isWindow())
            break;
    }
    return true;
}

} // namespace ui
