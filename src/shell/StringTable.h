#pragma once
// The program's string table: the hints of the main buttons, the one place to translate them.
#include <QList>
#include <QString>

struct StringTableHint {
    int id;
    const char* screen;  // object name of the screen
    const char* control; // object name of the picture button
};

// The text of a string table entry; empty for an unknown id.
QString stringTableText(int id);

// Which button of which screen gets which entry, in string table order.
const QList<StringTableHint>& buttonHints();
