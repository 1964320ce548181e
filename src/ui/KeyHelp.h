#pragma once
// The small panel that lists a window's keys. F1, or "?" where no text is being typed, shows it
// over whichever screen has the focus; any key or click closes it and gives the focus back.
#include <QList>
#include <QString>

class QKeyEvent;
class QObject;
class QWidget;

namespace ui
{

struct KeyHelpEntry {
    QString keys;   // as printed: "Tab / Shift+Tab"
    QString action; // what they do, in Japanese
};

// Shows the panel over `window`, centred, and gives it the focus. Returns the panel (a child of
// `window`, deleted when closed).
QWidget* showKeyHelp(QWidget* window, const QList<KeyHelpEntry>& entries);
// The panel open over `window`, or nullptr.
QWidget* openKeyHelp(const QWidget* window);
// True when `event`, arriving at `receiver`, asks for the panel: F1 anywhere, "?" unless the
// receiver takes typed text.
bool asksForKeyHelp(const QObject* receiver, const QKeyEvent* event);

} // namespace ui
