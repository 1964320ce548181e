#include "session/InquiryPage.h"

#include "bank/Cp932.h"
#include "bank/HtmlPage.h"
#include "session/QuestionLayout.h"

#include <algorithm>

namespace inquiry
{

namespace
{

// A choice that only fills a slot of the question file; never shown.
constexpr std::string_view kFillerChoice = "Ahyy";

std::string upperLetter(size_t index)
{
    return std::string(1, char('A' + index));
}

std::string fromUtf8(const char* text)
{
    return cp932::fromUtf8(text);
}

bool isStyleScreen(int style)
{
    return style >= kStyleGraphic && style <= kStyleConnector;
}

// The choice lines and the line of the correct letters, shared by both variants.
std::vector<std::string> choiceLines(const SessionQuestion& question)
{
    std::vector<std::string> lines;
    const size_t shown = size_t(std::clamp(question.shownChoiceCount, 0, kMaxChoices));
    for (size_t i = 0; i < shown; ++i) {
        if (question.choices[i] == kFillerChoice)
            continue;
        lines.push_back(upperLetter(i) + " : " + question.choices[i]);
    }
    lines.push_back(fromUtf8("正解 :") + choiceLetters(question.keyFlags, true).toStdString());
    return lines;
}

std::string lettersWithBlanks(const Flags& flags)
{
    std::string out;
    for (size_t i = 0; i < flags.size(); ++i)
        if (flags[i] != 0)
            out += upperLetter(i) + " ";
    return out;
}

std::string verdictLine(bool right)
{
    return fromUtf8(right ? "解答 : ○" : "解答 : ×");
}

} // namespace

QString choiceLetters(const Flags& flags, bool upper)
{
    QString out;
    for (size_t i = 0; i < flags.size(); ++i) {
        if (flags[i] == 0)
            continue;
        const QString letter = questionlayout::choiceLetter(int(i) + 1);
        out += QLatin1Char(' ') + (upper ? letter.toUpper() : letter);
    }
    return out;
}

std::string explanationText(const SessionQuestion& question)
{
    std::string text = question.explanation + "\r\n \r\n" + fromUtf8("【参照】");
    for (const Reference& reference : question.references) {
        const bool blank = std::all_of(reference.text.begin(), reference.text.end(),
                                       [](char c) { return static_cast<unsigned char>(c) <= ' '; });
        if (!blank)
            text += "\r\n" + reference.text;
        if (reference.page != "0")
            text += "\r\n" + fromUtf8("→") + reference.page + "P";
    }
    return text;
}

std::vector<std::string> examAnswerBlock(const SessionQuestion& question, const Flags& radioTicked,
                                         const Flags& checkTicked, int correctChoice)
{
    if (isStyleScreen(question.style)) {
        const size_t i = size_t(correctChoice - 1);
        const bool right =
            correctChoice >= 1 && correctChoice <= kMaxChoices && (radioTicked[i] != 0 || checkTicked[i] != 0);
        return {verdictLine(right)};
    }
    std::vector<std::string> lines = choiceLines(question);
    lines.push_back(fromUtf8("解答 : ") + lettersWithBlanks(radioTicked) + lettersWithBlanks(checkTicked));
    return lines;
}

std::vector<std::string> resultAnswerBlock(const SessionQuestion& question, const Flags& answerFlags, bool right)
{
    if (question.style == kStyleGraphic || question.style == kStylePanel)
        return {verdictLine(right)};
    if (isStyleScreen(question.style))
        return {};
    std::vector<std::string> lines = choiceLines(question);
    lines.push_back(fromUtf8("解答 : ") + lettersWithBlanks(answerFlags));
    return lines;
}

std::optional<std::vector<std::string>> placeholderLines(std::string_view name, const InquiryValues& values,
                                                         const SessionQuestion& question,
                                                         const std::vector<std::string>& answerBlock)
{
    // One-line values may land in an attribute or in text: the attribute escaping suits both.
    auto one = [](const std::string& value) { return std::vector<std::string>{htmlpage::escapeAttribute(value)}; };
    if (name == "#SERIAL#")
        return one(values.serial);
    if (name == "#CGI_URL#")
        return std::vector<std::string>{"<form ACTION=\"" + htmlpage::escapeAttribute(values.inquiryAddress) +
                                        "\" METHOD=\"post\">"};
    if (name == "#NAME#")
        return one(values.name);
    if (name == "#MAIL#")
        return one(values.email);
    if (name == "#ORGA#")
        return one(values.organisation);
    if (name == "#QUESNUM#")
        return one(std::to_string(question.number));
    if (name == "#QUES#")
        return std::vector<std::string>{htmlpage::escapeText(questionlayout::withoutImageLine(question.text))};
    if (name == "#TEST#")
        return one(values.testCode + " : " + values.testTitle);
    if (name == "#ANSW#") {
        std::vector<std::string> lines;
        for (const std::string& line : answerBlock)
            lines.push_back(htmlpage::escapeText(line));
        return lines;
    }
    return std::nullopt;
}

bool writeInquiryPage(const QString& templatePath, const QString& pagePath, const InquiryValues& values,
                      const SessionQuestion& question, const std::vector<std::string>& answerBlock, FileError* error)
{
    return htmlpage::makePage(
        templatePath, pagePath,
        [&](std::string_view name) { return placeholderLines(name, values, question, answerBlock); }, error);
}

} // namespace inquiry
