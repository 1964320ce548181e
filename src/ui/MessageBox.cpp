#include "ui/MessageBox.h"

#include "ui/Placement.h"
#include "ui/Screen.h"

#include <QQueue>

#include <bit>

namespace ui {
namespace {
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

QMessageBox::StandardButton messageBox(QWidget* parent, const QString& title, const QString& text,
                                       QMessageBox::StandardButtons buttons, QMessageBox::Icon icon)
{
    Recorder& r = recorder();
    if (r.automatic) {
        r.shown.append({title, text});
        if (!r.answers.isEmpty())
            return r.answers.dequeue();
        return enterButton(buttons);
    }
    QMessageBox box(icon, title, text, buttons, parent);
    // Enter is the first of OK and Yes, Escape the cancel or no button (the only button when
    // there is one): set here rather than left to the platform's button order.
    if (const QMessageBox::StandardButton enter = enterButton(buttons); enter != QMessageBox::NoButton)
        box.setDefaultButton(enter);
    if (const QMessageBox::StandardButton escape = escapeButton(buttons); escape != QMessageBox::NoButton)
        box.setEscapeButton(escape);
    // The text often carries outside words (file names, a server's message, question text): shown
    // as typed, never taken as markup.
    box.setTextFormat(Qt::PlainText);
    // Over the screen it serves: a hidden or missing parent would leave it at the desktop's corner.
    QWidget* over = parent && parent->isVisible() ? parent->window() : Screen::servedWindow(&box);
    if (over) {
        box.adjustSize();
        centreOver(&box, over);
    }
    return QMessageBox::StandardButton(box.exec());
}

namespace testing {
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
