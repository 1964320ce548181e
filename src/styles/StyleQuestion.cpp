#include "styles/StyleQuestion.h"

#include "styles/ImageLine.h"

namespace
{
// 'a'..'e' when the choice begins with one of "a@".."e@", else 0.
char markOf(const std::string& choice)
{
    if (choice.size() < 2 || choice[1] != '@')
        return 0;
    const char c = choice[0];
    return (c >= 'a' && c <= 'e') ? c : 0;
}
} // namespace

StyleQuestion FillStyleQuestion(const std::string& text, const std::array<std::string, kMaxChoices>& choices, int style,
                                const QString& questionDataDir)
{
    StyleQuestion result;
    if (text.rfind(questionlayout::kImageMarker, 0) == 0) {
        const questionlayout::ImageLine line = questionlayout::splitImageLine(text);
        if (line.count >= 1)
            result.picturePath = questionlayout::imagePath(questionDataDir, line.names[0]);
        if (style == kStyleConnector && line.count >= 2)
            result.answerPicturePath = questionlayout::imagePath(questionDataDir, line.names[1]);
    }
    if (style < kStyleGraphic || style > kStyleConnector)
        return result;

    const int examined = style == kStyleGraphic ? 6 : 3;
    for (int k = 1; k <= examined; ++k) {
        const std::string& choice = choices[size_t(k - 1)];
        const char mark = markOf(choice);
        if (mark == 0)
            continue;
        if (mark == 'a')
            result.correctChoice = k;
        if (style == kStyleGraphic) {
            result.areas[size_t(mark - 'a')] = choice.substr(2);
            continue;
        }
        // Panel, labelled panel and connector lists rely on the leading "@" that remains.
        const std::string data = style == kStyleTextEntry ? choice.substr(2) : choice.substr(1);
        if (mark == 'a')
            result.dataA = data;
        else if (mark == 'b')
            result.dataB = data;
        else if (mark == 'c')
            result.dataC = data;
    }
    return result;
}

int styleAnswerChoice(int style, int correctChoice)
{
    if (style < kStyleGraphic || style > kStyleConnector)
        return 0;
    const int highest = style == kStyleGraphic ? 5 : 3;
    return (correctChoice >= 1 && correctChoice <= highest) ? correctChoice : 0;
}
