#pragma once
// The inquiry page about one question ("Ques.htm" from the template "QuesProto"): the user's
// profile, the test, the question and the user's answer, in a form that the browser posts to the
// inquiry address. Also the texts of the explanation window. No widgets here.
#include "bank/FileError.h"
#include "session/SessionTypes.h"

#include <QString>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace inquiry
{

using Flags = std::array<unsigned char, kMaxChoices>;

// " a c" for flags set at positions 1 and 3: a blank and the letter per set flag ("A".."J" when
// `upper`).
QString choiceLetters(const Flags& flags, bool upper = false);

// The explanation window's text (CP932, CR LF): the explanation, a line " ", a line "【参照】",
// then each reference's text (when not blank) and "→" + page + "P" (when the page is not "0").
std::string explanationText(const SessionQuestion& question);

// The answer block of the exam's explanation window. Styles 1 and 2: a line "A : text" per shown
// choice (a choice "Ahyy" is a filler and left out), "正解 :" with the correct letters, and
// "解答 : " with the ticked radio buttons' letters, then the ticked check boxes', each followed by
// a blank. Styles 3 to 7: "解答 : ○" when the choice `correctChoice` is ticked, else "解答 : ×".
std::vector<std::string> examAnswerBlock(const SessionQuestion& question, const Flags& radioTicked,
                                         const Flags& checkTicked, int correctChoice);

// The answer block of the result screen: as above for styles 1 and 2, the user's letters from the
// stored answer flags; styles 3 and 4 "解答 : ○"/"解答 : ×" from the verdict; styles 5 to 7 none.
std::vector<std::string> resultAnswerBlock(const SessionQuestion& question, const Flags& answerFlags, bool right);

// Everything the page shows besides the answer block. Text is CP932 bytes.
struct InquiryValues {
    std::string serial;
    std::string name;
    std::string email;
    std::string organisation;
    std::string inquiryAddress;
    std::string testCode;
    std::string testTitle;
};

// The page's lines for one placeholder ("#NAME#" ...), escaped where they land; nothing for a
// line that is no placeholder of this page.
std::optional<std::vector<std::string>> placeholderLines(std::string_view name, const InquiryValues& values,
                                                         const SessionQuestion& question,
                                                         const std::vector<std::string>& answerBlock);

// Reads the template and writes the page; false, with `error` naming the file, when either fails.
bool writeInquiryPage(const QString& templatePath, const QString& pagePath, const InquiryValues& values,
                      const SessionQuestion& question, const std::vector<std::string>& answerBlock,
                      FileError* error = nullptr);

} // namespace inquiry
