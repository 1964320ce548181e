// Source -> .qdf: the source's fields are gathered per part of the file (header, categories,
// question records, trailer), then written out in the file's fixed layout.
#include "bank/source/QuestionSource.h"

#include "bank/Cp932.h"
#include "bank/QuestionFile.h"
#include "bank/TextLines.h"
#include "bank/source/SourceForm.h"

#include <QList>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <deque>
#include <map>
#include <memory>

using qsource::Role;
using textlines::trim;

namespace
{

struct Value {
    std::string bytes; // as they stand in the file
    int src = 0;       // source line
};

struct Block {
    std::vector<Value> lines;
    std::optional<Value> end; // the marker line when not the plain marker
    int src = 0;
    bool plain = false; // lines stored as they stand (ignored lines, trailer), not scrambled
};

struct Pair {
    Value first;
    std::optional<Value> second;
};

struct SrcCategory {
    Value name;
    std::optional<Value> count;
    std::vector<Pair> subs;
};

struct SrcRecord {
    int src = 0;
    std::map<std::string, Value> fields; // question, category, sub, stored, shown, correct, style, separator
    std::optional<Block> text;
    std::deque<Block> choices;
    std::optional<Block> ignored;
    std::optional<Block> explanation;
    std::vector<Pair> refs;
    std::vector<Pair> links;
};

// One "key: value" line of the source.
struct FieldLine {
    int number = 0;
    std::string_view key;
    bool raw = false; // written in the "%" form
    std::string_view value;

    QString keyText() const { return QString::fromLatin1(key.data(), qsizetype(key.size())); }
};

// The single-line fields of a question record.
constexpr std::string_view kRecordLineKeys[] = {"category", "sub", "stored", "shown", "correct", "style", "separator"};
// A question has this many ignored lines, whether the source gives them or not.
constexpr size_t kIgnoredLines = 11;

class Packer
{
  public:
    explicit Packer(const QString& name) : m_name(name) {}

    std::optional<FileError> parse(std::string_view source);
    std::optional<FileError> emit(std::string& qdf, std::vector<int>& sourceLineOf);

  private:
    using Result = std::optional<FileError>;

    FileError error(int line, const QString& message) const { return FileError{m_name, line, message}; }

    // Gathering, per line of the source.
    Result line(int number, std::string_view text);
    Result continuation(int number, std::string_view text, bool raw);
    Result field(const FieldLine& f);
    Result layoutField(const FieldLine& f, Block* wasOpen);
    Result headerField(const FieldLine& f, int index);
    Result questionField(const FieldLine& f);
    Result categoryField(const FieldLine& f);
    Result recordField(const FieldLine& f);
    Result recordBlockField(const FieldLine& f, SrcRecord& r);
    Result referenceOrLinkField(const FieldLine& f, SrcRecord& r);
    Result take(const FieldLine& f, Role role, Value& v) const;
    Result openBlock(const FieldLine& f, Block& block, Role role);
    Result toBytes(int number, std::string_view utf8, bool raw, Role role, std::string& out) const;

    // Emission, per part of the file.
    void emitHeader();
    Result emitCategories();
    Result emitRecord(const SrcRecord& r, bool last);
    Result emitIgnored(const SrcRecord& r);
    void emitPairs(const std::vector<Pair>& pairs, int count, std::string_view none, int src);
    Result emitTrailer();
    void put(std::string_view bytes, int src) { m_out.push_back({std::string(bytes), src}); }
    void put(const Value& v) { m_out.push_back(v); }
    Result putBlock(const std::optional<Block>& block, std::string_view marker, int src);
    Result putBlock(const Block& block, std::string_view marker);

    QString m_name;
    enum class Part { Header, Categories, Records, Trailer } m_part = Part::Header;
    std::array<std::optional<Value>, qsource::kHeaderCount> m_header{};
    std::deque<SrcCategory> m_categories;
    std::optional<Value> m_categoriesEnd;
    std::deque<SrcRecord> m_records;
    std::optional<Block> m_trailer;
    bool m_lf = false;
    bool m_lastLineEnd = true;
    Block* m_open = nullptr; // the block that "|" lines extend
    std::vector<Value> m_out;
};

// ----------------------------------------------------------------------------------- gathering

std::optional<FileError> Packer::toBytes(int number, std::string_view utf8, bool raw, Role role, std::string& out) const
{
    if (raw) {
        auto bytes = qsource::unescapeBytes(utf8);
        if (!bytes)
            return error(number, QStringLiteral("a \"%\" must be followed by two hex digits"));
        out = std::move(*bytes);
        return std::nullopt;
    }
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(QByteArrayView(utf8.data(), qsizetype(utf8.size())));
    if (decoder.hasError())
        return error(number, QStringLiteral("the line is not valid UTF-8"));
    auto bytes = cp932::fromUnicodeStrict(text);
    if (!bytes) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            const QString ch = text.mid(i, len);
            if (!cp932::fromUnicodeStrict(ch)) {
                return error(number, QStringLiteral("\"%1\" (U+%2) cannot be written in CP932")
                                         .arg(ch)
                                         .arg(ch.toUcs4().value(0), 4, 16, QLatin1Char('0')));
            }
            i += len - 1;
        }
        return error(number, QStringLiteral("the line cannot be written in CP932"));
    }
    out = qsource::storedForm(role, *bytes);
    return std::nullopt;
}

std::optional<FileError> Packer::take(const FieldLine& f, Role role, Value& v) const
{
    v.src = f.number;
    return toBytes(f.number, f.value, f.raw, role, v.bytes);
}

// A block field: its value, when given, is the first line; "|" lines that follow add more.
std::optional<FileError> Packer::openBlock(const FieldLine& f, Block& block, Role role)
{
    block.src = f.number;
    block.plain = role == Role::Plain;
    if (!f.value.empty()) {
        Value v;
        if (auto problem = take(f, role, v))
            return problem;
        block.lines.push_back(std::move(v));
    }
    m_open = &block;
    return std::nullopt;
}

std::optional<FileError> Packer::parse(std::string_view source)
{
    if (source.starts_with("\xEF\xBB\xBF"))
        source.remove_prefix(3);
    textlines::LineCursor cursor(source);
    std::string_view text;
    while (cursor.next(text)) {
        if (auto problem = line(cursor.lineNumber(), text))
            return problem;
    }
    if (m_records.empty())
        return error(cursor.lineNumber(), QStringLiteral("the source has no question (\"question: N\")"));
    static const char* required[] = {"mock", "minutes", "code", "title", "updated"};
    for (const char* key : required) {
        if (!m_header[size_t(qsource::headerIndex(key))])
            return error(1, QStringLiteral("the header field \"%1:\" is missing").arg(QLatin1String(key)));
    }
    for (const SrcRecord& r : m_records) {
        for (const char* key : {"category", "sub", "correct", "style"}) {
            if (!r.fields.count(key))
                return error(r.src, QStringLiteral("the question has no \"%1:\"").arg(QLatin1String(key)));
        }
    }
    return std::nullopt;
}

std::optional<FileError> Packer::line(int number, std::string_view text)
{
    // A trailing CR belongs to a CR LF source line end.
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    size_t lead = 0;
    while (lead < text.size() && (text[lead] == ' ' || text[lead] == '\t'))
        ++lead;
    text.remove_prefix(lead);
    if (text.empty() || text.front() == '#')
        return std::nullopt;

    bool raw = false;
    if (text.front() == '%') {
        raw = true;
        text.remove_prefix(1);
    }
    if (!text.empty() && text.front() == '|')
        return continuation(number, text.substr(1), raw);
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0)
        return error(number, QStringLiteral("expected \"key: value\" or a \"|\" line"));
    const std::string_view key = text.substr(0, colon);
    for (char ch : key) {
        if (!((ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '-'))
            return error(number, QStringLiteral("expected \"key: value\" or a \"|\" line"));
    }
    std::string_view value = text.substr(colon + 1);
    if (!value.empty() && value.front() == ' ')
        value.remove_prefix(1);
    return field(FieldLine{number, key, raw, value});
}

// A "|" line (without its "|"): one more line of the open block.
std::optional<FileError> Packer::continuation(int number, std::string_view text, bool raw)
{
    if (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    if (!m_open)
        return error(number,
                     QStringLiteral("a \"|\" line must follow text:, choice:, explanation:, ignored: or trailer:"));
    const Role role = m_open->plain ? Role::Plain : Role::Scrambled;
    Value v{{}, number};
    if (auto problem = toBytes(number, text, raw, role, v.bytes))
        return problem;
    m_open->lines.push_back(std::move(v));
    return std::nullopt;
}

std::optional<FileError> Packer::field(const FieldLine& f)
{
    Block* wasOpen = m_open;
    m_open = nullptr;
    if (f.key == "line-ends" || f.key == "last-line-end" || f.key == "end")
        return layoutField(f, wasOpen);
    if (m_part == Part::Trailer)
        return error(f.number, QStringLiteral("nothing but \"|\" lines may follow \"trailer:\""));
    if (const int h = qsource::headerIndex(f.key); h >= 0 && m_part == Part::Header)
        return headerField(f, h);
    if (f.key == "question")
        return questionField(f);
    if (m_part != Part::Records)
        return categoryField(f);
    return recordField(f);
}

// Fields about the layout of the file as a whole, and the end marker of the block just given.
std::optional<FileError> Packer::layoutField(const FieldLine& f, Block* wasOpen)
{
    if (f.key == "line-ends") {
        if (f.value != "crlf" && f.value != "lf")
            return error(f.number, QStringLiteral("line-ends is \"crlf\" or \"lf\""));
        m_lf = f.value == "lf";
        return std::nullopt;
    }
    if (f.key == "last-line-end") {
        if (f.value != "yes" && f.value != "no")
            return error(f.number, QStringLiteral("last-line-end is \"yes\" or \"no\""));
        m_lastLineEnd = f.value == "yes";
        return std::nullopt;
    }
    if (!wasOpen)
        return error(f.number, QStringLiteral("\"end:\" must follow the lines of a block"));
    Value v;
    if (auto problem = take(f, Role::Plain, v))
        return problem;
    wasOpen->end = std::move(v);
    return std::nullopt;
}

std::optional<FileError> Packer::headerField(const FieldLine& f, int index)
{
    if (m_header[size_t(index)])
        return error(f.number, QStringLiteral("\"%1:\" is given twice").arg(f.keyText()));
    Value v;
    if (auto problem = take(f, Role::Plain, v))
        return problem;
    m_header[size_t(index)] = std::move(v);
    return std::nullopt;
}

std::optional<FileError> Packer::questionField(const FieldLine& f)
{
    if (m_records.size() == size_t(kMaxQuestions))
        return error(f.number, QStringLiteral("more than %1 questions").arg(kMaxQuestions));
    m_part = Part::Records;
    SrcRecord& r = m_records.emplace_back();
    r.src = f.number;
    return take(f, Role::Plain, r.fields["question"]);
}

// A field before the first question: the category table.
std::optional<FileError> Packer::categoryField(const FieldLine& f)
{
    const int n = f.number;
    if (f.key == "category") {
        if (m_categoriesEnd)
            return error(n, QStringLiteral("a category after \"categories-end:\""));
        if (m_categories.size() == size_t(kMaxCategories))
            return error(n, QStringLiteral("more than %1 categories").arg(kMaxCategories));
        m_part = Part::Categories;
        SrcCategory& c = m_categories.emplace_back();
        return take(f, Role::Scrambled, c.name);
    }
    if (f.key == "sub") {
        if (m_categories.empty())
            return error(n, QStringLiteral("\"sub:\" before the first \"category:\""));
        SrcCategory& c = m_categories.back();
        if (c.subs.size() == size_t(kMaxSubCategories))
            return error(n, QStringLiteral("more than %1 sub-categories").arg(kMaxSubCategories));
        return take(f, Role::Scrambled, c.subs.emplace_back().first);
    }
    if (f.key == "count") {
        if (m_categories.empty())
            return error(n, QStringLiteral("\"count:\" before the first \"category:\""));
        SrcCategory& c = m_categories.back();
        std::optional<Value>& slot = c.subs.empty() ? c.count : c.subs.back().second;
        if (slot)
            return error(n, QStringLiteral("\"count:\" is given twice"));
        slot.emplace();
        return take(f, Role::Plain, *slot);
    }
    if (f.key == "categories-end") {
        if (m_categoriesEnd)
            return error(n, QStringLiteral("\"categories-end:\" is given twice"));
        m_categoriesEnd.emplace();
        return take(f, Role::Plain, *m_categoriesEnd);
    }
    if (qsource::headerIndex(f.key) >= 0)
        return error(n, QStringLiteral("header fields come before the categories"));
    return error(n, QStringLiteral("unknown field \"%1:\" (or it belongs in a question)").arg(f.keyText()));
}

// A field of the question last begun.
std::optional<FileError> Packer::recordField(const FieldLine& f)
{
    SrcRecord& r = m_records.back();
    if (f.key == "trailer" || f.key == "text" || f.key == "explanation" || f.key == "ignored" || f.key == "choice")
        return recordBlockField(f, r);
    if (f.key == "ref" || f.key == "page" || f.key == "link" || f.key == "target")
        return referenceOrLinkField(f, r);
    if (std::ranges::find(kRecordLineKeys, f.key) == std::end(kRecordLineKeys))
        return error(f.number, QStringLiteral("unknown field \"%1:\"").arg(f.keyText()));
    const std::string name(f.key);
    if (r.fields.count(name))
        return error(f.number, QStringLiteral("\"%1:\" is given twice in this question").arg(f.keyText()));
    return take(f, Role::Plain, r.fields[name]);
}

std::optional<FileError> Packer::recordBlockField(const FieldLine& f, SrcRecord& r)
{
    if (f.key == "trailer") {
        m_part = Part::Trailer;
        m_trailer.emplace();
        return openBlock(f, *m_trailer, Role::Plain);
    }
    if (f.key == "choice") {
        if (r.choices.size() == size_t(kMaxChoices))
            return error(f.number, QStringLiteral("more than %1 choices").arg(kMaxChoices));
        return openBlock(f, r.choices.emplace_back(), Role::Scrambled);
    }
    std::optional<Block>& block = f.key == "text" ? r.text : f.key == "explanation" ? r.explanation : r.ignored;
    if (block)
        return error(f.number, QStringLiteral("\"%1:\" is given twice in this question").arg(f.keyText()));
    block.emplace();
    return openBlock(f, *block, f.key == "ignored" ? Role::Plain : Role::Scrambled);
}

std::optional<FileError> Packer::referenceOrLinkField(const FieldLine& f, SrcRecord& r)
{
    if (f.key == "ref") {
        if (r.refs.size() == size_t(kReferenceCount))
            return error(f.number, QStringLiteral("more than %1 references").arg(kReferenceCount));
        return take(f, Role::Reference, r.refs.emplace_back().first);
    }
    if (f.key == "link") {
        if (r.links.size() == size_t(kLinkCount))
            return error(f.number, QStringLiteral("more than %1 links").arg(kLinkCount));
        return take(f, Role::Scrambled, r.links.emplace_back().first);
    }
    const bool page = f.key == "page";
    std::vector<Pair>& pairs = page ? r.refs : r.links;
    if (pairs.empty() || pairs.back().second) {
        return error(f.number, page ? QStringLiteral("\"page:\" must follow its \"ref:\"")
                                    : QStringLiteral("\"target:\" must follow its \"link:\""));
    }
    pairs.back().second.emplace();
    return take(f, page ? Role::Reference : Role::Scrambled, *pairs.back().second);
}

// ------------------------------------------------------------------------------------ emission

std::optional<FileError> Packer::putBlock(const Block& block, std::string_view marker)
{
    for (const Value& v : block.lines) {
        if (trim(v.bytes) == marker) {
            return error(v.src, QStringLiteral("this line is stored as \"%1\" and would end the block early")
                                    .arg(QLatin1String(marker.data(), qsizetype(marker.size()))));
        }
        put(v);
    }
    if (block.end) {
        if (trim(block.end->bytes) != marker) {
            return error(block.end->src, QStringLiteral("\"end:\" must read as \"%1\"")
                                             .arg(QLatin1String(marker.data(), qsizetype(marker.size()))));
        }
        put(*block.end);
    } else {
        put(marker, block.src);
    }
    return std::nullopt;
}

std::optional<FileError> Packer::putBlock(const std::optional<Block>& block, std::string_view marker, int src)
{
    if (block)
        return putBlock(*block, marker);
    put(marker, src);
    return std::nullopt;
}

void Packer::emitHeader()
{
    static const char* defaults[qsource::kHeaderCount] = {kFormatTag, "", "", "", "", "0", "0", "0", "", ""};
    for (size_t i = 0; i < size_t(qsource::kHeaderCount); ++i) {
        if (m_header[i])
            put(*m_header[i]);
        else if (i == 9)
            put(std::to_string(m_records.size()), 1);
        else
            put(defaults[i], 1);
    }
}

std::optional<FileError> Packer::emitCategories()
{
    // Counts the source leaves out are those of the records (the draw relies on them).
    std::array<std::array<int, kMaxSubCategories + 1>, kMaxCategories + 1> perSub{};
    for (const SrcRecord& r : m_records) {
        const auto c = textlines::parseNumber(r.fields.at("category").bytes);
        const auto s = textlines::parseNumber(r.fields.at("sub").bytes);
        if (c && s && *c >= 1 && *c <= kMaxCategories && *s >= 1 && *s <= kMaxSubCategories) {
            ++perSub[size_t(*c)][0];
            ++perSub[size_t(*c)][size_t(*s)];
        }
    }

    for (size_t c = 0; c < m_categories.size(); ++c) {
        const SrcCategory& category = m_categories[c];
        if (trim(category.name.bytes) == "*CE")
            return error(category.name.src, QStringLiteral("this name is stored as \"*CE\" and would end the table"));
        put(category.name);
        put(category.count ? *category.count : Value{std::to_string(perSub[c + 1][0]), category.name.src});
        for (size_t k = 0; k < size_t(kMaxSubCategories); ++k) {
            if (k < category.subs.size()) {
                const Pair& sub = category.subs[k];
                put(sub.first);
                put(sub.second ? *sub.second : Value{std::to_string(perSub[c + 1][k + 1]), sub.first.src});
            } else {
                put("", category.name.src);
                put("0", category.name.src);
            }
        }
    }
    if (m_categories.size() < size_t(kMaxCategories)) {
        if (m_categoriesEnd && trim(m_categoriesEnd->bytes) != "*CE")
            return error(m_categoriesEnd->src, QStringLiteral("\"categories-end:\" must read as \"*CE\""));
        put(m_categoriesEnd ? *m_categoriesEnd : Value{"*CE", m_categories.empty() ? 1 : m_categories.back().name.src});
    } else if (m_categoriesEnd) {
        return error(m_categoriesEnd->src, QStringLiteral("fifty categories leave no room for \"categories-end:\""));
    }
    return std::nullopt;
}

std::optional<FileError> Packer::emitRecord(const SrcRecord& r, bool last)
{
    auto fieldOr = [&](const char* key, std::string fallback) {
        auto it = r.fields.find(key);
        return it != r.fields.end() ? it->second : Value{std::move(fallback), r.src};
    };
    put(r.fields.at("question"));
    put(r.fields.at("category"));
    put(r.fields.at("sub"));
    if (auto problem = putBlock(r.text, "*QE", r.src))
        return problem;
    const Value stored = fieldOr("stored", std::to_string(r.choices.size()));
    put(stored);
    put(fieldOr("shown", stored.bytes));
    put(r.fields.at("correct"));
    put(r.fields.at("style"));
    for (size_t k = 0; k < size_t(kMaxChoices); ++k) {
        const auto choice = k < r.choices.size() ? std::optional<Block>(r.choices[k]) : std::nullopt;
        if (auto problem = putBlock(choice, "*AE", r.src))
            return problem;
    }
    if (auto problem = emitIgnored(r))
        return problem;
    if (auto problem = putBlock(r.explanation, "*EE", r.src))
        return problem;
    emitPairs(r.refs, kReferenceCount, "Null", r.src);
    emitPairs(r.links, kLinkCount, "", r.src);

    auto separator = r.fields.find("separator");
    if (last && separator != r.fields.end())
        return error(separator->second.src, QStringLiteral("the last question's separator is the trailer"));
    if (!last) {
        const Value v = fieldOr("separator", "");
        if (trim(v.bytes) == "*EOF")
            return error(v.src, QStringLiteral("this separator would end the file"));
        put(v);
    }
    return std::nullopt;
}

// The ignored lines have no end marker: always kIgnoredLines of them, blank when not given.
std::optional<FileError> Packer::emitIgnored(const SrcRecord& r)
{
    const size_t ignored = r.ignored ? r.ignored->lines.size() : 0;
    if (ignored > kIgnoredLines)
        return error(r.ignored->lines[kIgnoredLines].src, QStringLiteral("a question has only 11 ignored lines"));
    if (r.ignored && r.ignored->end)
        return error(r.ignored->end->src, QStringLiteral("the ignored lines have no end marker"));
    for (size_t k = 0; k < kIgnoredLines; ++k)
        put(k < ignored ? r.ignored->lines[k] : Value{"", r.src});
    return std::nullopt;
}

// References and links: `count` pairs of lines, `none` standing for what the source leaves out.
void Packer::emitPairs(const std::vector<Pair>& pairs, int count, std::string_view none, int src)
{
    for (size_t k = 0; k < size_t(count); ++k) {
        const Pair* pair = k < pairs.size() ? &pairs[k] : nullptr;
        put(pair ? pair->first : Value{std::string(none), src});
        put(pair && pair->second ? *pair->second : Value{std::string(none), pair ? pair->first.src : src});
    }
}

std::optional<FileError> Packer::emitTrailer()
{
    if (!m_trailer) {
        put("*EOF", m_records.back().src);
        return std::nullopt;
    }
    if (m_trailer->end)
        return error(m_trailer->end->src, QStringLiteral("the trailer has no end marker"));
    for (const Value& v : m_trailer->lines)
        put(v);
    return std::nullopt;
}

std::optional<FileError> Packer::emit(std::string& qdf, std::vector<int>& sourceLineOf)
{
    m_out.clear();
    emitHeader();
    if (auto problem = emitCategories())
        return problem;
    for (size_t j = 0; j < m_records.size(); ++j) {
        if (auto problem = emitRecord(m_records[j], j + 1 == m_records.size()))
            return problem;
    }
    if (auto problem = emitTrailer())
        return problem;

    qdf.clear();
    sourceLineOf.clear();
    const std::string_view eol = m_lf ? "\n" : "\r\n";
    for (size_t i = 0; i < m_out.size(); ++i) {
        qdf += m_out[i].bytes;
        if (m_lastLineEnd || i + 1 < m_out.size())
            qdf += eol;
        sourceLineOf.push_back(m_out[i].src);
    }
    return std::nullopt;
}

FileError atSourceLine(const FileError& e, const QString& sourceName, const std::vector<int>& sourceLineOf)
{
    int line = 0;
    if (e.line > 0 && !sourceLineOf.empty())
        line = sourceLineOf[size_t(std::min<int>(e.line, int(sourceLineOf.size())) - 1)];
    QString message = e.message;
    if (e.line > 0)
        message += QStringLiteral(" (line %1 of the packed file)").arg(e.line);
    return FileError{sourceName, line, message};
}

} // namespace

std::optional<FileError> PackQuestionSource(std::string_view source, const QString& sourceName, std::string& qdf,
                                            std::vector<FileProblem>* warnings)
{
    Packer packer(sourceName);
    if (auto problem = packer.parse(source))
        return problem;
    std::vector<int> sourceLineOf;
    if (auto problem = packer.emit(qdf, sourceLineOf))
        return problem;

    // The packed bytes must read back: the reader's verdict, in terms of the source.
    auto bank = std::make_unique<QuestionBank>();
    auto lines = std::make_unique<QuestionFileLines>();
    if (auto e = LoadQuestionBankFromBytes(qdf, sourceName, *bank, lines.get()))
        return atSourceLine(*e, sourceName, sourceLineOf);
    QuestionHeader header;
    if (auto e = ReadQuestionHeaderFromBytes(qdf, sourceName, header))
        return atSourceLine(*e, sourceName, sourceLineOf);
    if (warnings) {
        warnings->clear();
        for (const FileProblem& p : CheckQuestionBank(*bank, *lines, header, sourceName))
            warnings->push_back({atSourceLine(p.where, sourceName, sourceLineOf), p.warning});
    }
    return std::nullopt;
}
