#pragma once
// Imports GIFT or Moodle XML text in-process and reads the result back as the program would.
#include "bank/Cp932.h"
#include "bank/QuestionFile.h"
#include "bank/import/GiftReader.h"
#include "bank/import/ImportSource.h"
#include "bank/import/MoodleXmlReader.h"
#include "bank/source/QuestionSource.h"

#include <QTest>

#include <memory>

namespace importfixtures
{

enum class Format { Gift, MoodleXml };

struct Imported {
    std::optional<FileError> error; // from the reader, the mapping, or packing the source
    ImportResult result;
    std::unique_ptr<QuestionBank> bank = std::make_unique<QuestionBank>();

    const QuestionRecord& question(int i) const { return bank->question(i); }
    QString reportText() const { return result.report.join(QLatin1Char('\n')); }
};

inline ImportOptions options(const QString& code, const QString& title = {}, bool withImages = false)
{
    ImportOptions o;
    o.code = code;
    o.title = title;
    o.withImages = withImages;
    return o;
}

inline Imported importText(Format format, std::string_view text, ImportOptions options = {})
{
    Imported out;
    if (options.fileName.isEmpty())
        options.fileName = format == Format::Gift ? QStringLiteral("bank.gift") : QStringLiteral("bank.xml");
    options.updated = QStringLiteral("20260101000000");
    options.formatName = format == Format::Gift ? QStringLiteral("GIFT") : QStringLiteral("Moodle XML");
    std::vector<ImportedQuestion> questions;
    out.error = format == Format::Gift ? readGift(text, options.fileName, questions)
                                       : readMoodleXml(text, options.fileName, questions);
    if (!out.error)
        out.error = buildQuestionSource(questions, options, out.result);
    std::string qdf;
    if (!out.error)
        out.error = PackQuestionSource(out.result.source, options.fileName, qdf);
    if (!out.error)
        out.error = LoadQuestionBankFromBytes(qdf, options.fileName, *out.bank);
    return out;
}

// CP932 bytes of a record field as UTF-8, for comparing with literals.
inline std::string utf8(const std::string& cp932Bytes)
{
    return cp932::toUtf8(cp932Bytes);
}

// A text field as the reader keeps it, without CRs and without the explanation's leading line break.
inline QString plain(const std::string& cp932Bytes)
{
    QString s = QString::fromStdString(utf8(cp932Bytes)).remove(QLatin1Char('\r'));
    return s.startsWith(QLatin1Char('\n')) ? s.mid(1) : s;
}

inline QStringList choicesOf(const QuestionRecord& r)
{
    QStringList out;
    for (int k = 0; k < r.storedChoiceCount; ++k)
        out.append(plain(r.choices.at(size_t(k))));
    return out;
}

// The one question an import made, against the current test row's columns "style", "correct",
// "choices", "text" and "explanation".
inline void compareSingleQuestion(const Imported& imported)
{
    QVERIFY2(!imported.error, qPrintable(imported.error ? imported.error->text() : QString()));
    QCOMPARE(imported.result.imported, 1);
    const QuestionRecord& r = imported.question(1);
    QTEST(r.style, "style");
    QTEST(r.correctCount, "correct");
    QTEST(choicesOf(r), "choices");
    QTEST(plain(r.text), "text");
    QTEST(plain(r.explanation), "explanation");
}

} // namespace importfixtures
