#include "bank/QuestionFile.h"

#include "bank/Cp932.h"
#include "bank/FileLookup.h"
#include "bank/TextLines.h"

#include <QFile>

#include <algorithm>
#include <climits>
#include <memory>

using textlines::LineCursor;
using textlines::trim;

namespace
{

// The scrambling rules as byte tables, so the loop over a question file's lines (every bank load)
// does one lookup per byte instead of a chain of range tests.
struct ScrambleTables {
    unsigned char ascii[128];
    unsigned char lead[256];    // a lead byte other than 0x82/0x83, followed by a trail >= 0x40
    unsigned char trail82[256]; // the trail after lead 0x82
    unsigned char trail83[256]; // the trail after lead 0x83
};

constexpr ScrambleTables makeScrambleTables()
{
    ScrambleTables t{};
    for (int b = 0; b < 256; ++b) {
        if (b < 128)
            t.ascii[b] = (b >= 0x41 && b <= 0x4D) || (b >= 0x61 && b <= 0x6D)   ? b + 13
                         : (b >= 0x4E && b <= 0x5A) || (b >= 0x6E && b <= 0x7A) ? b - 13
                                                                                : b;
        t.lead[b] = b >= 0x89 && b <= 0x8F   ? b + 0x10
                    : b >= 0x99 && b <= 0x9F ? b - 0x10
                    : b >= 0x90 && b <= 0x97 ? b + 0x50
                    : b >= 0xE0 && b <= 0xE7 ? b - 0x50
                                             : b;
        t.trail82[b] = b >= 0xA0 && b <= 0xBF ? b + 0x20 : b >= 0xC0 && b <= 0xDF ? b - 0x20 : b;
        t.trail83[b] = b >= 0x40 && b <= 0x4F   ? b + 0x10
                       : b >= 0x50 && b <= 0x5F ? b - 0x10
                       : b >= 0x60 && b <= 0x6F ? b + 0x20
                       : b >= 0x80 && b <= 0x8F ? b - 0x20
                                                : b;
    }
    return t;
}

constexpr ScrambleTables kScramble = makeScrambleTables();

} // namespace

void ScrambleLineInto(std::string& out, std::string_view s)
{
    const size_t n = s.size();
    const size_t base = out.size();
    out.resize(base + n); // the routine never changes a line's length
    auto* o = reinterpret_cast<unsigned char*>(out.data() + base);
    const auto* in = reinterpret_cast<const unsigned char*>(s.data());
    size_t i = 0;
    while (i < n) {
        const unsigned char c = in[i];
        if (c < 0x80) {
            o[i++] = kScramble.ascii[c];
            continue;
        }
        // A byte >= 0x80 leads a pair. A lead byte that ends the line has no trail: no rule can
        // change it, so it is copied alone (appending a zero trail would grow the line on every
        // pass and break the routine being its own inverse).
        if (i + 1 >= n) {
            o[i++] = c;
            continue;
        }
        const unsigned char t = in[i + 1];
        if (c == 0x83) {
            o[i] = c;
            o[i + 1] = kScramble.trail83[t];
        } else if (c == 0x82) {
            o[i] = c;
            o[i + 1] = kScramble.trail82[t];
        } else {
            o[i] = t >= 0x40 ? kScramble.lead[c] : c;
            o[i + 1] = t;
        }
        i += 2;
    }
}

std::string ScrambleLine(std::string_view line)
{
    std::string out;
    ScrambleLineInto(out, line);
    return out;
}

namespace
{

constexpr int kMaxMockMinutes = 99999; // keeps minutes * 60 well inside an int

// Whole file into memory: one read, then lines are views into it.
std::optional<FileError> readWholeFile(const QString& path, std::string& bytes)
{
    QFile file(filelookup::resolve(path));
    if (!file.open(QIODevice::ReadOnly))
        return FileError{path, 0, QStringLiteral("cannot open the file (%1)").arg(file.errorString()),
                         QStringLiteral("ファイルを開けません")};
    const qint64 size = file.size();
    bytes.resize(size_t(size > 0 ? size : 0));
    qint64 got = size > 0 ? file.read(bytes.data(), size) : 0;
    if (got < 0)
        return FileError{path, 0, QStringLiteral("cannot read the file (%1)").arg(file.errorString()),
                         QStringLiteral("ファイルを読めません")};
    bytes.resize(size_t(got));
    // Files that grow while being read, or report no size (pipes): read on to the end.
    char chunk[65536];
    for (qint64 more; (more = file.read(chunk, sizeof chunk)) > 0;)
        bytes.append(chunk, size_t(more));
    return std::nullopt;
}

// The first `lineCount` lines only (the course menu reads many headers; most of a file is records).
std::optional<FileError> readFileHead(const QString& path, int lineCount, std::string& bytes)
{
    QFile file(filelookup::resolve(path));
    if (!file.open(QIODevice::ReadOnly))
        return FileError{path, 0, QStringLiteral("cannot open the file (%1)").arg(file.errorString()),
                         QStringLiteral("ファイルを開けません")};
    bytes.clear();
    int seen = 0;
    char chunk[4096];
    while (seen < lineCount) {
        const qint64 got = file.read(chunk, sizeof chunk);
        if (got < 0)
            return FileError{path, 0, QStringLiteral("cannot read the file (%1)").arg(file.errorString()),
                             QStringLiteral("ファイルを読めません")};
        if (got == 0)
            break;
        for (qint64 i = 0; i < got; ++i)
            seen += chunk[i] == '\n';
        bytes.append(chunk, size_t(got));
    }
    return std::nullopt;
}

// A line quoted in a message, shortened and shown as text.
QString quoted(std::string_view line)
{
    QString text = cp932::toUnicode(line.substr(0, 60));
    if (line.size() > 60)
        text += QStringLiteral("...");
    return QLatin1Char('"') + text + QLatin1Char('"');
}

void clearRecord(QuestionRecord& r)
{
    r.number = r.category = r.subCategory = 0;
    r.text.clear();
    r.storedChoiceCount = r.shownChoiceCount = r.correctCount = r.style = 0;
    for (auto& c : r.choices)
        c.clear();
    r.explanation.clear();
    for (auto& ref : r.references) {
        ref.text.clear();
        ref.page.assign(1, '0');
    }
    for (auto& link : r.links) {
        link.caption.clear();
        link.target.clear();
    }
}

// Clears in place: the bank is large, and repeated loads keep their string buffers.
void clearBank(QuestionBank& bank)
{
    bank.mockCount = bank.mockMinutes = bank.questionCount = bank.headerQuestionCount = 0;
    bank.recordsRead = bank.categoryCount = 0;
    for (auto& c : bank.categories) {
        c.name.clear();
        c.questionCount = 0;
        for (auto& s : c.subCategories) {
            s.name.clear();
            s.questionCount = 0;
        }
    }
    for (auto& r : bank.questions)
        clearRecord(r);
}

// A message part built only when it is needed: formatting one per record and choice would cost
// more than reading them.
// Every part comes in English (for authors, through quarvel-tool) and Japanese (for the program).
struct Label {
    Label(const char* english, const char* japanese, int a = INT_MIN, int b = INT_MIN)
        : english(english), japanese(japanese), a(a), b(b)
    {
    }
    QString str() const { return format(english); }
    QString strJa() const { return format(japanese); }
    QString format(const char* text) const
    {
        QString s = QString::fromUtf8(text);
        if (a != INT_MIN)
            s = s.arg(a);
        if (b != INT_MIN)
            s = s.arg(b);
        return s;
    }
    const char* english;
    const char* japanese;
    int a;
    int b;
};

// Walks the lines of one question data file. Every read names its line; the first failure is kept.
class QdfReader
{
  public:
    QdfReader(std::string_view bytes, const QString& name) : m_cursor(bytes), m_name(name) {}

    const std::optional<FileError>& error() const { return m_error; }
    int lineNumber() const { return m_cursor.lineNumber(); }
    bool atEnd() const { return m_cursor.atEnd(); }

    bool fail(int line, const QString& message, const QString& japanese)
    {
        if (!m_error)
            m_error = FileError{m_name, line, message, japanese};
        return false;
    }

    // `context` says what was being read when the file ended (and from which line).
    bool line(std::string_view& out, const Label& context)
    {
        if (m_cursor.next(out))
            return true;
        return fail(m_cursor.lineNumber(), QStringLiteral("the file ends inside %1").arg(context.str()),
                    QStringLiteral("%1の途中でファイルが終わっています").arg(context.strJa()));
    }

    bool skip(int count, const Label& context)
    {
        std::string_view ignored;
        for (int i = 0; i < count; ++i) {
            if (!line(ignored, context))
                return false;
        }
        return true;
    }

    bool number(int& value, int low, int high, const Label& what, const Label& context)
    {
        std::string_view text;
        if (!line(text, context))
            return false;
        return parse(text, value, low, high, what);
    }

    bool parse(std::string_view text, int& value, int low, int high, const Label& what)
    {
        const auto parsed = textlines::parseNumber(text);
        if (!parsed)
            return fail(m_cursor.lineNumber(), QStringLiteral("%1: %2 is not a number").arg(what.str(), quoted(text)),
                        QStringLiteral("%1が数値ではありません: %2").arg(what.strJa(), quoted(text)));
        if (*parsed < low || *parsed > high) {
            return fail(
                m_cursor.lineNumber(),
                QStringLiteral("%1 %2 is outside %3..%4").arg(what.str()).arg(*parsed).arg(low).arg(high),
                QStringLiteral("%1 %2 が %3～%4 の範囲にありません").arg(what.strJa()).arg(*parsed).arg(low).arg(high));
        }
        value = *parsed;
        return true;
    }

    // Lines up to the marker, each unscrambled and preceded by CR LF. The marker is tested on the
    // line as stored.
    bool block(std::string& out, std::string_view marker, const Label& what)
    {
        out.clear();
        const int start = m_cursor.lineNumber() + 1;
        std::string_view text;
        for (;;) {
            if (!m_cursor.next(text)) {
                const QLatin1String end(marker.data(), qsizetype(marker.size()));
                return fail(
                    start,
                    QStringLiteral("%1 begun here has no \"%2\" before the end of the file").arg(what.str(), end),
                    QStringLiteral("ここから始まる%1に、ファイルの終わりまで「%2」がありません")
                        .arg(what.strJa(), end));
            }
            if (trim(text) == marker)
                return true;
            out += "\r\n";
            ScrambleLineInto(out, text);
        }
    }

    // Header lines 1-10 into `header`; the bank reader takes lines 2, 3 and 10 from it.
    bool header(QuestionHeader& header, bool stopAfterBadTag)
    {
        const Label context("the header (10 lines)", "ヘッダー（10 行）");
        std::string_view text;
        if (!m_cursor.next(text)) {
            header.formatTag.clear();
            if (stopAfterBadTag)
                return true;
            return fail(1, QStringLiteral("the file is empty"), QStringLiteral("ファイルが空です"));
        }
        header.formatTag.assign(text);
        if (stopAfterBadTag && !header.hasFormatTag())
            return true;

        if (!line(text, context))
            return false;
        // Mock-exam count before the first "/", target rate after it. A line without "/" is all count.
        const size_t slash = text.find('/');
        const std::string_view count = slash == std::string_view::npos ? text : text.substr(0, slash);
        header.targetRate = slash == std::string_view::npos ? std::string() : std::string(trim(text.substr(slash + 1)));
        if (!parse(count, header.mockCount, 0, kMaxQuestions, Label("mock-exam question count", "模擬試験の問題数")))
            return false;
        if (!number(m_mockMinutes, 0, kMaxMockMinutes, Label("mock-exam time limit", "模擬試験の制限時間"), context))
            return false;
        if (!line(text, context))
            return false;
        header.code.assign(text);
        if (!line(text, context))
            return false;
        header.title.assign(text);
        header.badges = {};
        if (!line(text, context))
            return false;
        header.badges[0] = trim(text) == "1";
        if (!line(text, context))
            return false;
        header.badges[1] = trim(text) == "1";
        if (!line(text, context))
            return false;
        const std::string_view badge = trim(text);
        header.badges[2] = badge == "1";
        header.badges[3] = badge == "2";
        header.badges[4] = badge == "3";
        if (!line(text, context))
            return false;
        header.updated.assign(text);
        return number(header.questionCount, 1, kMaxQuestions, Label("question count", "問題数"), context);
    }

    int mockMinutes() const { return m_mockMinutes; }

    bool categoryTable(QuestionBank& bank, QuestionFileLines* lines)
    {
        const Label context("the category table", "カテゴリ表");
        std::string_view text;
        bank.categoryCount = kMaxCategories;
        for (int c = 1; c <= kMaxCategories; ++c) {
            if (!line(text, context))
                return false;
            if (trim(text) == "*CE") {
                bank.categoryCount = c - 1;
                break;
            }
            CategoryEntry& category = bank.category(c);
            if (lines)
                lines->category[size_t(c - 1)] = m_cursor.lineNumber();
            category.name.clear();
            ScrambleLineInto(category.name, text);
            const Label what("question count of category %1", "カテゴリ %1 の問題数", c);
            if (!number(category.questionCount, 0, kMaxQuestions, what, context))
                return false;
            for (int k = 1; k <= kMaxSubCategories; ++k) {
                SubCategoryEntry& sub = category.sub(k);
                if (!line(text, context))
                    return false;
                if (lines)
                    lines->subCategory[size_t(c - 1)][size_t(k - 1)] = m_cursor.lineNumber();
                sub.name.clear();
                ScrambleLineInto(sub.name, text);
                const Label subWhat("question count of sub-category %1-%2", "サブカテゴリ %1-%2 の問題数", c, k);
                if (!number(sub.questionCount, 0, kMaxQuestions, subWhat, context))
                    return false;
            }
        }
        return true;
    }

    bool record(QuestionBank& bank, QuestionRecord& r, int start)
    {
        const Label context("the question record begun at line %1", "%1 行目から始まる問題レコード", start);
        std::string_view text;
        if (!number(r.number, INT_MIN, INT_MAX, Label("question number", "問題番号"), context))
            return false;
        if (bank.categoryCount == 0) {
            if (!line(text, context))
                return false;
            return fail(m_cursor.lineNumber(),
                        QStringLiteral("a question refers to a category, but the table has none"),
                        QStringLiteral("カテゴリ表にカテゴリがないのに、問題がカテゴリを指定しています"));
        }
        if (!number(r.category, 1, bank.categoryCount, Label("category number", "カテゴリ番号"), context))
            return false;
        if (!number(r.subCategory, 1, kMaxSubCategories, Label("sub-category number", "サブカテゴリ番号"), context))
            return false;
        if (!block(r.text, "*QE", Label("the question text", "問題文")))
            return false;
        textlines::trimInPlace(r.text);
        if (!number(r.storedChoiceCount, 1, kMaxChoices, Label("stored choice count", "選択肢の数"), context))
            return false;
        if (!number(r.shownChoiceCount, 1, r.storedChoiceCount, Label("shown choice count", "表示する選択肢の数"),
                    context))
            return false;
        // More correct choices than shown (or stored) is read as written: the draw then shows correct
        // ones only, and the checker warns.
        if (!number(r.correctCount, 0, INT_MAX, Label("correct choice count", "正解の数"), context))
            return false;
        if (!number(r.style, kStyleSingle, kStyleConnector, Label("answer style code", "解答形式のコード"), context))
            return false;
        for (int k = 0; k < kMaxChoices; ++k) {
            if (!block(r.choices[size_t(k)], "*AE", Label("choice %1", "選択肢 %1", k + 1)))
                return false;
            textlines::trimInPlace(r.choices[size_t(k)]);
        }
        if (!skip(11, context))
            return false;
        if (!block(r.explanation, "*EE", Label("the explanation", "解説")))
            return false;
        for (Reference& ref : r.references) {
            if (!line(text, context))
                return false;
            ref.text.clear();
            if (!trim(text).empty() && trim(text) != "Null") {
                ScrambleLineInto(ref.text, text);
                textlines::trimInPlace(ref.text);
            }
            if (!line(text, context))
                return false;
            if (trim(text).empty() || trim(text) == "Null") {
                ref.page.assign(1, '0');
            } else {
                ref.page.clear();
                ScrambleLineInto(ref.page, text);
            }
        }
        for (Link& link : r.links) {
            if (!line(text, context))
                return false;
            link.caption.clear();
            ScrambleLineInto(link.caption, text);
            textlines::trimInPlace(link.caption);
            if (!line(text, context))
                return false;
            link.target.clear();
            ScrambleLineInto(link.target, text);
            textlines::trimInPlace(link.target);
        }
        return true;
    }

    bool records(QuestionBank& bank, QuestionFileLines* lines)
    {
        std::string_view separator;
        while (!m_cursor.atEnd()) {
            const int start = m_cursor.lineNumber() + 1;
            if (bank.recordsRead == kMaxQuestions)
                return fail(start, QStringLiteral("more than %1 question records").arg(kMaxQuestions),
                            QStringLiteral("問題レコードが %1 件を超えています").arg(kMaxQuestions));
            QuestionRecord& r = bank.questions[size_t(bank.recordsRead)];
            if (lines)
                lines->record[size_t(bank.recordsRead)] = start;
            if (!record(bank, r, start))
                return false;
            ++bank.recordsRead;
            // The separator: "*EOF" ends the file; the end of the data where it should stand, too.
            if (!m_cursor.next(separator) || trim(separator) == "*EOF")
                break;
        }
        return true;
    }

  private:
    LineCursor m_cursor;
    QString m_name;
    std::optional<FileError> m_error;
    int m_mockMinutes = 0;
};

std::optional<FileError> loadBank(std::string_view bytes, const QString& name, QuestionBank& bank,
                                  QuestionFileLines* lines)
{
    clearBank(bank);
    if (lines)
        *lines = QuestionFileLines{};
    QdfReader reader(bytes, name);
    QuestionHeader header;
    if (!reader.header(header, false))
        return reader.error();
    bank.mockCount = header.mockCount;
    bank.mockMinutes = reader.mockMinutes();
    bank.headerQuestionCount = header.questionCount;
    const bool read = reader.categoryTable(bank, lines) && reader.records(bank, lines);
    // Also on error: the partly filled bank never sends later code past the records it holds.
    bank.questionCount = std::min(bank.headerQuestionCount, bank.recordsRead);
    if (!read)
        return reader.error();
    return std::nullopt;
}

} // namespace

std::optional<FileError> ReadQuestionHeader(const QString& path, QuestionHeader& header, bool stopAfterBadTag)
{
    header = QuestionHeader{};
    std::string bytes;
    if (auto error = readFileHead(path, 10, bytes))
        return error;
    QdfReader reader(bytes, path);
    if (!reader.header(header, stopAfterBadTag))
        return reader.error();
    return std::nullopt;
}

std::optional<FileError> ReadQuestionHeaderFromBytes(std::string_view bytes, const QString& name,
                                                     QuestionHeader& header)
{
    header = QuestionHeader{};
    QdfReader reader(bytes, name);
    if (!reader.header(header, false))
        return reader.error();
    return std::nullopt;
}

std::optional<FileError> LoadQuestionBankFromBytes(std::string_view bytes, const QString& name, QuestionBank& bank,
                                                   QuestionFileLines* lines)
{
    return loadBank(bytes, name, bank, lines);
}

std::optional<FileError> LoadQuestionBank(const QString& path, QuestionBank& bank, QuestionFileLines* lines)
{
    std::string bytes;
    if (auto error = readWholeFile(path, bytes)) {
        clearBank(bank);
        return error;
    }
    return loadBank(bytes, path, bank, lines);
}

std::optional<FileError> LoadQuestionBank(const QString& path, QuestionBank& bank)
{
    return LoadQuestionBank(path, bank, nullptr);
}

std::optional<FileError> ReadCategoryTable(const QString& path, std::vector<CategoryNames>& names)
{
    names.clear();
    std::string bytes;
    if (auto error = readWholeFile(path, bytes))
        return error;
    QdfReader reader(bytes, path);
    if (!reader.skip(10, Label("the header (10 lines)", "ヘッダー（10 行）")))
        return reader.error();
    // The table alone; a bank-sized buffer on the heap, not the stack.
    auto bank = std::make_unique<QuestionBank>();
    if (!reader.categoryTable(*bank, nullptr))
        return reader.error();
    for (int c = 1; c <= bank->categoryCount; ++c) {
        const CategoryEntry& category = bank->category(c);
        CategoryNames entry;
        entry.name = category.name;
        for (int k = 1; k <= kMaxSubCategories; ++k)
            entry.subCategories[size_t(k - 1)] = category.sub(k).name;
        names.push_back(std::move(entry));
    }
    return std::nullopt;
}
