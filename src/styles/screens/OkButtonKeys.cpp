#include "styles/screens/OkButtonKeys.h"

#include "styles/screens/StyleScreen.h"
#include "ui/PictureButton.h"

#include <QKeyEvent>
#include <QPainter>

namespace {

class OkKeys : public QObject {
public:
    OkKeys(StyleScreen* screen) : QObject(screen), m_screen(screen) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        ui::PictureButton* ok = m_screen->okButton();
        if (watched != ok)
            return false;
        switch (event->type()) {
        case QEvent::FocusIn: {
            m_plain = ok->pixmap();
            QPixmap ring = m_plain;
            if (!ring.isNull()) {
                QPainter painter(&ring);
                painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
                painter.drawRect(ring.rect().adjusted(2, 2, -3, -3));
            }
            ok->setPixmap(ring);
            break;
        }
        case QEvent::FocusOut:
            if (!m_plain.isNull())
                ok->setPixmap(m_plain);
            break;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_screen->pressOk();
                return true;
            }
            break;
        }
        default:
            break;
        }
        return false;
    }

private:
    StyleScreen* m_screen;
    QPixmap m_plain;
};

} // namespace

void makeOkButtonKeyboardReachable(StyleScreen* screen)
{
    ui::PictureButton* ok = screen->okButton();
    ok->setFocusPolicy(Qt::StrongFocus);
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->installEventFilter(new OkKeys(screen));
}
