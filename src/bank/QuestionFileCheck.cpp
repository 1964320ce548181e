#include "bank/QuestionFileCheck.h"

#include "bank/TextLines.h"

#include <map>
#include <memory>

QString FileProblem::text() const
{
    if (!warning)
        return where.text();
    FileError w = where;
    w.message = QStringLiteral("warning: ") + w.message;
    return w.text();
}

namespace
{

class Collector
{
  public:
    Collector(const QString& file, std::vector<FileProblem>& out) : m_file(file), m_out(out) {}
    void warn(int line, const QString& message) { m_out.push_back({FileError{m_file, line, message}, true}); }

  private:
    QString m_file;
    std::vector<FileProblem>& m_out;
};

void checkHeader(const QuestionBank& bank, const QuestionHeader& header, Collector& c)
{
    if (!header.hasFormatTag())
        c.warn(1,
               QStringLiteral("the first line is not \"%1\": the course menu will not list this test").arg(kFormatTag));
    if (bank.mockCount > bank.questionCount) {
        c.warn(2, QStringLiteral("the mock exam asks %1 questions but the test has %2")
                      .arg(bank.mockCount)
                      .arg(bank.questionCount));
    }
    bool digits = header.updated.size() == 14;
    for (char ch : header.updated)
        digits = digits && ch >= '0' && ch <= '9';
    if (!digits)
        c.warn(9, QStringLiteral("the update time is not 14 digits YYYYMMDDhhmmss"));
    if (bank.recordsRead > bank.headerQuestionCount) {
        c.warn(10, QStringLiteral("the file holds %1 records but the header gives %2: the rest are never asked")
                       .arg(bank.recordsRead)
                       .arg(bank.headerQuestionCount));
    }
    if (bank.recordsRead < bank.headerQuestionCount) {
        c.warn(10, QStringLiteral("the header gives %1 questions but the file holds %2 records: only those are asked")
                       .arg(bank.headerQuestionCount)
                       .arg(bank.recordsRead));
    }
}

// The draw takes its quotas from the table's counts, so they must match the questions asked.
void checkCounts(const QuestionBank& bank, const QuestionFileLines& lines, Collector& c)
{
    std::array<std::array<int, kMaxSubCategories>, kMaxCategories> perSub{};
    std::array<int, kMaxCategories> perCategory{};
    for (int j = 1; j <= bank.questionCount && j <= bank.recordsRead; ++j) {
        const QuestionRecord& r = bank.question(j);
        ++perCategory[size_t(r.category - 1)];
        ++perSub[size_t(r.category - 1)][size_t(r.subCategory - 1)];
    }
    for (int cat = 1; cat <= bank.categoryCount; ++cat) {
        const CategoryEntry& entry = bank.category(cat);
        const int nameLine = lines.category[size_t(cat - 1)];
        if (entry.questionCount != perCategory[size_t(cat - 1)]) {
            c.warn(nameLine + 1, QStringLiteral("category %1 gives %2 questions, the records hold %3")
                                     .arg(cat)
                                     .arg(entry.questionCount)
                                     .arg(perCategory[size_t(cat - 1)]));
        }
        for (int k = 1; k <= kMaxSubCategories; ++k) {
            const int want = entry.sub(k).questionCount;
            const int have = perSub[size_t(cat - 1)][size_t(k - 1)];
            if (want != have) {
                c.warn(lines.subCategory[size_t(cat - 1)][size_t(k - 1)] + 1,
                       QStringLiteral("sub-category %1-%2 gives %3 questions, the records hold %4")
                           .arg(cat)
                           .arg(k)
                           .arg(want)
                           .arg(have));
            }
        }
    }
}

void checkRecords(const QuestionBank& bank, const QuestionFileLines& lines, Collector& c)
{
    std::map<int, int> firstLineOfNumber;
    for (int j = 1; j <= bank.recordsRead; ++j) {
        const QuestionRecord& r = bank.question(j);
        const int line = lines.record[size_t(j - 1)];
        auto [at, inserted] = firstLineOfNumber.emplace(r.number, line);
        if (!inserted) {
            c.warn(line, QStringLiteral("question number %1 is used again (first at line %2): the history and "
                                        "inquiry pages cannot tell them apart")
                             .arg(r.number)
                             .arg(at->second));
        }
        if (textlines::trim(bank.category(r.category).sub(r.subCategory).name).empty()) {
            c.warn(line, QStringLiteral("question %1 is in sub-category %2-%3, which has no name (does not exist)")
                             .arg(r.number)
                             .arg(r.category)
                             .arg(r.subCategory));
        }
        if (r.text.empty())
            c.warn(line, QStringLiteral("question %1 has no text").arg(r.number));
        if (r.style == kStyleMultiple ? r.correctCount < 1 : r.correctCount != 1) {
            c.warn(line, QStringLiteral("question %1 of answer style %2 has %3 correct choices")
                             .arg(r.number)
                             .arg(r.style)
                             .arg(r.correctCount));
        }
        if (r.correctCount > r.shownChoiceCount) {
            c.warn(line,
                   QStringLiteral("question %1 has %2 correct choices but shows %3: every shown choice is correct")
                       .arg(r.number)
                       .arg(r.correctCount)
                       .arg(r.shownChoiceCount));
        }
        for (int k = 1; k <= r.storedChoiceCount; ++k) {
            if (r.choices[size_t(k - 1)].empty())
                c.warn(line, QStringLiteral("question %1: stored choice %2 is empty").arg(r.number).arg(k));
        }
        if (r.text.starts_with("<INCLUDE IMG>")) {
            const std::string_view first = std::string_view(r.text).substr(0, r.text.find("\r\n"));
            int names = 0;
            for (char ch : first)
                names += ch == '@';
            if (names > 4)
                c.warn(
                    line,
                    QStringLiteral("question %1 names %2 exhibit images; only 4 are shown").arg(r.number).arg(names));
        }
    }
}

} // namespace

std::vector<FileProblem> CheckQuestionBank(const QuestionBank& bank, const QuestionFileLines& lines,
                                           const QuestionHeader& header, const QString& file)
{
    std::vector<FileProblem> out;
    Collector c(file, out);
    checkHeader(bank, header, c);
    checkCounts(bank, lines, c);
    checkRecords(bank, lines, c);
    return out;
}

std::vector<FileProblem> CheckQuestionFile(const QString& path)
{
    std::vector<FileProblem> out;
    QuestionHeader header;
    if (auto error = ReadQuestionHeader(path, header)) {
        out.push_back({*error, false});
        return out;
    }
    auto bank = std::make_unique<QuestionBank>();
    auto lines = std::make_unique<QuestionFileLines>();
    if (auto error = LoadQuestionBank(path, *bank, lines.get())) {
        out.push_back({*error, false});
        return out;
    }
    return CheckQuestionBank(*bank, *lines, header, path);
}
