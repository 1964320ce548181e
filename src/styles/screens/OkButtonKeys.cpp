#include "styles/screens/OkButtonKeys.h"

#include "styles/screens/StyleScreen.h"
#include "ui/PictureButton.h"

#include <QFrame>
#include <QKeyEvent>
#include <QPointer>

namespace
{

// Watches the OK button: a dotted ring around it while it has the focus, Space and Enter press it.
// The ring is a frame of its own, so nothing of the button is touched while it is being destroyed.
class OkKeys : public QObject
{
  public:
    OkKeys(StyleScreen* screen, QFrame* ring)
        : QObject(screen), m_screen(screen), m_ok(screen->okButton()), m_ring(ring)
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_ok)
            return false;
        switch (event->type()) {
        case QEvent::FocusIn:
            if (m_ring) {
                m_ring->setGeometry(m_ok->geometry().adjusted(-3, -3, 3, 3));
                m_ring->show();
                m_ring->raise();
            }
            break;
        case QEvent::FocusOut:
            if (m_ring)
                m_ring->hide();
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
    QWidget* m_ok;
    QPointer<QFrame> m_ring;
};

} // namespace

void makeOkButtonKeyboardReachable(StyleScreen* screen)
{
    ui::PictureButton* ok = screen->okButton();
    ok->setFocusPolicy(Qt::StrongFocus);
    ok->setAccessibleName(QStringLiteral("OK"));
    auto* ring = new QFrame(screen);
    ring->setObjectName(QStringLiteral("OkFocusRing"));
    ring->setStyleSheet(QStringLiteral("QFrame { border: 2px dotted #2050a0; background: transparent; }"));
    ring->setAttribute(Qt::WA_TransparentForMouseEvents);
    ring->setFocusPolicy(Qt::NoFocus);
    ring->hide();
    ok->installEventFilter(new OkKeys(screen, ring));
}
