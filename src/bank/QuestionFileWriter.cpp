#include "bank/QuestionFileWriter.h"

#include <algorithm>

namespace
{

class LineWriter
{
  public:
    explicit LineWriter(std::string& out) : m_out(out) {}

    void plain(std::string_view line)
    {
        m_out.append(line);
        m_out += "\r\n";
    }
    void number(int value) { plain(std::to_string(value)); }
    void scrambled(std::string_view line)
    {
        ScrambleLineInto(m_out, line);
        m_out += "\r\n";
    }

    // Text with CR LF (or LF) breaks as one scrambled line per line of text.
    void lines(std::string_view text)
    {
        for (;;) {
            const size_t lf = text.find('\n');
            std::string_view line = text.substr(0, lf);
            if (lf != std::string_view::npos && !line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            scrambled(line);
            if (lf == std::string_view::npos)
                return;
            text.remove_prefix(lf + 1);
        }
    }

    // A block: nothing for the empty text, then the marker.
    void block(std::string_view text, std::string_view marker)
    {
        if (!text.empty())
            lines(text);
        plain(marker);
    }

  private:
    std::string& m_out;
};

} // namespace

std::string QuestionFileBytes(const QuestionHeader& header, const QuestionBank& bank)
{
    std::string out;
    out.reserve(4096 + size_t(std::clamp(bank.recordsRead, 0, kMaxQuestions)) * 2048);
    LineWriter w(out);

    // Header. Zero counts and an empty tag take the bank's values, so tests can fill either side.
    w.plain(header.formatTag.empty() ? std::string_view(kFormatTag) : std::string_view(header.formatTag));
    const int mockCount = header.mockCount != 0 ? header.mockCount : bank.mockCount;
    w.plain(std::to_string(mockCount) + "/" + header.targetRate);
    w.number(bank.mockMinutes);
    w.plain(header.code);
    w.plain(header.title);
    w.plain(header.badges[0] ? "1" : "0");
    w.plain(header.badges[1] ? "1" : "0");
    // Line 8 holds one of badges 3-5; the first set one wins.
    w.plain(header.badges[2] ? "1" : header.badges[3] ? "2" : header.badges[4] ? "3" : "0");
    w.plain(header.updated);
    int questionCount = header.questionCount;
    if (questionCount == 0)
        questionCount = bank.questionCount != 0 ? bank.questionCount : bank.recordsRead;
    w.number(questionCount);

    // Category table; fifty categories leave no room for the end marker.
    const int categoryCount = std::clamp(bank.categoryCount, 0, kMaxCategories);
    for (int c = 1; c <= categoryCount; ++c) {
        const CategoryEntry& category = bank.category(c);
        w.scrambled(category.name);
        w.number(category.questionCount);
        for (const SubCategoryEntry& sub : category.subCategories) {
            w.scrambled(sub.name);
            w.number(sub.questionCount);
        }
    }
    if (categoryCount < kMaxCategories)
        w.plain("*CE");

    const int records = std::clamp(bank.recordsRead, 0, kMaxQuestions);
    for (int j = 1; j <= records; ++j) {
        const QuestionRecord& r = bank.question(j);
        w.number(r.number);
        w.number(r.category);
        w.number(r.subCategory);
        w.block(r.text, "*QE");
        w.number(r.storedChoiceCount);
        w.number(r.shownChoiceCount);
        w.number(r.correctCount);
        w.number(r.style);
        for (const std::string& choice : r.choices)
            w.block(choice, "*AE");
        for (int k = 0; k < 11; ++k)
            w.plain("");
        // The explanation reads back with a CR LF before each line, so the leading one is the
        // first line's own; "\r\n" alone is one empty line.
        std::string_view explanation = r.explanation;
        if (!explanation.empty()) {
            if (explanation.starts_with("\r\n"))
                explanation.remove_prefix(2);
            else if (explanation.starts_with("\n"))
                explanation.remove_prefix(1);
            w.lines(explanation);
        }
        w.plain("*EE");
        for (const Reference& ref : r.references) {
            if (ref.text.empty())
                w.plain("Null");
            else
                w.scrambled(ref.text);
            if (ref.page.empty() || ref.page == "0")
                w.plain("Null");
            else
                w.scrambled(ref.page);
        }
        for (const Link& link : r.links) {
            w.scrambled(link.caption);
            w.scrambled(link.target);
        }
        w.plain(j == records ? "*EOF" : "");
    }
    return out;
}
