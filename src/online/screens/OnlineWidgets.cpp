#include "online/screens/OnlineWidgets.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

namespace onlinescreens {

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

void keepPainting()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace onlinescreens
