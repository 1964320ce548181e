#include "ui/PictureButtonAccessible.h"

#include "ui/PictureButton.h"

namespace ui
{

namespace
{
QAccessibleInterface* pictureButtonFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String(PictureButton::staticMetaObject.className()))
        return nullptr;
    auto* button = qobject_cast<PictureButton*>(object);
    return button ? new PictureButtonAccessible(button) : nullptr;
}
} // namespace

PictureButtonAccessible::PictureButtonAccessible(PictureButton* button) : QAccessibleWidget(button, QAccessible::Button)
{
}

PictureButton* PictureButtonAccessible::button() const
{
    return static_cast<PictureButton*>(widget());
}

QString PictureButtonAccessible::text(QAccessible::Text t) const
{
    const PictureButton* b = button();
    switch (t) {
    case QAccessible::Name: {
        // A name given by the screen, else a caption in text, else the hint.
        if (!b->accessibleName().isEmpty())
            return b->accessibleName();
        if (!b->text().isEmpty())
            return b->text();
        return b->hint();
    }
    case QAccessible::Description:
        if (!b->accessibleDescription().isEmpty())
            return b->accessibleDescription();
        return b->hint() != text(QAccessible::Name) ? b->hint() : QString();
    case QAccessible::Accelerator:
        return b->shortcutKey().toString(QKeySequence::NativeText);
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State PictureButtonAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.pressed = button()->isPressedDown();
    return s;
}

QStringList PictureButtonAccessible::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    if (button()->isEnabled())
        names.prepend(pressAction());
    return names;
}

void PictureButtonAccessible::doAction(const QString& actionName)
{
    // The same path as a click and the keys, so the screen's handler runs exactly once.
    if (actionName == pressAction())
        button()->activate();
    else
        QAccessibleWidget::doAction(actionName);
}

QStringList PictureButtonAccessible::keyBindingsForAction(const QString& actionName) const
{
    if (actionName == pressAction() && !button()->shortcutKey().isEmpty())
        return {button()->shortcutKey().toString(QKeySequence::NativeText)};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

void installPictureButtonAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(pictureButtonFactory);
        return true;
    }();
    (void)installed;
}

} // namespace ui
