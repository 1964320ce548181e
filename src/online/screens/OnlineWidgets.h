#pragma once
// Pieces the update and sync screens share: labels, the proxy fields that "Use Proxy" switches, and
// keeping windows painted while a blocking transfer runs.
class QLabel;
class QLineEdit;
class QRect;
class QString;
class QWidget;

namespace onlinescreens {

// Enabled fields are white, disabled ones silver (0xC0C0C0).
void setProxyFieldsEnabled(QLineEdit* server, QLineEdit* port, bool enabled);

// A label with its object name, text and place.
QLabel* label(QWidget* parent, const QString& name, const QString& text, const QRect& where);

// Repaints and moves timers while a transfer blocks; input waits, so nothing new can start.
void keepPainting();

} // namespace onlinescreens
