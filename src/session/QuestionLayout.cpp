#include "session/QuestionLayout.h"

#include <algorithm>

namespace questionlayout
{

std::array<ChoicePlace, kChoiceCount> placeChoices(const std::array<int, kChoiceCount>& lineCounts)
{
    std::array<ChoicePlace, kChoiceCount> places{};
    int buttonTop = 5;
    int textTop = 7;
    for (size_t k = 0; k < places.size(); ++k) {
        const int lines = std::max(0, lineCounts[k]);
        places[k] = {buttonTop, textTop, lines * kChoiceLinePitch + 10};
        buttonTop = textTop + lines * kChoiceLinePitch + 7;
        textTop = textTop + lines * kChoiceLinePitch + 9;
    }
    return places;
}

LabelFont questionLabelFont(int position)
{
    return position < 100 ? LabelFont{10, 1} : LabelFont{9, 5};
}

QString questionLabel(int position)
{
    return QStringLiteral("Q.") + QString::number(position);
}

QString choiceLetter(int position)
{
    if (position < 1 || position > kChoiceCount)
        return {};
    return QString(QLatin1Char(char('a' + position - 1)));
}

QString spokenChoice(int position, const QString& text)
{
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return choiceLetter(position) + QStringLiteral(". ") + line.trimmed();
}

QString spokenQuestion(const QString& text, const QStringList& choices)
{
    QStringList lines{text.trimmed()};
    for (int k = 0; k < choices.size(); ++k)
        lines << spokenChoice(k + 1, choices.at(k));
    return lines.join(QLatin1Char('\n'));
}

} // namespace questionlayout
