#include "ui/FocusFrame.h"

#include <QEvent>
#include <QPainter>
#include <QPen>
#include <QWidget>

namespace ui
{
namespace
{

// A dark line lined inside with a light dotted one: it shows on light text panels and dark ones.
class FocusFrame : public QWidget
{
  public:
    FocusFrame(QWidget* holder, QWidget* covered) : QWidget(holder), m_holder(holder), m_covered(covered)
    {
        setObjectName(QStringLiteral("FocusFrame"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
        // Placed afresh at each focus: the text is only laid out anew (the window unfolding) by a
        // click elsewhere, which takes the focus first.
        holder->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::FocusIn:
            if (watched == m_holder) {
                setGeometry(m_covered->geometry());
                raise();
                show();
            }
            break;
        case QEvent::FocusOut:
            if (watched == m_holder)
                hide();
            break;
        default:
            break;
        }
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }

  private:
    QWidget* m_holder;
    QWidget* m_covered;
};

} // namespace

void showFocusFrame(QWidget* holder, QWidget* covered)
{
    new FocusFrame(holder, covered);
}

} // namespace ui
