#include "online/screens/ProxyFields.h"

#include <QCoreApplication>
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
        field->setPalette(palette);
    }
}

void keepPainting()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace onlinescreens
