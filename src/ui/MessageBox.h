#pragma once
// The program's standard message boxes ("Error", "確認", "情報", "タイムアップ", ...).
// Under test, no box is shown: answers queued by the test are returned instead and every
// box is recorded, so a screen test can check the exact title and text.
#include <QMessageBox>
#include <QString>
#include <QStringList>

namespace ui
{

// Shows a modal box; returns the button pressed.
QMessageBox::StandardButton messageBox(QWidget* parent, const QString& title, const QString& text,
                                       QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                       QMessageBox::Icon icon = QMessageBox::NoIcon);

// The button Enter presses in a box with `buttons`: the first of OK and Yes (NoButton if neither).
QMessageBox::StandardButton enterButton(QMessageBox::StandardButtons buttons);
// The button Escape presses: Cancel, else No, else the box's only button (NoButton if none fits).
QMessageBox::StandardButton escapeButton(QMessageBox::StandardButtons buttons);

struct ShownMessage {
    QString title;
    QString text;
    QString over; // object name of the window the box stood over and belonged to ("" for none)
};

// The window a box belongs to and stands over: the topmost modal window of the program while one
// shows (a box the session waits on must never open behind it), else `parent`'s window when it
// is visible, else the screen being served; nullptr when no window of the program shows.
QWidget* messageOwner(QWidget* parent);

namespace testing
{
// Switches real boxes off: from now on boxes are recorded and answered from the queue
// (the first of Ok/Yes when the queue is empty). Set automatically when QUARVEL_TESTING=1.
void answerBoxesAutomatically(bool on = true);
void queueAnswer(QMessageBox::StandardButton answer);
QList<ShownMessage> shownMessages();
void clearShownMessages();
} // namespace testing

} // namespace ui
