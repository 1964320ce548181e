#pragma once
// One-line address files in the program directory ("online", "CGI_URL", "urlref"): the first
// line, trimmed, is an address.
#include <QString>

namespace addressfile
{

struct Address {
    QString path; // the file as found, its name matched without regard to case
    bool opened = false;
    QString address; // the first line, trimmed; empty when the file could not be read or holds none

    // What the screens show when the file could not be opened.
    QString failureText() const;
};

// Reads the file `name` of the program directory.
Address read(const QString& name);

} // namespace addressfile
