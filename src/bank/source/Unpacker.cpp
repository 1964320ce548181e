// .qdf -> source: the file's lines are read in their fixed layout, part by part, and each is
// written as a field; what the source can leave out (unused slots, plain markers) is left out.
#include "bank/source/QuestionSource.h"

#include "bank/QuestionFile.h"
#include "bank/TextLines.h"
#include "bank/source/SourceForm.h"

#include <memory>

using qsource::Role;
using textlines::trim;

namespace
{

// The two kinds of line pairs at the end of a record: references and links.
struct PairKind {
    int count;
    std::string_view none; // what an unused line holds
    std::string_view firstKey;
    std::string_view secondKey;
    Role role;
};

constexpr PairKind kReferences{kReferenceCount, "Null", "ref", "page", Role::Reference};
constexpr PairKind kLinks{kLinkCount, "", "link", "target", Role::Scrambled};

// A question has this many ignored lines.
constexpr int kIgnoredLines = 11;

class Unpacker
{
  public:
    explicit Unpacker(std::string_view bytes) : m_cursor(bytes) {}

    std::string run(const QuestionBank& bank, std::string_view bytes);

  private:
    bool next(std::string_view& line) { return m_cursor.next(line); }

    // The parts of the file, in their order.
    void lineEnds(std::string_view bytes);
    void header();
    void categories(int count);
    void category();
    void record(bool separatorFollows);
    void choices();
    void ignoredLines();
    void pairs(const PairKind& kind);
    void trailer();

    void comment(std::string_view text)
    {
        m_out += "# ";
        m_out += text;
        m_out += '\n';
    }
    void blank() { m_out += '\n'; }
    void field(std::string_view indent, std::string_view key, Role role, std::string_view stored);
    std::optional<std::string> normal(Role role, std::string_view stored) const;
    std::vector<std::string_view> blockLines(std::string_view marker, std::string_view& end);
    void block(std::string_view key, Role role, const std::vector<std::string_view>& lines, std::string_view end,
               std::string_view marker);
    void pipeLines(Role role, const std::vector<std::string_view>& lines);

    textlines::LineCursor m_cursor;
    std::string m_out;
};

void Unpacker::field(std::string_view indent, std::string_view key, Role role, std::string_view stored)
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
        m_out += qsource::escapeBytes(stored);
    }
    m_out += '\n';
}

// The source text of a stored line, when it packs back to exactly that line.
std::optional<std::string> Unpacker::normal(Role role, std::string_view stored) const
{
    const std::string shown = qsource::shownForm(role, stored);
    if (role == Role::Reference && trim(stored) != "Null" && trim(shown) == "Null")
        return std::nullopt; // the text "Null" stored scrambled
    auto text = qsource::sourceText(shown);
    if (!text)
        return std::nullopt;
    return text->toStdString();
}

// The lines up to the marker (already known to be there).
std::vector<std::string_view> Unpacker::blockLines(std::string_view marker, std::string_view& end)
{
    std::vector<std::string_view> lines;
    std::string_view line;
    while (next(line) && trim(line) != marker)
        lines.push_back(line);
    end = line;
    return lines;
}

void Unpacker::block(std::string_view key, Role role, const std::vector<std::string_view>& lines, std::string_view end,
                     std::string_view marker)
{
    std::optional<std::string> single = lines.size() == 1 ? normal(role, lines[0]) : std::nullopt;
    if (single && !single->empty()) {
        field("", key, role, lines[0]);
    } else {
        m_out += key;
        m_out += ":\n";
        pipeLines(role, lines);
    }
    if (end != marker)
        field("", "end", Role::Plain, end);
}

void Unpacker::pipeLines(Role role, const std::vector<std::string_view>& lines)
{
    for (std::string_view line : lines) {
        if (auto text = normal(role, line)) {
            m_out += text->empty() ? "|" : "| " + *text;
        } else {
            m_out += "%| ";
            m_out += qsource::escapeBytes(line);
        }
        m_out += '\n';
    }
}

// Line ends of the whole file: the usual CR LF, or LF; a file mixing both comes back as the majority.
void Unpacker::lineEnds(std::string_view bytes)
{
    size_t crlf = 0;
    size_t lf = 0;
    for (size_t i = bytes.find('\n'); i != std::string_view::npos; i = bytes.find('\n', i + 1))
        (i > 0 && bytes[i - 1] == '\r' ? crlf : lf) += 1;
    if (lf > crlf)
        m_out += "line-ends: lf\n";
    if (!bytes.empty() && bytes.back() != '\n')
        m_out += "last-line-end: no\n";
}

void Unpacker::header()
{
    std::string_view line;
    for (int i = 0; i < qsource::kHeaderCount && next(line); ++i)
        field("", qsource::kHeaderKeys[i], Role::Plain, line);
}

void Unpacker::categories(int count)
{
    for (int c = 1; c <= count; ++c)
        category();
    if (count < kMaxCategories) {
        std::string_view line;
        next(line);
        if (line != "*CE")
            field("", "categories-end", Role::Plain, line);
    }
}

// One category and its sub-categories; unused sub-category slots after the last used one are left out.
void Unpacker::category()
{
    std::string_view line;
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

void Unpacker::record(bool separatorFollows)
{
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

    choices();
    ignoredLines();
    const auto explanation = blockLines("*EE", end);
    block("explanation", Role::Scrambled, explanation, end, "*EE");
    pairs(kReferences);
    pairs(kLinks);

    if (separatorFollows) {
        std::string_view line;
        next(line);
        if (!line.empty())
            field("", "separator", Role::Plain, line);
    }
}

// Unused choice slots after the last used one are left out.
void Unpacker::choices()
{
    std::vector<std::pair<std::vector<std::string_view>, std::string_view>> all;
    size_t used = 0;
    for (int k = 0; k < kMaxChoices; ++k) {
        std::string_view end;
        auto lines = blockLines("*AE", end);
        if (!lines.empty() || end != "*AE")
            used = size_t(k + 1);
        all.emplace_back(std::move(lines), end);
    }
    for (size_t k = 0; k < used; ++k)
        block("choice", Role::Scrambled, all[k].first, all[k].second, "*AE");
}

void Unpacker::ignoredLines()
{
    std::vector<std::string_view> ignored;
    size_t used = 0;
    std::string_view line;
    for (int k = 0; k < kIgnoredLines; ++k) {
        next(line);
        ignored.push_back(line);
        if (!line.empty())
            used = size_t(k + 1);
    }
    if (used > 0) {
        ignored.resize(used);
        block("ignored", Role::Plain, ignored, "", "");
    }
}

// Unused pairs after the last used one are left out, and so is an unused second line.
void Unpacker::pairs(const PairKind& kind)
{
    std::vector<std::pair<std::string_view, std::string_view>> all;
    size_t used = 0;
    for (int k = 0; k < kind.count; ++k) {
        std::string_view first, second;
        next(first);
        next(second);
        all.emplace_back(first, second);
        if (first != kind.none || second != kind.none)
            used = size_t(k + 1);
    }
    for (size_t k = 0; k < used; ++k) {
        field("", kind.firstKey, kind.role, all[k].first);
        if (all[k].second != kind.none)
            field("", kind.secondKey, kind.role, all[k].second);
    }
}

// Whatever follows the last record: normally the one line "*EOF".
void Unpacker::trailer()
{
    std::vector<std::string_view> lines;
    std::string_view line;
    while (next(line))
        lines.push_back(line);
    if (!(lines.size() == 1 && lines[0] == "*EOF")) {
        blank();
        m_out += "trailer:\n";
        pipeLines(Role::Plain, lines);
    }
}

std::string Unpacker::run(const QuestionBank& bank, std::string_view bytes)
{
    comment("Quarvel question source: `quarvel-tool qdf pack` makes the question data file from it.");
    comment("docs/question-source-format.md describes every field.");
    lineEnds(bytes);
    header();
    categories(bank.categoryCount);
    for (int j = 1; j <= bank.recordsRead; ++j)
        record(j < bank.recordsRead);
    trailer();
    return m_out;
}

} // namespace

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
