#include "styles/screens/StyleProblemText.h"

#include "bank/Cp932.h"
#include "styles/StyleQuestion.h"

QString styleQuestionMessage(const StyleQuestion& question, const QString& text)
{
    if (question.questionNumber <= 0)
        return text;
    return QStringLiteral("問題 %1: %2").arg(question.questionNumber).arg(text);
}

QString styleProblemText(const StyleQuestion& question, const styleitems::Problem& problem)
{
    QString text = QStringLiteral("解答データを使えません。%1。").arg(QString::fromStdString(problem.what));
    if (!problem.item.empty())
        text += QStringLiteral("\n「%1」").arg(cp932::toUnicode(problem.item));
    return styleQuestionMessage(question, text);
}
