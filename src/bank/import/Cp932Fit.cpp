#include "bank/import/Cp932Fit.h"

#include "bank/Cp932.h"

#include <QList>

namespace
{

// Characters that other encodings use where CP932 has a look-alike of its own.
char32_t nearestCp932(char32_t c)
{
    switch (c) {
    case 0x301C:
        return 0xFF5E; // WAVE DASH -> FULLWIDTH TILDE
    case 0x2016:
        return 0x2225; // DOUBLE VERTICAL LINE -> PARALLEL TO
    case 0x2212:
        return 0xFF0D; // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    case 0x00A2:
        return 0xFFE0;
    case 0x00A3:
        return 0xFFE1;
    case 0x00AC:
        return 0xFFE2;
    case 0x2014:
        return 0x2015; // EM DASH -> HORIZONTAL BAR
    case 0x00A0:
    case 0x2002:
    case 0x2003:
    case 0x2009:
    case 0x202F:
        return U' ';
    case 0x2010:
    case 0x2011:
    case 0x2012:
    case 0x2013:
        return U'-';
    case 0x00B7:
    case 0x2022:
    case 0x2219:
        return 0x30FB; // middle dots -> KATAKANA MIDDLE DOT
    case 0x00A5:
        return 0xFFE5; // YEN SIGN -> FULLWIDTH YEN SIGN
    default:
        return 0;
    }
}

bool holds(const QString& s)
{
    return cp932::fromUnicodeStrict(s).has_value();
}

} // namespace

QString fitToCp932(const QString& text, std::vector<Cp932Misfit>& misfits)
{
    // Most text fits whole: one conversion instead of one per character.
    bool control = false;
    for (QChar c : text)
        control = control || (c.unicode() < 0x20 && c != QLatin1Char('\n')) || c.unicode() == 0x7F;
    if (!control && holds(text))
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype position = 0;
    for (char32_t c : text.toUcs4()) {
        ++position;
        if (c == U'\n') {
            out += QLatin1Char('\n');
            continue;
        }
        if (c == U'\t') {
            out += QLatin1Char(' ');
            continue;
        }
        if (c < 0x20 || c == 0x7F)
            continue;
        const QString one = QString::fromUcs4(&c, 1);
        if (holds(one)) {
            out += one;
            continue;
        }
        if (const char32_t near = nearestCp932(c)) {
            out += QString::fromUcs4(&near, 1);
            continue;
        }
        // Accented Latin letters: the letter without its accent.
        const QString bare = one.normalized(QString::NormalizationForm_D).left(1);
        if (bare != one && bare.size() == 1 && bare[0].unicode() < 0x80) {
            out += bare;
            continue;
        }
        out += QStringLiteral("〓");
        misfits.push_back({c, position});
    }
    return out;
}
