#pragma once
// A question as read from another platform's exchange format (GIFT, Moodle XML), before it is
// mapped onto our answer styles. Text is plain Unicode: the readers have already removed markup.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

enum class ImportedKind {
    Choice,      // multiple choice; the fractions decide between our single and multiple choice
    TrueFalse,   // answers "true" and "false", each with its fraction and feedback
    ShortAnswer, // answers are accepted texts
    Number,      // answers are exact numbers (a tolerance or a range makes the question Unsupported)
    Unsupported, // `typeName` says what it was
};

struct ImportedAnswer {
    QString text;
    double fraction = 0; // percent: 100 fully right, 0 wrong, negative a penalty
    QString feedback;
};

struct ImportedPicture {
    QString name;     // as the source names it
    QByteArray bytes; // the file's contents, decoded
};

struct ImportedQuestion {
    int line = 0; // where the question starts in its file
    ImportedKind kind = ImportedKind::Unsupported;
    QString typeName;     // for the report: "essay", "matching", ...
    QStringList category; // the path below the course, outermost first; empty: none given
    QString text;
    QString generalFeedback;
    std::vector<ImportedAnswer> answers;
    bool severalAllowed = false; // Moodle `single` false: the learner may tick several answers
    bool caseSensitive = false;
    std::vector<ImportedPicture> pictures;
};

// A category path as both formats write it, "$course$/top/A/B" or "A/B", as its levels {"A", "B"}:
// the leading "$...$" context and the platform's own "top" level are not categories of ours.
inline QStringList importCategoryPath(const QString& path)
{
    QStringList parts;
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QString t = part.trimmed();
        const bool context = t.size() > 1 && t.startsWith(QLatin1Char('$')) && t.endsWith(QLatin1Char('$'));
        if (t.isEmpty() || (parts.isEmpty() && context))
            continue;
        if (parts.isEmpty() && t == QLatin1String("top") && path.contains(QLatin1Char('$')))
            continue;
        parts.append(t);
    }
    return parts;
}
