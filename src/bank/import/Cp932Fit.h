#pragma once
// Makes imported text something CP932 can hold, so the written source always packs.
#include <QString>
#include <vector>

struct Cp932Misfit {
    char32_t character;
    qsizetype position; // 1-based, in characters of the text as given
};

// Characters CP932 cannot hold are replaced by their obvious CP932 neighbour (U+301C WAVE DASH ->
// U+FF5E, a no-break space -> a blank, "é" -> "e", ...). Where there is none the character becomes
// "〓" and is listed in `misfits`. Tabs become blanks; other control characters are dropped.
QString fitToCp932(const QString& text, std::vector<Cp932Misfit>& misfits);
