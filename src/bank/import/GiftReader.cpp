#include "bank/import/GiftReader.h"

#include "bank/import/HtmlText.h"

#include <QStringDecoder>

namespace
{

// The file's lines without the comment lines, each with its 1-based line number.
struct SourceLine {
    int number;
    QString text;
};

// Which question texts need their markup removed.
enum class TextFormat { Plain, Html };

bool isEscapable(QChar c)
{
    return QStringView(u"~=#{}:\\n").contains(c);
}

// Index of the first unescaped `what` in s from `from`, or -1.
qsizetype findUnescaped(QStringView s, QStringView what, qsizetype from = 0)
{
    for (qsizetype i = from; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('\\')) {
            ++i;
            continue;
        }
        if (s.mid(i).startsWith(what))
            return i;
    }
    return -1;
}

QString unescape(QStringView s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('\\') && i + 1 < s.size() && isEscapable(s[i + 1])) {
            ++i;
            out += s[i] == QLatin1Char('n') ? QChar(QLatin1Char('\n')) : s[i];
        } else {
            out += s[i];
        }
    }
    return out;
}

QString finishText(QStringView raw, TextFormat format)
{
    const QString text = unescape(raw.trimmed());
    return format == TextFormat::Html ? htmlToPlainText(text) : text.trimmed();
}

// One question block: its text joined by '\n' and the line each character stands on.
class Block
{
  public:
    void add(const SourceLine& line)
    {
        if (!m_text.isEmpty())
            m_text += QLatin1Char('\n');
        m_starts.push_back({m_text.size(), line.number});
        m_text += line.text;
    }
    bool isEmpty() const { return m_starts.empty(); }
    const QString& text() const { return m_text; }
    int lineAt(qsizetype offset) const
    {
        int line = m_starts.front().second;
        for (const auto& [start, number] : m_starts) {
            if (start > offset)
                break;
            line = number;
        }
        return line;
    }

  private:
    QString m_text;
    std::vector<std::pair<qsizetype, int>> m_starts;
};

// Splits an answer list "=a ~b#fb" at unescaped '=' and '~'; each part keeps its escapes.
std::vector<std::pair<QChar, QString>> splitAnswers(QStringView list)
{
    std::vector<std::pair<QChar, QString>> parts;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QChar c = list[i];
        if (c == QLatin1Char('\\')) {
            if (!parts.empty())
                parts.back().second += list.mid(i, 2);
            ++i;
            continue;
        }
        if (c == QLatin1Char('=') || c == QLatin1Char('~')) {
            parts.push_back({c, {}});
            continue;
        }
        if (!parts.empty())
            parts.back().second += c;
    }
    return parts;
}

// "%50%rest" -> 50 and "rest"; returns false when there is no weight.
bool takeWeight(QString& answer, double& weight)
{
    if (!answer.startsWith(QLatin1Char('%')))
        return false;
    const qsizetype close = answer.indexOf(QLatin1Char('%'), 1);
    if (close < 0)
        return false;
    bool ok = false;
    weight = answer.mid(1, close - 1).toDouble(&ok);
    if (!ok)
        return false;
    answer = answer.mid(close + 1);
    return true;
}

// "text#feedback" -> text and feedback (both still escaped).
void splitFeedback(QStringView answer, QString& text, QString& feedback)
{
    const qsizetype hash = findUnescaped(answer, u"#");
    text = (hash < 0 ? answer : answer.left(hash)).toString();
    feedback = hash < 0 ? QString() : answer.mid(hash + 1).toString();
}

void readTrueFalse(QStringView list, ImportedQuestion& q, TextFormat format)
{
    // {T#feedback when answered wrong#feedback when answered right}
    const qsizetype hash = findUnescaped(list, u"#");
    const QString word = (hash < 0 ? list : list.left(hash)).trimmed().toString().toUpper();
    const bool truth = word.startsWith(QLatin1Char('T'));
    QString wrongFeedback, rightFeedback;
    if (hash >= 0)
        splitFeedback(list.mid(hash + 1), wrongFeedback, rightFeedback);
    q.kind = ImportedKind::TrueFalse;
    q.answers.push_back(
        {QStringLiteral("true"), truth ? 100.0 : 0.0, finishText(truth ? rightFeedback : wrongFeedback, format)});
    q.answers.push_back(
        {QStringLiteral("false"), truth ? 0.0 : 100.0, finishText(truth ? wrongFeedback : rightFeedback, format)});
}

// {#1822} {#1822:0} {#=1822 =%50%1800:30} {#1..5}: only exact numbers can be held.
void readNumber(QStringView list, ImportedQuestion& q, TextFormat format)
{
    QStringView body = list.mid(1).trimmed();
    std::vector<std::pair<QChar, QString>> parts;
    if (body.startsWith(QLatin1Char('=')) || body.startsWith(QLatin1Char('~')))
        parts = splitAnswers(body);
    else
        parts.push_back({QLatin1Char('='), body.toString()});
    q.kind = ImportedKind::Number;
    for (auto& [mark, raw] : parts) {
        double weight = mark == QLatin1Char('=') ? 100 : 0;
        QString answer = raw.trimmed();
        takeWeight(answer, weight);
        QString value, feedback;
        splitFeedback(answer, value, feedback);
        value = unescape(value).trimmed();
        const qsizetype colon = value.indexOf(QLatin1Char(':'));
        QString number = colon < 0 ? value : value.left(colon).trimmed();
        const QString tolerance = colon < 0 ? QString() : value.mid(colon + 1).trimmed();
        bool numberOk = false, toleranceOk = true;
        number.toDouble(&numberOk);
        const double tol = tolerance.isEmpty() ? 0 : tolerance.toDouble(&toleranceOk);
        if (!numberOk || !toleranceOk || tol != 0) {
            q.kind = ImportedKind::Unsupported;
            q.typeName = QStringLiteral("number with a tolerance or a range");
            return;
        }
        q.answers.push_back({number, weight, finishText(feedback, format)});
    }
}

void readAnswerList(QStringView list, ImportedQuestion& q, TextFormat format)
{
    const QStringView trimmed = list.trimmed();
    if (trimmed.isEmpty()) {
        q.typeName = QStringLiteral("essay");
        return;
    }
    if (trimmed.startsWith(QLatin1Char('#'))) {
        readNumber(trimmed, q, format);
        return;
    }
    // General feedback follows "####".
    QStringView answers = trimmed;
    const qsizetype general = findUnescaped(trimmed, u"####");
    if (general >= 0) {
        q.generalFeedback = finishText(trimmed.mid(general + 4), format);
        answers = trimmed.left(general).trimmed();
    }
    const QString word = answers.toString().section(QLatin1Char('#'), 0, 0).trimmed().toUpper();
    if (word == QLatin1String("T") || word == QLatin1String("TRUE") || word == QLatin1String("F") ||
        word == QLatin1String("FALSE")) {
        readTrueFalse(answers, q, format);
        return;
    }
    if (findUnescaped(answers, u"->") >= 0) {
        q.typeName = QStringLiteral("matching");
        return;
    }
    bool anyWrongMark = false;
    for (auto& [mark, raw] : splitAnswers(answers)) {
        double weight = mark == QLatin1Char('=') ? 100 : 0;
        QString answer = raw.trimmed();
        takeWeight(answer, weight);
        QString text, feedback;
        splitFeedback(answer, text, feedback);
        anyWrongMark = anyWrongMark || mark == QLatin1Char('~');
        q.answers.push_back({finishText(text, format), weight, finishText(feedback, format)});
    }
    if (q.answers.empty()) {
        q.typeName = QStringLiteral("answer list without answers");
        return;
    }
    q.kind = anyWrongMark ? ImportedKind::Choice : ImportedKind::ShortAnswer;
}

std::optional<FileError> readBlock(const Block& block, const QString& fileName, QStringList& category,
                                   std::vector<ImportedQuestion>& questions)
{
    QStringView s(block.text());
    ImportedQuestion q;
    q.line = block.lineAt(0);
    q.category = category;
    q.typeName = QStringLiteral("description");
    if (s.startsWith(QLatin1String("::"))) {
        const qsizetype end = findUnescaped(s, u"::", 2);
        if (end < 0)
            return FileError{fileName, q.line, QStringLiteral("the question's name is not closed with \"::\"")};
        s = s.mid(end + 2).trimmed();
    }
    TextFormat format = TextFormat::Plain;
    for (const auto& [tag, f] :
         {std::pair{u"[html]", TextFormat::Html}, std::pair{u"[moodle]", TextFormat::Plain},
          std::pair{u"[plain]", TextFormat::Plain}, std::pair{u"[markdown]", TextFormat::Plain}}) {
        if (s.startsWith(QStringView(tag))) {
            format = f;
            s = s.mid(QStringView(tag).size());
            break;
        }
    }
    const qsizetype base = block.text().size() - s.size();
    const qsizetype open = findUnescaped(s, u"{");
    if (open < 0) {
        q.text = finishText(s, format);
        questions.push_back(std::move(q));
        return std::nullopt;
    }
    const qsizetype close = findUnescaped(s, u"}", open + 1);
    if (close < 0)
        return FileError{fileName, block.lineAt(base + open),
                         QStringLiteral("the answer list opened here is not closed with \"}\"")};
    const QStringView before = s.left(open);
    const QStringView after = s.mid(close + 1).trimmed();
    if (findUnescaped(after, u"{") >= 0) { // several blanks in one text: a cloze
        q.typeName = QStringLiteral("cloze (several answer lists in one text)");
        questions.push_back(std::move(q));
        return std::nullopt;
    }
    const QString blank = QStringLiteral("＿＿＿");
    q.text = after.isEmpty()
                 ? finishText(before, format)
                 : finishText(before, format) + QLatin1Char(' ') + blank + QLatin1Char(' ') + finishText(after, format);
    readAnswerList(s.mid(open + 1, close - open - 1), q, format);
    questions.push_back(std::move(q));
    return std::nullopt;
}

} // namespace

std::optional<FileError> readGift(std::string_view bytes, const QString& fileName,
                                  std::vector<ImportedQuestion>& questions)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    std::vector<SourceLine> lines;
    int number = 0;
    for (size_t start = 0; start <= bytes.size();) {
        size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        ++number;
        std::string_view raw = bytes.substr(start, end - start);
        if (raw.ends_with('\r'))
            raw.remove_suffix(1);
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        QString text = utf8(QByteArrayView(raw.data(), qsizetype(raw.size())));
        if (utf8.hasError())
            return FileError{fileName, number, QStringLiteral("the line is not UTF-8 text")};
        if (!text.trimmed().startsWith(QLatin1String("//")))
            lines.push_back({number, std::move(text)});
        start = end + 1;
    }

    QStringList category;
    Block block;
    int depth = 0; // inside "{...}" a blank line does not end the question
    auto flush = [&]() -> std::optional<FileError> {
        if (block.isEmpty())
            return std::nullopt;
        Block done = std::move(block);
        block = Block();
        return readBlock(done, fileName, category, questions);
    };
    for (const SourceLine& line : lines) {
        const QString trimmed = line.text.trimmed();
        if (depth == 0 && trimmed.startsWith(QLatin1String("$CATEGORY:"))) {
            if (auto e = flush())
                return e;
            category = importCategoryPath(trimmed.mid(10));
            continue;
        }
        if (trimmed.isEmpty() && depth == 0) {
            if (auto e = flush())
                return e;
            continue;
        }
        block.add(line);
        for (qsizetype i = 0; i < line.text.size(); ++i) {
            if (line.text[i] == QLatin1Char('\\'))
                ++i;
            else if (line.text[i] == QLatin1Char('{'))
                ++depth;
            else if (line.text[i] == QLatin1Char('}') && depth > 0)
                --depth;
        }
    }
    return flush();
}
