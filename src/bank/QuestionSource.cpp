#include "bank/QuestionSource.h"

#include "bank/Cp932.h"
#include "bank/QuestionFile.h"
#include "bank/TextLines.h"

#include <QList>
#include <QStringDecoder>

#include <deque>
#include <map>
#include <memory>

using textlines::trim;

namespace {

// How a line is stored in the file: as it stands, through ScrambleLine, or (references and pages)
// through ScrambleLine unless it is the plain "Null" that stands for no entry.
enum class Role { Plain, Scrambled, Reference };

std::string storedForm(Role role, std::string_view text)
{
    if (role == Role::Plain || (role == Role::Reference && trim(text) == "Null"))
        return std::string(text);
    return ScrambleLine(text);
}

// The text a stored line shows; storedForm of it is the stored line again (ScrambleLine is its own
// inverse), except for references whose text reads as "Null" (checked by the caller).
std::string shownForm(Role role, std::string_view stored)
{
    return storedForm(role, stored);
}

// --- The "%" form: the file's bytes exactly, printable ASCII as itself, everything else %HH. ----

std::string escapeBytes(std::string_view bytes)
{
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b > 0x20 && b < 0x7F && b != '%') {
            out.push_back(ch);
        } else {
            out.push_back('%');
            out.push_back(hex[b >> 4]);
            out.push_back(hex[b & 15]);
        }
    }
    return out;
}

std::optional<std::string> unescapeBytes(std::string_view text)
{
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out.push_back(text[i]);
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const int hi = digit(text[i + 1]);
        const int lo = digit(text[i + 2]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out.push_back(static_cast<char>(hi * 16 + lo));
        i += 2;
    }
    return out;
}

// CP932 bytes as text for the source, when they convert there and back unchanged and hold no
// control characters other than tab.
std::optional<QString> sourceText(std::string_view bytes)
{
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if ((b < 0x20 && b != '\t') || b == 0x7F)
            return std::nullopt;
    }
    auto text = cp932::toUnicodeStrict(bytes);
    if (!text)
        return std::nullopt;
    auto back = cp932::fromUnicodeStrict(*text);
    if (!back || *back != bytes)
        return std::nullopt;
    return text;
}

// ===================================== pack =====================================================

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

constexpr const char* kHeaderKeys[10] = {"format", "mock", "minutes", "code", "title",
                                         "badge1", "badge2", "badge345", "updated", "questions"};

int headerIndex(std::string_view key)
{
    for (int i = 0; i < 10; ++i) {
        if (key == kHeaderKeys[i])
            return i;
    }
    return -1;
}

class Packer {
public:
    explicit Packer(const QString& name)
        : m_name(name)
    {
    }

    std::optional<FileError> parse(std::string_view source);
    std::optional<FileError> emit(std::string& qdf, std::vector<int>& sourceLineOf);

private:
    FileError error(int line, const QString& message) const { return FileError{m_name, line, message}; }

    std::optional<FileError> line(int number, std::string_view text);
    std::optional<FileError> field(int number, std::string_view key, bool raw, std::string_view value);
    std::optional<FileError> toBytes(int number, std::string_view utf8, bool raw, Role role, std::string& out) const;

    // Emission helpers.
    void put(std::string_view bytes, int src) { m_out.push_back({std::string(bytes), src}); }
    void put(const Value& v) { m_out.push_back(v); }
    std::optional<FileError> putBlock(const std::optional<Block>& block, std::string_view marker, int src);
    std::optional<FileError> putBlock(const Block& block, std::string_view marker);

    QString m_name;
    enum class Part { Header, Categories, Records, Trailer } m_part = Part::Header;
    std::array<std::optional<Value>, 10> m_header{};
    std::deque<SrcCategory> m_categories;
    std::optional<Value> m_categoriesEnd;
    std::deque<SrcRecord> m_records;
    std::optional<Block> m_trailer;
    bool m_lf = false;
    bool m_lastLineEnd = true;
    Block* m_open = nullptr; // the block that "|" lines extend
    std::vector<Value> m_out;
};

std::optional<FileError> Packer::toBytes(int number, std::string_view utf8, bool raw, Role role, std::string& out) const
{
    if (raw) {
        auto bytes = unescapeBytes(utf8);
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
    out = storedForm(role, *bytes);
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
        if (!m_header[size_t(headerIndex(key))])
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
    if (!text.empty() && text.front() == '|') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        if (!m_open)
            return error(number, QStringLiteral("a \"|\" line must follow text:, choice:, explanation:, ignored: or trailer:"));
        const Role role = m_open->plain ? Role::Plain : Role::Scrambled;
        Value v{{}, number};
        if (auto problem = toBytes(number, text, raw, role, v.bytes))
            return problem;
        m_open->lines.push_back(std::move(v));
        return std::nullopt;
    }
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
    return field(number, key, raw, value);
}

std::optional<FileError> Packer::field(int number, std::string_view key, bool raw, std::string_view value)
{
    const QString k = QString::fromLatin1(key.data(), qsizetype(key.size()));
    Block* wasOpen = m_open;
    m_open = nullptr;

    auto make = [&](Role role, Value& v) -> std::optional<FileError> {
        v.src = number;
        return toBytes(number, value, raw, role, v.bytes);
    };
    // A block field: its value, when given, is the first line.
    auto openBlock = [&](Block& block, Role role) -> std::optional<FileError> {
        block.src = number;
        block.plain = role == Role::Plain;
        if (!value.empty()) {
            Value v;
            if (auto problem = make(role, v))
                return problem;
            block.lines.push_back(std::move(v));
        }
        m_open = &block;
        return std::nullopt;
    };

    // Layout of the file as a whole.
    if (key == "line-ends") {
        if (value != "crlf" && value != "lf")
            return error(number, QStringLiteral("line-ends is \"crlf\" or \"lf\""));
        m_lf = value == "lf";
        return std::nullopt;
    }
    if (key == "last-line-end") {
        if (value != "yes" && value != "no")
            return error(number, QStringLiteral("last-line-end is \"yes\" or \"no\""));
        m_lastLineEnd = value == "yes";
        return std::nullopt;
    }
    if (key == "end") {
        if (!wasOpen)
            return error(number, QStringLiteral("\"end:\" must follow the lines of a block"));
        Value v;
        if (auto problem = make(Role::Plain, v))
            return problem;
        wasOpen->end = std::move(v);
        return std::nullopt;
    }

    if (m_part == Part::Trailer)
        return error(number, QStringLiteral("nothing but \"|\" lines may follow \"trailer:\""));

    if (const int h = headerIndex(key); h >= 0 && m_part == Part::Header) {
        if (m_header[size_t(h)])
            return error(number, QStringLiteral("\"%1:\" is given twice").arg(k));
        Value v;
        if (auto problem = make(Role::Plain, v))
            return problem;
        m_header[size_t(h)] = std::move(v);
        return std::nullopt;
    }

    if (key == "question") {
        if (m_records.size() == size_t(kMaxQuestions))
            return error(number, QStringLiteral("more than %1 questions").arg(kMaxQuestions));
        m_part = Part::Records;
        SrcRecord& r = m_records.emplace_back();
        r.src = number;
        return make(Role::Plain, r.fields["question"]);
    }

    if (m_part != Part::Records) {
        if (key == "category") {
            if (m_categoriesEnd)
                return error(number, QStringLiteral("a category after \"categories-end:\""));
            if (m_categories.size() == size_t(kMaxCategories))
                return error(number, QStringLiteral("more than %1 categories").arg(kMaxCategories));
            m_part = Part::Categories;
            SrcCategory& c = m_categories.emplace_back();
            return make(Role::Scrambled, c.name);
        }
        if (key == "sub") {
            if (m_categories.empty())
                return error(number, QStringLiteral("\"sub:\" before the first \"category:\""));
            SrcCategory& c = m_categories.back();
            if (c.subs.size() == size_t(kMaxSubCategories))
                return error(number, QStringLiteral("more than %1 sub-categories").arg(kMaxSubCategories));
            return make(Role::Scrambled, c.subs.emplace_back().first);
        }
        if (key == "count") {
            if (m_categories.empty())
                return error(number, QStringLiteral("\"count:\" before the first \"category:\""));
            SrcCategory& c = m_categories.back();
            std::optional<Value>& slot = c.subs.empty() ? c.count : c.subs.back().second;
            if (slot)
                return error(number, QStringLiteral("\"count:\" is given twice"));
            slot.emplace();
            return make(Role::Plain, *slot);
        }
        if (key == "categories-end") {
            if (m_categoriesEnd)
                return error(number, QStringLiteral("\"categories-end:\" is given twice"));
            m_categoriesEnd.emplace();
            return make(Role::Plain, *m_categoriesEnd);
        }
        if (headerIndex(key) >= 0)
            return error(number, QStringLiteral("header fields come before the categories"));
        return error(number, QStringLiteral("unknown field \"%1:\" (or it belongs in a question)").arg(k));
    }

    SrcRecord& r = m_records.back();
    if (key == "trailer") {
        m_part = Part::Trailer;
        m_trailer.emplace();
        return openBlock(*m_trailer, Role::Plain);
    }
    if (key == "category" || key == "sub" || key == "stored" || key == "shown" || key == "correct" || key == "style"
        || key == "separator") {
        const std::string name(key);
        if (r.fields.count(name))
            return error(number, QStringLiteral("\"%1:\" is given twice in this question").arg(k));
        return make(Role::Plain, r.fields[name]);
    }
    if (key == "text" || key == "explanation") {
        std::optional<Block>& block = key == "text" ? r.text : r.explanation;
        if (block)
            return error(number, QStringLiteral("\"%1:\" is given twice in this question").arg(k));
        block.emplace();
        return openBlock(*block, Role::Scrambled);
    }
    if (key == "ignored") {
        if (r.ignored)
            return error(number, QStringLiteral("\"ignored:\" is given twice in this question"));
        r.ignored.emplace();
        return openBlock(*r.ignored, Role::Plain);
    }
    if (key == "choice") {
        if (r.choices.size() == size_t(kMaxChoices))
            return error(number, QStringLiteral("more than %1 choices").arg(kMaxChoices));
        return openBlock(r.choices.emplace_back(), Role::Scrambled);
    }
    if (key == "ref") {
        if (r.refs.size() == size_t(kReferenceCount))
            return error(number, QStringLiteral("more than %1 references").arg(kReferenceCount));
        return make(Role::Reference, r.refs.emplace_back().first);
    }
    if (key == "link") {
        if (r.links.size() == size_t(kLinkCount))
            return error(number, QStringLiteral("more than %1 links").arg(kLinkCount));
        return make(Role::Scrambled, r.links.emplace_back().first);
    }
    if (key == "page" || key == "target") {
        std::vector<Pair>& pairs = key == "page" ? r.refs : r.links;
        if (pairs.empty() || pairs.back().second) {
            return error(number, key == "page" ? QStringLiteral("\"page:\" must follow its \"ref:\"")
                                               : QStringLiteral("\"target:\" must follow its \"link:\""));
        }
        pairs.back().second.emplace();
        return make(key == "page" ? Role::Reference : Role::Scrambled, *pairs.back().second);
    }
    return error(number, QStringLiteral("unknown field \"%1:\"").arg(k));
}

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

std::optional<FileError> Packer::emit(std::string& qdf, std::vector<int>& sourceLineOf)
{
    m_out.clear();
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

    static const char* defaults[10] = {kFormatTag, "", "", "", "", "0", "0", "0", "", ""};
    for (size_t i = 0; i < 10; ++i) {
        if (m_header[i])
            put(*m_header[i]);
        else if (i == 9)
            put(std::to_string(m_records.size()), 1);
        else
            put(defaults[i], 1);
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

    for (size_t j = 0; j < m_records.size(); ++j) {
        const SrcRecord& r = m_records[j];
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
            if (auto problem = putBlock(k < r.choices.size() ? std::optional<Block>(r.choices[k]) : std::nullopt, "*AE", r.src))
                return problem;
        }
        const size_t ignored = r.ignored ? r.ignored->lines.size() : 0;
        if (ignored > 11)
            return error(r.ignored->lines[11].src, QStringLiteral("a question has only 11 ignored lines"));
        if (r.ignored && r.ignored->end)
            return error(r.ignored->end->src, QStringLiteral("the ignored lines have no end marker"));
        for (size_t k = 0; k < 11; ++k)
            put(k < ignored ? r.ignored->lines[k] : Value{"", r.src});
        if (auto problem = putBlock(r.explanation, "*EE", r.src))
            return problem;
        for (size_t k = 0; k < size_t(kReferenceCount); ++k) {
            const Pair* ref = k < r.refs.size() ? &r.refs[k] : nullptr;
            put(ref ? ref->first : Value{"Null", r.src});
            put(ref && ref->second ? *ref->second : Value{"Null", ref ? ref->first.src : r.src});
        }
        for (size_t k = 0; k < size_t(kLinkCount); ++k) {
            const Pair* link = k < r.links.size() ? &r.links[k] : nullptr;
            put(link ? link->first : Value{"", r.src});
            put(link && link->second ? *link->second : Value{"", link ? link->first.src : r.src});
        }
        const bool last = j + 1 == m_records.size();
        auto separator = r.fields.find("separator");
        if (last && separator != r.fields.end())
            return error(separator->second.src, QStringLiteral("the last question's separator is the trailer"));
        if (!last) {
            const Value v = fieldOr("separator", "");
            if (trim(v.bytes) == "*EOF")
                return error(v.src, QStringLiteral("this separator would end the file"));
            put(v);
        }
    }
    if (m_trailer) {
        if (m_trailer->end)
            return error(m_trailer->end->src, QStringLiteral("the trailer has no end marker"));
        for (const Value& v : m_trailer->lines)
            put(v);
    } else {
        put("*EOF", m_records.back().src);
    }

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

// ===================================== unpack ===================================================

class Unpacker {
public:
    explicit Unpacker(std::string_view bytes)
        : m_cursor(bytes)
    {
    }

    std::string run(const QuestionBank& bank, std::string_view bytes);

private:
    bool next(std::string_view& line) { return m_cursor.next(line); }

    void comment(std::string_view text)
    {
        m_out += "# ";
        m_out += text;
        m_out += '\n';
    }
    void blank() { m_out += '\n'; }

    void field(std::string_view indent, std::string_view key, Role role, std::string_view stored)
    {
        m_out += indent;
        if (auto text = normal(role, stored)) {
            m_out += key;
            m_out += ':';
            if (!text->empty()) {
                m_out += ' ';
                m_out += *text;
            }
        } else {
            m_out += '%';
            m_out += key;
            m_out += ": ";
            m_out += escapeBytes(stored);
        }
        m_out += '\n';
    }

    // The source text of a stored line, when it packs back to exactly that line.
    std::optional<std::string> normal(Role role, std::string_view stored) const
    {
        const std::string shown = shownForm(role, stored);
        if (role == Role::Reference && trim(stored) != "Null" && trim(shown) == "Null")
            return std::nullopt; // the text "Null" stored scrambled
        auto text = sourceText(shown);
        if (!text)
            return std::nullopt;
        return text->toStdString();
    }

    // The lines up to the marker (already known to be there).
    std::vector<std::string_view> blockLines(std::string_view marker, std::string_view& end)
    {
        std::vector<std::string_view> lines;
        std::string_view line;
        while (next(line) && trim(line) != marker)
            lines.push_back(line);
        end = line;
        return lines;
    }

    void block(std::string_view key, Role role, const std::vector<std::string_view>& lines, std::string_view end,
               std::string_view marker)
    {
        std::optional<std::string> single = lines.size() == 1 ? normal(role, lines[0]) : std::nullopt;
        if (single && !single->empty()) {
            field("", key, role, lines[0]);
        } else {
            m_out += key;
            m_out += ":\n";
            for (std::string_view line : lines) {
                if (auto text = normal(role, line)) {
                    m_out += text->empty() ? "|" : "| " + *text;
                } else {
                    m_out += "%| ";
                    m_out += escapeBytes(line);
                }
                m_out += '\n';
            }
        }
        if (end != marker)
            field("", "end", Role::Plain, end);
    }

    textlines::LineCursor m_cursor;
    std::string m_out;
};

std::string Unpacker::run(const QuestionBank& bank, std::string_view bytes)
{
    comment("Quarvel question source: `quarvel-tool qdf pack` makes the question data file from it.");
    comment("docs/question-source-format.md describes every field.");

    // Line ends of the whole file: the usual CR LF, or LF; a file mixing both comes back as the majority.
    size_t crlf = 0;
    size_t lf = 0;
    for (size_t i = bytes.find('\n'); i != std::string_view::npos; i = bytes.find('\n', i + 1))
        (i > 0 && bytes[i - 1] == '\r' ? crlf : lf) += 1;
    if (lf > crlf)
        m_out += "line-ends: lf\n";
    if (!bytes.empty() && bytes.back() != '\n')
        m_out += "last-line-end: no\n";

    std::string_view line;
    for (int i = 0; i < 10 && next(line); ++i)
        field("", kHeaderKeys[i], Role::Plain, line);

    for (int c = 1; c <= bank.categoryCount; ++c) {
        blank();
        next(line);
        field("", "category", Role::Scrambled, line);
        next(line);
        field("", "count", Role::Plain, line);
        std::vector<std::pair<std::string_view, std::string_view>> subs;
        size_t used = 0;
        for (int k = 0; k < kMaxSubCategories; ++k) {
            std::string_view name;
            std::string_view count;
            next(name);
            next(count);
            subs.emplace_back(name, count);
            if (!(name.empty() && count == "0"))
                used = size_t(k + 1);
        }
        for (size_t k = 0; k < used; ++k) {
            field("  ", "sub", Role::Scrambled, subs[k].first);
            field("  ", "count", Role::Plain, subs[k].second);
        }
    }
    if (bank.categoryCount < kMaxCategories) {
        next(line);
        if (line != "*CE")
            field("", "categories-end", Role::Plain, line);
    }

    for (int j = 1; j <= bank.recordsRead; ++j) {
        blank();
        std::string_view number, category, sub, stored, shown, correct, style, end;
        next(number);
        next(category);
        next(sub);
        field("", "question", Role::Plain, number);
        field("", "category", Role::Plain, category);
        field("", "sub", Role::Plain, sub);
        const auto text = blockLines("*QE", end);
        const std::string textEnd(end);
        next(stored);
        next(shown);
        next(correct);
        next(style);
        field("", "style", Role::Plain, style);
        field("", "stored", Role::Plain, stored);
        field("", "shown", Role::Plain, shown);
        field("", "correct", Role::Plain, correct);
        block("text", Role::Scrambled, text, textEnd, "*QE");

        std::vector<std::pair<std::vector<std::string_view>, std::string_view>> choices;
        size_t usedChoices = 0;
        for (int k = 0; k < kMaxChoices; ++k) {
            auto lines = blockLines("*AE", end);
            if (!lines.empty() || end != "*AE")
                usedChoices = size_t(k + 1);
            choices.emplace_back(std::move(lines), end);
        }
        for (size_t k = 0; k < usedChoices; ++k)
            block("choice", Role::Scrambled, choices[k].first, choices[k].second, "*AE");

        std::vector<std::string_view> ignored;
        size_t usedIgnored = 0;
        for (int k = 0; k < 11; ++k) {
            next(line);
            ignored.push_back(line);
            if (!line.empty())
                usedIgnored = size_t(k + 1);
        }
        if (usedIgnored > 0) {
            ignored.resize(usedIgnored);
            block("ignored", Role::Plain, ignored, "", "");
        }

        const auto explanation = blockLines("*EE", end);
        block("explanation", Role::Scrambled, explanation, end, "*EE");

        std::vector<std::pair<std::string_view, std::string_view>> refs;
        size_t usedRefs = 0;
        for (int k = 0; k < kReferenceCount; ++k) {
            std::string_view text, page;
            next(text);
            next(page);
            refs.emplace_back(text, page);
            if (text != "Null" || page != "Null")
                usedRefs = size_t(k + 1);
        }
        for (size_t k = 0; k < usedRefs; ++k) {
            field("", "ref", Role::Reference, refs[k].first);
            if (refs[k].second != "Null")
                field("", "page", Role::Reference, refs[k].second);
        }

        std::vector<std::pair<std::string_view, std::string_view>> links;
        size_t usedLinks = 0;
        for (int k = 0; k < kLinkCount; ++k) {
            std::string_view caption, target;
            next(caption);
            next(target);
            links.emplace_back(caption, target);
            if (!caption.empty() || !target.empty())
                usedLinks = size_t(k + 1);
        }
        for (size_t k = 0; k < usedLinks; ++k) {
            field("", "link", Role::Scrambled, links[k].first);
            if (!links[k].second.empty())
                field("", "target", Role::Scrambled, links[k].second);
        }

        if (j < bank.recordsRead) {
            next(line);
            if (!line.empty())
                field("", "separator", Role::Plain, line);
        }
    }

    // Whatever follows the last record: normally the one line "*EOF".
    std::vector<std::string_view> trailer;
    while (next(line))
        trailer.push_back(line);
    if (!(trailer.size() == 1 && trailer[0] == "*EOF")) {
        blank();
        m_out += "trailer:\n";
        for (std::string_view t : trailer) {
            if (auto text = normal(Role::Plain, t))
                m_out += text->empty() ? "|" : "| " + *text;
            else
                m_out += "%| " + escapeBytes(t);
            m_out += '\n';
        }
    }
    return m_out;
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

std::optional<FileError> UnpackQuestionFile(std::string_view qdf, const QString& fileName, std::string& source,
                                            bool* exact)
{
    auto bank = std::make_unique<QuestionBank>();
    if (auto e = LoadQuestionBankFromBytes(qdf, fileName, *bank))
        return e;
    Unpacker unpacker(qdf);
    source = unpacker.run(*bank, qdf);
    if (exact) {
        std::string again;
        *exact = !PackQuestionSource(source, fileName, again) && again == qdf;
    }
    return std::nullopt;
}
