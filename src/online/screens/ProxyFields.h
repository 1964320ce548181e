#pragma once
// Pieces the update and sync screens share: the proxy fields that "Use Proxy" switches, and
// keeping windows painted while a blocking transfer runs.
class QLineEdit;

namespace onlinescreens {

// Enabled fields are white, disabled ones silver (0xC0C0C0).
void setProxyFieldsEnabled(QLineEdit* server, QLineEdit* port, bool enabled);

// Repaints and moves timers while a transfer blocks; input waits, so nothing new can start.
void keepPainting();

} // namespace onlinescreens
