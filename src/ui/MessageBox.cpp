#include "ui/MessageBox.h"

#include "ui/Placement.h"
#include "ui/Screen.h"

#include <QApplication>
#include <QQueue>
#include <QTimer>

#include <bit>

namespace ui
{
namespace
{
struct Recorder {
    bool automatic = qEnvironmentVariableIntValue("QUARVEL_TESTING") == 1;
    QQueue<QMessageBox::StandardButton> answers;
    QList<ShownMessage> shown;
};
Recorder& recorder()
{
    static Recorder r;
    return r;
}
} // namespace

QMessageBox::StandardButton enterButton(QMessageBox::StandardButtons buttons)
{
    for (const QMessageBox::StandardButton b : {QMessageBox::Ok, QMessageBox::Yes})
        if (buttons & b)
            return b;
    return QMessageBox::NoButton;
}

QMessageBox::StandardButton escapeButton(QMessageBox::StandardButtons buttons)
{
    for (const QMessageBox::StandardButton b : {QMessageBox::Cancel, QMessageBox::No})
        if (buttons & b)
            return b;
    const auto bits = unsigned(buttons.toInt());
    return std::has_single_bit(bits) ? QMessageBox::StandardButton(bits) : QMessageBox::NoButton;
}

QWidget* messageOwner(QWidget* parent)
{
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible())
        return modal->window();
    if (parent && parent->isVisible())
        return parent->window();
    return Screen::servedWindow(nullptr);
}

QMessageBox::StandardButton messageBox(QWidget* parent, const QString& title, const QString& text,
                                       QMessageBox::StandardButtons buttons, QMessageBox::Icon icon)
{
    Recorder& r = recorder();
    QWidget* over = messageOwner(parent);
    if (r.automatic) {
        r.shown.append({title, text, over ? over->objectName() : QString()});
        if (!r.answers.isEmpty())
            return r.answers.dequeue();
        return enterButton(buttons);
    }
    QMessageBox box(icon, title, text, buttons, over ? over : parent);
    // Enter is the first of OK and Yes, Escape the cancel or no button (the only button when
    // there is one): set here rather than left to the platform's button order.
    if (const QMessageBox::StandardButton enter = enterButton(buttons); enter != QMessageBox::NoButton)
        box.setDefaultButton(enter);
    if (const QMessageBox::StandardButton escape = escapeButton(buttons); escape != QMessageBox::NoButton)
        box.setEscapeButton(escape);
    // The text often carries outside words (file names, a server's message, question text): shown
    // as typed, never taken as markup.
    box.setTextFormat(Qt::PlainText);
    // Over the window it belongs to: a hidden or missing parent would leave it at the desktop's corner.
    if (over) {
        box.adjustSize();
        centreOver(&box, over);
    }
    // In front of every window of the program once it shows, and taking the keys.
    QTimer::singleShot(0, &box, [&box] {
        box.raise();
        box.activateWindow();
    });
    return QMessageBox::StandardButton(box.exec());
}

namespace testing
{
void answerBoxesAutomatically(bool on)
{
    recorder().automatic = on;
}
void queueAnswer(QMessageBox::StandardButton answer)
{
    recorder().answers.enqueue(answer);
}
QList<ShownMessage> shownMessages()
{
    return recorder().shown;
}
void clearShownMessages()
{
    recorder().shown.clear();
}
} // namespace testing

} // namespace ui
