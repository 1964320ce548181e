#include "bank/import/ImportSource.h"

#include "bank/QuestionBank.h"
#include "bank/import/Cp932Fit.h"
#include "bank/import/ExhibitPicture.h"
#include "bank/source/QuestionSource.h"

#include <QDateTime>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace
{

constexpr int kMockLimit = 50;
constexpr int kMockTargetRate = 70;
constexpr int kExhibitLimit = 4;
constexpr int kAnswerLengthMargin = 10;

// A question in our terms, before its text is fitted to CP932.
struct Mapped {
    int line = 0;
    int category = 0;
    int sub = 0;
    int style = kStyleSingle;
    QString text;
    QStringList choices;
    int correct = 1;
    QString explanation;
    QStringList images;
};

bool fullCredit(double fraction)
{
    return fraction >= 100 - 1e-6;
}
QChar letter(qsizetype i)
{
    return QChar(u'a' + char16_t(i));
}

class Mapper
{
  public:
    Mapper(const ImportOptions& options, ImportResult& result) : m_options(options), m_result(result)
    {
        m_baseName = QFileInfo(options.fileName).completeBaseName();
        if (m_baseName.isEmpty())
            m_baseName = QStringLiteral("imported");
    }

    std::optional<FileError> run(const std::vector<ImportedQuestion>& questions)
    {
        for (const ImportedQuestion& q : questions) {
            if (auto e = add(q))
                return e;
        }
        m_result.imported = int(m_mapped.size());
        if (m_mapped.empty())
            return FileError{m_options.fileName, 0, QStringLiteral("nothing could be imported")};
        write();
        std::string qdf;
        return PackQuestionSource(m_result.source, m_options.fileName, qdf);
    }

  private:
    void report(int line, const QString& what)
    {
        m_result.report.append(FileError{m_options.fileName, line, what}.text());
    }
    void skip(const ImportedQuestion& q, const QString& why)
    {
        report(q.line, QStringLiteral("skipped: %1").arg(why));
        ++m_result.skipped;
    }

    std::optional<FileError> add(const ImportedQuestion& q)
    {
        Mapped m;
        m.line = q.line;
        m.text = q.text;
        std::vector<const ImportedAnswer*> order; // the answers in our choice order
        QString why;
        switch (q.kind) {
        case ImportedKind::Unsupported:
            why = QStringLiteral("%1 questions cannot be held").arg(q.typeName);
            break;
        case ImportedKind::Choice:
        case ImportedKind::TrueFalse:
            why = mapChoice(q, m, order);
            break;
        case ImportedKind::ShortAnswer:
        case ImportedKind::Number:
            why = mapTextEntry(q, m);
            break;
        }
        if (!why.isEmpty()) {
            skip(q, why);
            return std::nullopt;
        }
        if (m.choices.size() > kMaxChoices)
            return FileError{m_options.fileName, q.line,
                             QStringLiteral("more than %1 choices in one question").arg(kMaxChoices)};
        if (m_mapped.size() == size_t(kMaxQuestions))
            return FileError{m_options.fileName, q.line,
                             QStringLiteral("more than %1 questions: this is question %2")
                                 .arg(kMaxQuestions)
                                 .arg(kMaxQuestions + 1)};
        if (auto e = placeInCategory(q, m))
            return e;
        m.explanation = explanation(q, order);
        addPictures(q, m);
        m_mapped.push_back(std::move(m));
        return std::nullopt;
    }

    QString mapChoice(const ImportedQuestion& q, Mapped& m, std::vector<const ImportedAnswer*>& order)
    {
        std::vector<const ImportedAnswer*> right, wrong;
        double positive = 0;
        QStringList partial;
        for (const ImportedAnswer& a : q.answers) {
            (fullCredit(a.fraction) ? right : wrong).push_back(&a);
            if (a.fraction > 0)
                positive += a.fraction;
        }
        if (q.kind == ImportedKind::TrueFalse) {
            if (right.size() != 1)
                return QStringLiteral("a true/false question needs exactly one answer at 100 %");
            const bool truth = right.front()->text == QLatin1String("true");
            m.choices = truth ? QStringList{QStringLiteral("正しい"), QStringLiteral("誤り")}
                              : QStringList{QStringLiteral("誤り"), QStringLiteral("正しい")};
            order = {right.front(), wrong.empty() ? nullptr : wrong.front()};
            return {};
        }
        if (right.size() > 1)
            return QStringLiteral("%1 answers at 100 %: a single-choice question has one").arg(right.size());
        const bool several = right.empty() || q.severalAllowed;
        if (right.empty()) {
            if (std::abs(positive - 100) > 0.5)
                return QStringLiteral("no answer at 100 % and the positive weights add up to %1 %")
                    .arg(positive, 0, 'g', 4);
            right.clear();
            wrong.clear();
            for (const ImportedAnswer& a : q.answers)
                (a.fraction > 0 ? right : wrong).push_back(&a);
        } else {
            for (const ImportedAnswer* a : wrong) {
                if (a->fraction > 0)
                    partial.append(QStringLiteral("\"%1\" (%2 %)").arg(a->text).arg(a->fraction));
            }
        }
        order = right;
        order.insert(order.end(), wrong.begin(), wrong.end());
        for (const ImportedAnswer* a : order)
            m.choices.append(a->text);
        m.style = several ? kStyleMultiple : kStyleSingle;
        m.correct = int(right.size());
        if (!partial.isEmpty())
            report(q.line, QStringLiteral("answers with partial credit count as wrong: %1").arg(partial.join(u", ")));
        return {};
    }

    QString mapTextEntry(const ImportedQuestion& q, Mapped& m)
    {
        const auto first = std::find_if(q.answers.begin(), q.answers.end(),
                                        [](const ImportedAnswer& a) { return fullCredit(a.fraction); });
        if (first == q.answers.end())
            return QStringLiteral("no answer at 100 %");
        QString correct = first->text;
        correct.replace(QLatin1Char('\n'), QLatin1Char(' '));
        if (correct.isEmpty())
            return QStringLiteral("the answer at 100 % is empty");
        qsizetype longest = correct.size();
        QStringList others;
        for (const ImportedAnswer& a : q.answers) {
            longest = std::max(longest, a.text.size());
            if (&a != &*first && a.fraction > 0)
                others.append(QStringLiteral("\"%1\"").arg(a.text));
        }
        m.style = kStyleTextEntry;
        m.correct = 1;
        m.choices = {QStringLiteral("a@") + correct, q.caseSensitive ? QStringLiteral("b@on") : QStringLiteral("b@off"),
                     QStringLiteral("c@%1").arg(longest + kAnswerLengthMargin)};
        if (!others.isEmpty())
            report(q.line, QStringLiteral("only \"%1\" is kept as the correct text; also accepted were %2")
                               .arg(correct, others.join(u", ")));
        if (q.kind == ImportedKind::ShortAnswer && correct.contains(QLatin1Char('*')))
            report(q.line,
                   QStringLiteral("the wildcard \"*\" in \"%1\" is compared as a plain character").arg(correct));
        return {};
    }

    std::optional<FileError> placeInCategory(const ImportedQuestion& q, Mapped& m)
    {
        const QString category = q.category.isEmpty() ? m_baseName : q.category[0];
        const QString sub = q.category.size() < 2 ? category : q.category[1];
        if (q.category.size() > 2 && !m_foldedPaths.contains(q.category.join(u'/'))) {
            m_foldedPaths.append(q.category.join(u'/'));
            report(q.line, QStringLiteral("category %1: the levels below \"%2/%3\" are merged into it")
                               .arg(q.category.join(u'/'), category, sub));
        }
        auto c = std::find_if(m_categories.begin(), m_categories.end(),
                              [&](const auto& entry) { return entry.first == category; });
        if (c == m_categories.end()) {
            if (m_categories.size() == size_t(kMaxCategories))
                return FileError{m_options.fileName, q.line,
                                 QStringLiteral("more than %1 categories: \"%2\" would be category %3")
                                     .arg(kMaxCategories)
                                     .arg(category)
                                     .arg(kMaxCategories + 1)};
            m_categories.push_back({category, {}});
            c = m_categories.end() - 1;
        }
        QStringList& subs = c->second;
        qsizetype s = subs.indexOf(sub);
        if (s < 0) {
            if (subs.size() == kMaxSubCategories)
                return FileError{
                    m_options.fileName, q.line,
                    QStringLiteral("more than %1 sub-categories in category \"%2\": \"%3\" would be number %4")
                        .arg(kMaxSubCategories)
                        .arg(category, sub)
                        .arg(kMaxSubCategories + 1)};
            subs.append(sub);
            s = subs.size() - 1;
        }
        m.category = int(c - m_categories.begin()) + 1;
        m.sub = int(s) + 1;
        return std::nullopt;
    }

    static QString explanation(const ImportedQuestion& q, const std::vector<const ImportedAnswer*>& order)
    {
        QStringList lines;
        if (!q.generalFeedback.isEmpty())
            lines.append(q.generalFeedback);
        for (size_t i = 0; i < order.size(); ++i) {
            if (order[i] && !order[i]->feedback.isEmpty())
                lines.append(QStringLiteral("%1: %2").arg(letter(qsizetype(i)), order[i]->feedback));
        }
        return lines.join(QLatin1Char('\n'));
    }

    void addPictures(const ImportedQuestion& q, Mapped& m)
    {
        if (q.pictures.empty())
            return;
        if (!m_options.withImages) {
            report(
                q.line,
                QStringLiteral("%1 embedded picture(s) left out: no --images directory given").arg(q.pictures.size()));
            return;
        }
        const int number = int(m_mapped.size()) + 1;
        for (const ImportedPicture& p : q.pictures) {
            if (m.images.size() == kExhibitLimit) {
                report(q.line, QStringLiteral("picture \"%1\" left out: a question shows at most %2")
                                   .arg(p.name)
                                   .arg(kExhibitLimit));
                continue;
            }
            const auto exhibit = exhibitPicture(p.bytes);
            if (!exhibit) {
                report(q.line,
                       QStringLiteral("picture \"%1\" left out: not a JPEG, PNG, GIF or BMP picture that can be read")
                           .arg(p.name));
                continue;
            }
            const QString name = QStringLiteral("%1-%2-%3.%4")
                                     .arg(fileStem())
                                     .arg(number)
                                     .arg(m.images.size() + 1)
                                     .arg(exhibit->extension);
            m.images.append(name);
            m_result.exhibits.push_back({name, exhibit->bytes});
        }
    }

    // The test code reduced to characters that are safe in a file name anywhere.
    QString fileStem() const
    {
        QString stem;
        for (QChar c : code())
            if (c.unicode() < 0x80 && c.isLetterOrNumber())
                stem += c.toLower();
        return stem.isEmpty() ? QStringLiteral("q") : stem;
    }
    QString code() const { return m_options.code.isEmpty() ? m_baseName : m_options.code; }
    QString title() const { return m_options.title.isEmpty() ? m_baseName : m_options.title; }

    // Fits `text` to CP932, reporting each character that had to become "〓".
    QString fit(const QString& text, int line, const QString& where)
    {
        std::vector<Cp932Misfit> misfits;
        QString fitted = fitToCp932(text, misfits);
        for (const Cp932Misfit& f : misfits)
            report(line, QStringLiteral("U+%1 at character %2 of %3 cannot be held in CP932; written as \"〓\"")
                             .arg(QString::number(uint(f.character), 16).toUpper().rightJustified(4, QLatin1Char('0')))
                             .arg(f.position)
                             .arg(where));
        return fitted;
    }

    void block(QString& out, const char* key, const QString& text)
    {
        out += QLatin1String(key) + QLatin1String(":\n");
        for (const QString& l : text.split(QLatin1Char('\n')))
            out += l.isEmpty() ? QStringLiteral("|\n") : QStringLiteral("| ") + l + QLatin1Char('\n');
    }

    void write()
    {
        const int count = int(m_mapped.size());
        const int mock = std::min(count, kMockLimit);
        const QString updated = m_options.updated.isEmpty()
                                    ? QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmss"))
                                    : m_options.updated;
        QString out;
        out += QStringLiteral("# Imported from %1 (%2) by quarvel-tool import.\n")
                   .arg(QFileInfo(m_options.fileName).fileName(), m_options.formatName);
        out += QStringLiteral("mock: %1/%2\nminutes: %1\n").arg(mock).arg(kMockTargetRate);
        out += QStringLiteral("code: %1\n").arg(fit(oneLine(code()), 0, QStringLiteral("the code")));
        out += QStringLiteral("title: %1\n").arg(fit(oneLine(title()), 0, QStringLiteral("the title")));
        out += QStringLiteral("updated: %1\n\n").arg(updated);
        for (const auto& [name, subs] : m_categories) {
            out += QStringLiteral("category: %1\n").arg(fit(name, 0, QStringLiteral("category \"%1\"").arg(name)));
            for (const QString& sub : subs)
                out += QStringLiteral("  sub: %1\n").arg(fit(sub, 0, QStringLiteral("sub-category \"%1\"").arg(sub)));
        }
        int number = 0;
        for (const Mapped& m : m_mapped) {
            ++number;
            out += QStringLiteral("\nquestion: %1\ncategory: %2\nsub: %3\nstyle: %4\ncorrect: %5\n")
                       .arg(number)
                       .arg(m.category)
                       .arg(m.sub)
                       .arg(m.style)
                       .arg(m.correct);
            QString text = fit(m.text, m.line, QStringLiteral("the question text"));
            if (!m.images.isEmpty())
                text = QStringLiteral("<INCLUDE IMG>@") + m.images.join(QLatin1Char('@')) + QLatin1Char('\n') + text;
            block(out, "text", text);
            for (qsizetype i = 0; i < m.choices.size(); ++i)
                block(out, "choice", fit(m.choices[i], m.line, QStringLiteral("choice %1").arg(letter(i))));
            if (!m.explanation.isEmpty())
                block(out, "explanation", fit(m.explanation, m.line, QStringLiteral("the explanation")));
        }
        m_result.source = out.toStdString();
    }

    static QString oneLine(QString s) { return s.replace(QLatin1Char('\n'), QLatin1Char(' ')).trimmed(); }

    const ImportOptions& m_options;
    ImportResult& m_result;
    QString m_baseName;
    std::vector<Mapped> m_mapped;
    std::vector<std::pair<QString, QStringList>> m_categories;
    QStringList m_foldedPaths;
};

} // namespace

std::optional<FileError> buildQuestionSource(const std::vector<ImportedQuestion>& questions,
                                             const ImportOptions& options, ImportResult& result)
{
    result = ImportResult();
    return Mapper(options, result).run(questions);
}
